// kalmora-tool dump, run as a process over files written by the game's own
// writers; the JSON is parsed back and compared with what was written.

#include "StorageTestSupport.h"
#include "ToolRunner.h"

#include "tools/DumpCommand.h"
#include "tools/ToolErrors.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

namespace {

using nlohmann::json;

void ExpectBoard(const json& board, const CGameField& field) {
    ASSERT_EQ(board.size(), 81u);
    for (std::size_t i = 0; i < 81; ++i) {
        EXPECT_EQ(board[i]["value"], field.cells[i].value) << "cell " << i;
        EXPECT_EQ(board[i]["flags"], field.cells[i].flags) << "cell " << i;
    }
}

void ExpectGame(const json& dump, const CGameFieldFileData& game) {
    EXPECT_EQ(dump["level"], game.level);
    EXPECT_EQ(dump["helpUsed"], game.helpUsed);
    EXPECT_EQ(dump["startTime"], game.startTime);
    EXPECT_EQ(dump["finalTime"], game.finalTime);
    ExpectBoard(dump["board"], game.field);
    ASSERT_EQ(dump["snapshots"].size(), game.snapShots.size());
    for (std::size_t i = 0; i < game.snapShots.size(); ++i) {
        EXPECT_EQ(dump["snapshots"][i]["elapsed"], game.snapShots[i].elapsed);
        ExpectBoard(dump["snapshots"][i]["board"], game.snapShots[i].field);
    }
}

// Each kind of file, written by the game's own writers.
TEST(DumpCommand, EachStoredFileShowsAllItHolds) {
    const ScopedDataRoot root;
    const auto dump = [&](const char* name) {
        const ToolResult result = RunTool("dump '" + (root.Path() / name).string() + "'");
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return json::parse(result.out);
    };
    const CGameFieldFileData game = SampleGame();
    GameFile::Write(root.Path() / "game.sdk", game);
    const CGameFieldSerialData session = SampleSession();
    SessionFile::Write(root.Path() / "default.dat", session, {-8, 30, 632, 750}, true);
    WinnersLists lists = SampleWinners();
    // All 40 bytes of a name, and bytes that are not UTF-8, shown as U+FFFD.
    lists[3] = {Winner("0123456789012345678901234567890123456789", 7), Winner("caf\xE9 \xFF", 8)};
    WinnersFile::Write(root.Path() / "top.dat", lists);

    json shown = dump("game.sdk");
    EXPECT_EQ(shown["kind"], "game");
    ExpectGame(shown, game);
    EXPECT_EQ(shown["snapshots"][0]["name"], "Start");
    EXPECT_EQ(shown["snapshots"][1]["name"], "ABCDEFGHIJKLMNOPQRST");
    EXPECT_FALSE(shown.contains("undo"));

    shown = dump("default.dat");
    EXPECT_EQ(shown["kind"], "session");
    ExpectGame(shown, session);
    ASSERT_EQ(shown["undo"].size(), 2u);
    EXPECT_EQ(shown["undo"][1], json({{"column", 9}, {"row", 9}, {"value", 4}, {"flags", 0}}));
    EXPECT_EQ(shown["redo"],
              json::array({{{"column", 5}, {"row", 3}, {"value", 6}, {"flags", 256}}}));
    EXPECT_EQ(shown["window"], json({{"left", -8}, {"top", 30}, {"width", 640}, {"height", 720}}));
    EXPECT_EQ(shown["autoCheck"], true);

    shown = dump("top.dat");
    EXPECT_EQ(shown["kind"], "winners");
    EXPECT_EQ(shown["easy"],
              json::array({{{"name", "Ann"}, {"time", 65}}, {{"name", "Bob"}, {"time", 301}}}));
    EXPECT_EQ(shown["normal"], json::array());
    EXPECT_EQ(shown["hard"][0]["name"], "Chloé");
    EXPECT_EQ(shown["insane"][0]["name"], "0123456789012345678901234567890123456789");
    EXPECT_EQ(shown["insane"][1]["name"], "caf\xEF\xBF\xBD \xEF\xBF\xBD");
}

// Damaged files given on standard input, run in-process for speed: every one
// gives valid JSON or a clean input error.
TEST(DumpCommandMutation, DamagedFilesGiveJsonOrAnInputError) {
    const ScopedDataRoot root;
    CGameFieldSerialData session = SampleSession();
    session.snapShots = SampleGame().snapShots;
    SessionFile::Write(root.Path() / "default.dat", session, {1, 2, 3, 4}, false);
    const std::string archive = Gunzip(ReadFileBytes(root.Path() / "default.dat"));
    Mutator mutator(11);
    int dumped = 0;
    for (int i = 0; i < 600; ++i) {
        std::istringstream in(Gzip(mutator.Mutate(archive)));
        std::ostringstream out;
        try {
            EXPECT_EQ(RunDumpCommand({"-"}, in, out), 0);
            EXPECT_NO_THROW(json::parse(out.str())) << "mutation " << i;
            ++dumped;
        } catch (const InputError&) {
            EXPECT_EQ(out.str(), "");
        }
    }
    // Flags and times take any value, so some damage still reads.
    EXPECT_GT(dumped, 0);
    EXPECT_LT(dumped, 600);
}

} // namespace

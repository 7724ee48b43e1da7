// kalmora-tool run as a process: what each command prints, its exit code and
// its complaint, for puzzles given as text, as game files and on standard
// input. The game files that new writes are read back with the game's reader.

#include "StorageTestSupport.h"
#include "ToolRunner.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <regex>
#include <set>
#include <vector>

namespace {

// Easy puzzle 0 of the stored table, and the board Try to Solve makes of it
// by singles alone. (Separators and white space in puzzle text are the text
// reader's test.)
const std::string EasyPuzzle = "000307426024000000600009000"
                               "060035070005020031931070060"
                               "300000007042000000000562309";
const std::string EasySolved = "859317426\n724658193\n613249785\n"
                               "268135974\n475926831\n931874562\n"
                               "396481257\n542793618\n187562349\n";
// Insane puzzle 0, which singles leave open at 20 cells.
const std::string InsanePuzzle = "000004050 900508002 100300048 000016090 294000000"
                                 "007009000 000005180 836000000 070000060";
const std::string InsaneOpen = "782194356\n943568712\n165300948\n"
                               "358016090\n294850601\n617009805\n"
                               "429605180\n836001500\n571080060\n";

// The easy puzzle with `digit` put at a cell (0-80).
std::string EasyWith(std::size_t index, char digit) {
    std::string puzzle = EasyPuzzle;
    puzzle[index] = digit;
    return puzzle;
}

// One run of the tool and what it must give.
struct ToolRun {
    std::string arguments;
    std::string input;
    int exitCode;
    std::string out;
    std::string errMentions; // empty: nothing on standard error
};

class ToolCommandTest : public testing::Test {
protected:
    std::string Path(const std::string& name) const { return (m_root.Path() / name).string(); }
    std::string Quoted(const std::string& name) const { return "'" + Path(name) + "'"; }

    void Expect(const std::vector<ToolRun>& runs) {
        for (const ToolRun& run : runs) {
            SCOPED_TRACE(run.arguments);
            const ToolResult result = RunTool(run.arguments, run.input);
            EXPECT_EQ(result.exitCode, run.exitCode);
            EXPECT_EQ(result.out, run.out);
            if (run.errMentions.empty()) {
                EXPECT_EQ(result.err, "");
            } else {
                EXPECT_NE(result.err.find(run.errMentions), std::string::npos) << result.err;
            }
        }
    }

    const ScopedDataRoot m_root;
};

TEST_F(ToolCommandTest, CheckSaysOkOrNamesTheFirstRepeatingUnit) {
    WriteFileBytes(Path("easy.txt"), EasyPuzzle);
    Expect({
        {"check", EasyPuzzle, 0, "ok\n", ""},
        {"check -", EasyPuzzle, 0, "ok\n", ""},
        {"check " + Quoted("easy.txt"), "", 0, "ok\n", ""},
        {"check", std::string(81, '.'), 0, "ok\n", ""},
        // Row 1 gets a second 4 in column 1, which is also the box of (1, 1).
        {"check", EasyWith(0, '4'), 1, "conflict: row 1\n", ""},
        // A second 6 in column 1 at row 9; row 9 and box 7 hold no other 6.
        {"check", EasyWith(72, '6'), 1, "conflict: column 1\n", ""},
        // A 2 at row 3, column 3 repeats only in box 1.
        {"check", EasyWith(20, '2'), 1, "conflict: box 1\n", ""},
    });
}

// The board, the number of changes Try to Solve made, and the status.
TEST_F(ToolCommandTest, SolvePrintsTheBoardTheChangesAndTheStatus) {
    WriteFileBytes(Path("insane.txt"), InsanePuzzle);
    const std::string blank = "000000000\n000000000\n000000000\n"
                              "000000000\n000000000\n000000000\n"
                              "000000000\n000000000\n000000000\n";
    const std::string conflict = "400307426\n024000000\n600009000\n"
                                 "060035070\n005020031\n931070060\n"
                                 "300000007\n042000000\n000562309\n";
    Expect({
        {"solve", EasyPuzzle, 0, EasySolved + "changes: 163\nstatus: solved\n", ""},
        {"solve " + Quoted("insane.txt"), "", 0, InsaneOpen + "changes: 160\nstatus: open 20\n",
         ""},
        // Every cell of a blank board gets its marks, and nothing more.
        {"solve -", std::string(81, '.'), 0, blank + "changes: 81\nstatus: open 81\n", ""},
        // A board that repeats a digit is left as it is.
        {"solve", EasyWith(0, '4'), 1, conflict + "changes: 0\nstatus: conflict row 1\n", ""},
    });
}

// A game file stands for its board, every digit in it, given or the player's.
TEST_F(ToolCommandTest, GameFilesAreTakenWhereverAPuzzleIs) {
    CGameFieldFileData game; // row 1: given 1 2 3, the player's 4, marks in the next
    for (std::uint8_t column = 0; column < 3; ++column) {
        game.field.cells[column] = {static_cast<std::uint8_t>(column + 1), 0x8000};
    }
    game.field.cells[3] = {4, 0};
    game.field.cells[4] = {0, 0x01F0};
    GameFile::Write(Path("ok.sdk"), game);
    game.field.cells[8] = {2, 0}; // the player's own 2 repeats a given one
    GameFile::Write(Path("bad.sdk"), game);
    game.field.cells[80] = {12, 0};
    GameFile::Write(Path("twelve.sdk"), game);
    const std::string bytes = ReadFileBytes(Path("ok.sdk"));
    WriteFileBytes(Path("cut.sdk"), bytes.substr(0, bytes.size() - 4));
    Expect({
        {"check " + Quoted("ok.sdk"), "", 0, "ok\n", ""},
        {"check -", bytes, 0, "ok\n", ""},
        {"check " + Quoted("bad.sdk"), "", 1, "conflict: row 1\n", ""},
        {"check " + Quoted("cut.sdk"), "", 1, "", "not a usable game file"},
        {"check " + Quoted("twelve.sdk"), "", 1, "", "above 9"},
    });
}

TEST_F(ToolCommandTest, UnusableInputExitsWithOneAndSaysWhy) {
    WriteFileBytes(Path("puzzle.txt"), std::string(81, '0'));
    WriteFileBytes(Path("short.txt"), "12345");
    WriteFileBytes(Path("cut.sdk"), "\x1f\x8b\x08\x00");
    const std::string notStored = "not a game, session or winners file";
    Expect({
        {"check", "", 1, "", "0 cells"},
        {"check", std::string(80, '0'), 1, "", "80 cells"},
        {"check", std::string(82, '0'), 1, "", "more than 81"},
        {"check", std::string(40, '0') + "x" + std::string(40, '0'), 1, "", "'x'"},
        {"check", "\n\n" + std::string(10, '0') + "\x01", 1, "", "line 3"},
        {"solve", "12345", 1, "", "5 cells"},
        {"check /no/such/puzzle.txt", "", 1, "", "cannot open '/no/such/puzzle.txt'"},
        {"check '" + m_root.Path().string() + "'", "", 1, "", "is a folder"},
        {"dump " + Quoted("puzzle.txt"), "", 1, "", notStored},
        {"dump " + Quoted("cut.sdk"), "", 1, "", notStored},
        {"dump " + Quoted("missing.sdk"), "", 1, "", "cannot open"},
        {"new " + Quoted("x.sdk") + " --puzzle " + Quoted("short.txt"), "", 1, "", "5 cells"},
        {"new " + Quoted("missing/x.sdk") + " --level 1", "", 1, "", "Can't store to file"},
    });
    EXPECT_FALSE(std::filesystem::exists(Path("x.sdk")));
}

TEST_F(ToolCommandTest, WrongUsageExitsWithTwoAndSaysWhy) {
    WriteFileBytes(Path("p.txt"), std::string(81, '0'));
    const std::string newX = "new " + Quoted("x.sdk");
    const std::string usageOfNew = "usage: kalmora-tool new";
    Expect({
        {"", "", 2, "", "usage"},
        {"frobnicate", "", 2, "", "unknown command 'frobnicate'"},
        {"check a b", "", 2, "", "usage: kalmora-tool check"},
        {"solve a b", "", 2, "", "usage: kalmora-tool solve"},
        {"dump", "", 2, "", "usage: kalmora-tool dump"},
        {"generate", "", 2, "", "level"},
        {"generate 5", "", 2, "", "unknown level '5'"},
        {"generate easy --seed", "", 2, "", "seed"},
        {"generate easy --seed -1", "", 2, "", "seed must be"},
        {"generate easy --seed 4294967296", "", 2, "", "seed must be"},
        {"generate easy --seed 12x", "", 2, "", "seed must be"},
        {"generate easy hard", "", 2, "", "too many"},
        {"generate easy --colour red", "", 2, "", "colour"},
        {newX, "", 2, "", usageOfNew},
        {newX + " --level 1 --puzzle " + Quoted("p.txt"), "", 2, "", usageOfNew},
        {newX + " --puzzle " + Quoted("p.txt") + " --seed 3", "", 2, "", usageOfNew},
        {"new --level 1", "", 2, "", usageOfNew},
        {newX + " --level 9", "", 2, "", usageOfNew},
        {newX + " --level 1 --seed -4", "", 2, "", usageOfNew},
        {newX + " --level 1 extra", "", 2, "", usageOfNew},
    });
    EXPECT_FALSE(std::filesystem::exists(Path("x.sdk")));
}

TEST(ToolHelp, ListsEveryCommand) {
    const ToolResult result = RunTool("--help");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("generate LEVEL"), std::string::npos);
    EXPECT_NE(result.out.find("check [FILE|-]"), std::string::npos);
}

// A level by number or by name in any case, and a seed: each level its own
// puzzle, the same for the same seed, another for another seed.
TEST(GenerateCommand, LevelAndSeedChooseThePuzzle) {
    const std::regex nineByNine("([0-9]{9}\n){9}");
    const std::pair<const char*, const char*> levels[] = {
        {"1", "easy"}, {"2", "Normal"}, {"3", "HARD"}, {"4", "insane"}};
    std::set<std::string> puzzles;
    for (const auto& [number, name] : levels) {
        const ToolResult result = RunTool(std::string("generate ") + number + " --seed 42");
        EXPECT_EQ(result.exitCode, 0) << number << ": " << result.err;
        EXPECT_TRUE(std::regex_match(result.out, nineByNine)) << number << ": " << result.out;
        EXPECT_EQ(RunTool(std::string("generate --seed=42 ") + name).out, result.out) << name;
        puzzles.insert(result.out);
    }
    EXPECT_EQ(puzzles.size(), 4u);
    EXPECT_NE(RunTool("generate 3 --seed 43").out, RunTool("generate 3 --seed 42").out);
    EXPECT_EQ(RunTool("generate 1 --seed 4294967295").exitCode, 0);
    EXPECT_EQ(RunTool("generate easy").out.size(), 90u);
}

// A new game of the puzzle printed as `text`: the givens only, no snapshots,
// no final time, no help.
void ExpectNewGameOf(const CGameFieldFileData& game, const std::string& text) {
    std::string board;
    for (std::size_t i = 0; i < 81; ++i) {
        const CCell& cell = game.field.cells[i];
        board += static_cast<char>('0' + cell.value);
        board += i % 9 == 8 ? "\n" : "";
        EXPECT_EQ(cell.flags, cell.value != 0 ? CCell::GivenBit : 0);
    }
    EXPECT_EQ(board, text);
    EXPECT_TRUE(game.snapShots.empty());
    EXPECT_EQ(game.finalTime, 0);
    EXPECT_FALSE(game.helpUsed);
}

// A generated puzzle makes a game of its level started now; a puzzle brought
// along, in a file or on standard input, makes a game without level,
// replacing the file there.
TEST_F(ToolCommandTest, NewWritesAGameOfAGeneratedOrAGivenPuzzle) {
    const std::int64_t before = std::time(nullptr);
    const ToolResult result = RunTool("new " + Quoted("own.sdk") + " --level easy --seed 7");
    const std::int64_t after = std::time(nullptr);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "");
    const CGameFieldFileData game = GameFile::Read(Path("own.sdk"));
    EXPECT_EQ(game.level, 1);
    ExpectNewGameOf(game, RunTool("generate easy --seed 7").out);
    EXPECT_GE(game.startTime, before);
    EXPECT_LE(game.startTime, after);

    const std::string text = RunTool("generate insane --seed 99").out;
    WriteFileBytes(Path("puzzle.txt"), text);
    ASSERT_EQ(RunTool("new " + Quoted("own.sdk") + " --puzzle " + Quoted("puzzle.txt")).exitCode,
              0);
    ExpectNewGameOf(GameFile::Read(Path("own.sdk")), text);
    EXPECT_EQ(GameFile::Read(Path("own.sdk")).level, 0);
    ASSERT_EQ(RunTool("new " + Quoted("stdin.sdk") + " --puzzle -", text).exitCode, 0);
    ExpectNewGameOf(GameFile::Read(Path("stdin.sdk")), text);
}

} // namespace

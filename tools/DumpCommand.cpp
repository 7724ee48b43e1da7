#include "tools/DumpCommand.h"

#include "session/FixedName.h"
#include "storage/ArchiveFile.h"
#include "storage/GameFile.h"
#include "storage/SessionFile.h"
#include "storage/WinnersFile.h"
#include "tools/CommandLine.h"
#include "tools/PuzzleInput.h"
#include "tools/ToolErrors.h"

#include <nlohmann/json.hpp>

#include <exception>
#include <functional>
#include <optional>
#include <ostream>

namespace po = boost::program_options;
// Keys in the order a reader expects them: kind first, boards last.
using json = nlohmann::ordered_json;

namespace {

constexpr const char* Usage = "dump FILE|-";

json BoardJson(const CGameField& field) {
    json board = json::array();
    for (const CCell& cell : field.cells) {
        board.push_back({{"value", cell.value}, {"flags", cell.flags}});
    }
    return board;
}

json GameJson(const CGameFieldFileData& game, const char* kind) {
    json snapshots = json::array();
    for (const CSnapShot& snapshot : game.snapShots) {
        snapshots.push_back({{"name", FromFixedName(snapshot.name)},
                             {"elapsed", snapshot.elapsed},
                             {"board", BoardJson(snapshot.field)}});
    }
    return {{"kind", kind},
            {"level", game.level},
            {"helpUsed", game.helpUsed},
            {"startTime", game.startTime},
            {"finalTime", game.finalTime},
            {"board", BoardJson(game.field)},
            {"snapshots", snapshots}};
}

json HistoryJson(const std::deque<CUndo>& records) {
    json history = json::array();
    for (const CUndo& record : records) {
        history.push_back({{"column", record.column},
                           {"row", record.row},
                           {"value", record.cell.value},
                           {"flags", record.cell.flags}});
    }
    return history;
}

json SessionJson(const SessionFileContent& content) {
    json session = GameJson(content.session, "session");
    session["undo"] = HistoryJson(content.session.undo);
    session["redo"] = HistoryJson(content.session.redo);
    const StoredWindowRect& window = content.window;
    session["window"] = {{"left", window.left},
                         {"top", window.top},
                         {"width", std::int64_t{window.right} - window.left},
                         {"height", std::int64_t{window.bottom} - window.top}};
    session["autoCheck"] = content.autoCheck;
    return session;
}

json WinnersJson(const WinnersLists& lists) {
    static const char* const names[] = {"easy", "normal", "hard", "insane"};
    json winners = {{"kind", "winners"}};
    for (std::size_t i = 0; i < lists.size(); ++i) {
        json list = json::array();
        for (const HiScoreEntry& entry : lists[i]) {
            list.push_back({{"name", FromFixedName(entry.name)}, {"time", entry.time}});
        }
        winners[names[i]] = list;
    }
    return winners;
}

// The three kinds begin differently enough that only the right reader takes a
// file all the way to its end; the first reader's complaint is the one shown.
json ReadAnyStoredFile(const std::string& source, std::istream& in) {
    const std::string bytes = ReadInputBytes(source, in);
    const std::string name = source == "-" ? "standard input" : "'" + source + "'";
    if (!ArchiveFile::LooksLikeGzip(bytes)) {
        throw InputError(name + " is not a game, session or winners file (no gzip data)");
    }
    const std::vector<std::function<json()>> readers = {
        [&] { return GameJson(GameFile::ReadBytes(bytes), "game"); },
        [&] { return SessionJson(SessionFile::ReadBytes(bytes)); },
        [&] { return WinnersJson(WinnersFile::ReadBytes(bytes)); },
    };
    std::optional<std::string> firstError;
    for (const auto& read : readers) {
        try {
            return read();
        } catch (const std::exception& error) {
            if (!firstError) {
                firstError = error.what();
            }
        }
    }
    throw InputError(name + " is not a game, session or winners file: " + *firstError);
}

} // namespace

int RunDumpCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out) {
    po::options_description options;
    options.add_options()("file", po::value<std::string>()->required());
    po::positional_options_description positional;
    positional.add("file", 1);
    const po::variables_map values = ParseCommandLine(args, options, positional, Usage);

    const json content = ReadAnyStoredFile(values["file"].as<std::string>(), in);
    // Stored names are bytes; any that are not UTF-8 are shown as U+FFFD.
    out << content.dump(-1, ' ', false, json::error_handler_t::replace) << "\n";
    return 0;
}

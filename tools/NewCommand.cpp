#include "tools/NewCommand.h"

#include "engine/PuzzleGenerator.h"
#include "session/CGameFieldCtrl.h"
#include "tools/CommandLine.h"
#include "tools/LevelName.h"
#include "tools/PuzzleInput.h"
#include "tools/SeedOption.h"
#include "tools/ToolErrors.h"

#include <exception>
#include <ostream>

namespace po = boost::program_options;

namespace {

constexpr const char* Usage = "new FILE (--level L [--seed N] | --puzzle TEXTFILE)";

void RequireOneSource(const po::variables_map& values) {
    const bool level = values.count("level") != 0;
    const bool puzzle = values.count("puzzle") != 0;
    if (level == puzzle) {
        throw UsageError(std::string("give either --level or --puzzle\nusage: kalmora-tool ") +
                         Usage);
    }
    if (puzzle && values.count("seed")) {
        throw UsageError(std::string("--seed goes with --level only\nusage: kalmora-tool ") +
                         Usage);
    }
}

PuzzleDigits GeneratedPuzzle(const po::variables_map& values, int level) {
    PuzzleDigits digits{};
    if (values.count("seed")) {
        GeneratePuzzle(digits, level, ParseSeed(values["seed"].as<std::string>(), Usage));
    } else {
        GeneratePuzzle(digits, level);
    }
    return digits;
}

} // namespace

int RunNewCommand(const std::vector<std::string>& args, std::istream& in, std::ostream&) {
    po::options_description options;
    options.add_options()("file", po::value<std::string>()->required())("level",
                                                                        po::value<std::string>())(
        "seed", po::value<std::string>())("puzzle", po::value<std::string>());
    po::positional_options_description positional;
    positional.add("file", 1);
    const po::variables_map values = ParseCommandLine(args, options, positional, Usage);
    RequireOneSource(values);

    // A generated puzzle is a game of its level; a puzzle brought along has none,
    // as a blank board filled in by hand would not.
    int level = 0;
    PuzzleDigits digits{};
    if (values.count("level")) {
        level = ParseLevel(values["level"].as<std::string>(), Usage);
        digits = GeneratedPuzzle(values, level);
    } else {
        digits = ReadPuzzleInput(values["puzzle"].as<std::string>(), in);
    }

    // A session that is never made a window: it reports nothing.
    CGameFieldCtrl session;
    session.StartPuzzle(digits, level);
    const std::string path = values["file"].as<std::string>();
    try {
        session.SaveToFile(path.c_str());
    } catch (const std::exception& error) {
        throw InputError("cannot write '" + path + "': " + error.what());
    }
    return 0;
}

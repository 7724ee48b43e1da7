#include "tools/GenerateCommand.h"

#include "engine/PuzzleGenerator.h"
#include "tools/CommandLine.h"
#include "tools/LevelName.h"
#include "tools/PuzzleText.h"
#include "tools/SeedOption.h"

#include <ostream>

namespace po = boost::program_options;

namespace {
constexpr const char* Usage = "generate LEVEL [--seed N]";
}

int RunGenerateCommand(const std::vector<std::string>& args, std::istream&, std::ostream& out) {
    po::options_description options;
    options.add_options()("level", po::value<std::string>()->required())("seed",
                                                                         po::value<std::string>());
    po::positional_options_description positional;
    positional.add("level", 1);
    const po::variables_map values = ParseCommandLine(args, options, positional, Usage);

    const int level = ParseLevel(values["level"].as<std::string>(), Usage);
    PuzzleDigits digits{};
    if (values.count("seed")) {
        GeneratePuzzle(digits, level, ParseSeed(values["seed"].as<std::string>(), Usage));
    } else {
        GeneratePuzzle(digits, level);
    }
    out << FormatPuzzleText(digits);
    return 0;
}

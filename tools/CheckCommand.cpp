#include "tools/CheckCommand.h"

#include "engine/CGameField.h"
#include "tools/CommandLine.h"
#include "tools/PuzzleInput.h"
#include "tools/RegionText.h"

#include <ostream>

namespace po = boost::program_options;

namespace {
constexpr const char* Usage = "check [FILE|-]";
}

int RunCheckCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out) {
    po::options_description options;
    options.add_options()("input", po::value<std::string>()->default_value("-"));
    po::positional_options_description positional;
    positional.add("input", 1);
    const po::variables_map values = ParseCommandLine(args, options, positional, Usage);

    CGameField field;
    field.LoadPuzzle(ReadPuzzleInput(values["input"].as<std::string>(), in));
    ConflictRegion region;
    if (field.CheckAll(region)) {
        out << "ok\n";
        return 0;
    }
    out << "conflict: " << RegionText(region) << "\n";
    return 1;
}

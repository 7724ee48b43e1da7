#include "tools/CheckCommand.h"

#include "engine/CGameField.h"
#include "tools/CommandLine.h"
#include "tools/PuzzleInput.h"
#include "tools/RegionText.h"

#include <ostream>
namespace {
constexpr const char* Usage = "check [FILE|-]";
}

int RunCheckCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out) {
    const std::string input = ParseInputArgument(args, Usage);

    CGameField field;
    field.LoadPuzzle(ReadPuzzleInput(input, in));
    ConflictRegion region;
    if (field.CheckAll(region)) {
        out << "ok\n";
        return 0;
    }
    out << "conflict: " << RegionText(region) << "\n";
    return 1;
}

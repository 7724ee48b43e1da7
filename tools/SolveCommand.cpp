#include "tools/SolveCommand.h"

#include "session/CGameFieldCtrl.h"
#include "tools/CommandLine.h"
#include "tools/PuzzleInput.h"
#include "tools/PuzzleText.h"
#include "tools/RegionText.h"

#include <ostream>

namespace {

constexpr const char* Usage = "solve [FILE|-]";

PuzzleDigits BoardDigits(const CGameField& field) {
    PuzzleDigits digits{};
    for (std::size_t i = 0; i < digits.size(); ++i) {
        digits[i] = field.cells[i].value;
    }
    return digits;
}

// "solved", "open N" or "conflict row|column|box N".
std::string StatusText(const CGameField& field) {
    ConflictRegion region;
    if (!field.CheckAll(region)) {
        return "conflict " + RegionText(region);
    }
    const BoardStats stats = field.CountDigits();
    if (stats.IsFull()) {
        return "solved";
    }
    return "open " + std::to_string(CGameField::CellCount - stats.filled);
}

} // namespace

int RunSolveCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out) {
    const std::string input = ParseInputArgument(args, Usage);

    // A session that is never made a window: it reports nothing and needs
    // no display.
    CGameFieldCtrl session;
    session.StartPuzzle(ReadPuzzleInput(input, in), 0);
    session.TrySolve();

    out << FormatPuzzleText(BoardDigits(session.field));
    out << "changes: " << session.undo.size() << "\n";
    const std::string status = StatusText(session.field);
    out << "status: " << status << "\n";
    return status.starts_with("conflict") ? 1 : 0;
}

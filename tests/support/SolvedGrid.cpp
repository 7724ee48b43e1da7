#include "tests/support/SolvedGrid.h"

std::uint8_t SolutionDigit(CellPos pos) {
    const std::uint32_t r = pos.row - 1;
    const std::uint32_t c = pos.column - 1;
    return static_cast<std::uint8_t>((r % 3 * 3 + r / 3 + c) % 9 + 1);
}

PuzzleDigits SolvedDigits() {
    PuzzleDigits digits{};
    for (std::uint32_t i = 0; i < digits.size(); ++i) {
        digits[i] = SolutionDigit({i % 9 + 1, i / 9 + 1});
    }
    return digits;
}

PuzzleDigits SolutionWithHoles(std::initializer_list<CellPos> holes) {
    PuzzleDigits digits = SolvedDigits();
    for (const CellPos hole : holes) {
        digits[(hole.row - 1) * 9 + hole.column - 1] = 0;
    }
    return digits;
}

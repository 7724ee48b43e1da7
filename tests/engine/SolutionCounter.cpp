#include "SolutionCounter.h"

#include <array>
#include <bit>
#include <cstdint>

namespace {

class Search {
public:
    Search(const PuzzleDigits& puzzle, std::size_t limit) : grid_(puzzle), limit_(limit) {}

    std::size_t Run() {
        for (int i = 0; i < 81; ++i) {
            if (grid_[i] != 0 && !Place(i, grid_[i])) {
                return 0; // the givens repeat a digit
            }
        }
        Descend();
        return count_;
    }

private:
    static int Box(int i) { return i / 27 * 3 + i % 9 / 3; }

    std::uint16_t Used(int i) const { return rows_[i / 9] | columns_[i % 9] | boxes_[Box(i)]; }

    bool Place(int i, int digit) {
        const auto bit = static_cast<std::uint16_t>(1u << digit);
        if (Used(i) & bit) {
            return false;
        }
        rows_[i / 9] |= bit;
        columns_[i % 9] |= bit;
        boxes_[Box(i)] |= bit;
        grid_[i] = static_cast<std::uint8_t>(digit);
        return true;
    }

    void Remove(int i, int digit) {
        const auto bit = static_cast<std::uint16_t>(~(1u << digit));
        rows_[i / 9] &= bit;
        columns_[i % 9] &= bit;
        boxes_[Box(i)] &= bit;
        grid_[i] = 0;
    }

    // The empty cell with the fewest candidates, or -1 when the grid is full.
    int MostConstrainedCell() const {
        int best = -1;
        int fewest = 10;
        for (int i = 0; i < 81; ++i) {
            if (grid_[i] != 0) {
                continue;
            }
            const int options = 9 - std::popcount(static_cast<unsigned>(Used(i) & 0x3FE));
            if (options < fewest) {
                fewest = options;
                best = i;
            }
        }
        return best;
    }

    void Descend() {
        const int cell = MostConstrainedCell();
        if (cell < 0) {
            ++count_;
            return;
        }
        for (int digit = 1; digit <= 9 && count_ < limit_; ++digit) {
            if (Place(cell, digit)) {
                Descend();
                Remove(cell, digit);
            }
        }
    }

    PuzzleDigits grid_;
    std::size_t limit_;
    std::size_t count_ = 0;
    std::array<std::uint16_t, 9> rows_{}, columns_{}, boxes_{};
};

} // namespace

std::size_t CountSolutions(const PuzzleDigits& puzzle, std::size_t limit) {
    return Search(puzzle, limit).Run();
}

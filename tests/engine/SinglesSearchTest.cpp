#include "engine/CGameField.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

std::uint16_t Mark(int digit) {
    return static_cast<std::uint16_t>(1u << (digit - 1));
}

// The digit found and where, or 0 and no cell.
using Found = std::pair<int, CellPos>;

Found Search(const CGameField& field) {
    CellPos pos;
    const int digit = field.FindHiddenSingle(pos);
    return {digit, digit != 0 ? pos : CellPos{}};
}

} // namespace

TEST(SingleMark, OnlyAnEmptyCellWithExactlyOneMarkHasOne) {
    CGameField field;
    EXPECT_EQ(field.GetSingleMark({1, 1}), 0); // no marks

    field.At({1, 1}).flags = Mark(3) | Mark(8);
    EXPECT_EQ(field.GetSingleMark({1, 1}), 0);

    field.At({1, 1}).flags = Mark(9) | CCell::GivenBit | 0x1000;
    EXPECT_EQ(field.GetSingleMark({1, 1}), 9);
    field.At({2, 2}).flags = Mark(1);
    EXPECT_EQ(field.GetSingleMark({2, 2}), 1);

    field.At({2, 2}).value = 4; // a digit hides its marks
    EXPECT_EQ(field.GetSingleMark({2, 2}), 0);
}

// Each case marks one digit in the cells listed with it, on an empty board.
TEST(HiddenSingle, RowsThenColumnsThenBoxesLowerDigitsFirstAndNeverAFilledCell) {
    using Marks = std::vector<std::pair<int, std::vector<CellPos>>>;
    const struct {
        const char* what;
        Marks marks;
        Found found;
    } cases[] = {
        {"nothing marked finds nothing", {}, {0, {}}},
        {"two cells sharing a digit in every unit are no single",
         {{7, {{1, 1}, {2, 1}, {1, 4}, {2, 4}}}},
         {0, {}}},
        // Columns 2 and 8 hold a single 4, row 1 does not; row 3 a single 5.
        {"rows are searched before columns", {{4, {{2, 1}, {8, 1}}}, {5, {{7, 3}}}}, {5, {7, 3}}},
        {"columns in order when no row has one", {{4, {{8, 1}, {2, 1}}}}, {4, {2, 1}}},
        // No row or column holds exactly one mark of 6 or of 2, but box 1 does.
        {"boxes come last and digits before places",
         {{6, {{1, 1}, {4, 1}, {1, 4}, {4, 4}}}, {2, {{3, 3}, {6, 3}, {3, 6}, {6, 6}}}},
         {2, {3, 3}}},
        {"the lower digit wins inside a row", {{8, {{1, 2}}}, {3, {{9, 2}}}}, {3, {9, 2}}},
    };
    for (const auto& c : cases) {
        CGameField field;
        for (const auto& [digit, cells] : c.marks) {
            for (const CellPos pos : cells) {
                field.At(pos).flags |= Mark(digit);
            }
        }
        EXPECT_EQ(Search(field), c.found) << c.what;
    }

    // Filled cells never count, whatever their marks.
    CGameField filled;
    filled.At({1, 5}) = {6, Mark(9)}; // a digit with a stale mark
    filled.At({5, 5}).flags = Mark(9);
    filled.At({5, 7}).flags = Mark(9);
    // Row 5 holds one empty cell marked 9. Counting the filled cell would make
    // it two and move the answer on to row 7.
    EXPECT_EQ(Search(filled), (Found{9, {5, 5}}));
}

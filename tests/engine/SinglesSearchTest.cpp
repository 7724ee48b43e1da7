#include "engine/CGameField.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

std::uint16_t Mark(int digit) {
    return static_cast<std::uint16_t>(1u << (digit - 1));
}

void MarkCells(CGameField& field, int digit, std::initializer_list<CellPos> cells) {
    for (CellPos pos : cells) {
        field.At(pos).flags |= Mark(digit);
    }
}

struct Found {
    int digit;
    CellPos pos;
    friend bool operator==(const Found&, const Found&) = default;
};

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

TEST(HiddenSingle, NothingMarkedFindsNothing) {
    CGameField field;
    EXPECT_EQ(Search(field).digit, 0);
}

TEST(HiddenSingle, TwoCellsSharingADigitInEveryUnitAreNoSingle) {
    CGameField field;
    MarkCells(field, 7, {{1, 1}, {2, 1}, {1, 4}, {2, 4}});
    EXPECT_EQ(Search(field).digit, 0);
}

TEST(HiddenSingle, RowsAreSearchedBeforeColumns) {
    CGameField field;
    MarkCells(field, 4, {{2, 1}, {8, 1}}); // column 2 and column 8 single, row 1 not
    MarkCells(field, 5, {{7, 3}});         // row 3 single
    EXPECT_EQ(Search(field), (Found{5, {7, 3}}));
}

TEST(HiddenSingle, ColumnsAreSearchedInOrderWhenNoRowHasOne) {
    CGameField field;
    MarkCells(field, 4, {{8, 1}, {2, 1}});
    EXPECT_EQ(Search(field), (Found{4, {2, 1}}));
}

TEST(HiddenSingle, BoxesComeLastAndDigitsComeBeforePlaces) {
    CGameField field;
    // No row or column holds exactly one mark of 6 or of 2, but box 1 does.
    MarkCells(field, 6, {{1, 1}, {4, 1}, {1, 4}, {4, 4}});
    MarkCells(field, 2, {{3, 3}, {6, 3}, {3, 6}, {6, 6}});
    EXPECT_EQ(Search(field), (Found{2, {3, 3}}));
}

TEST(HiddenSingle, LowerDigitWinsInsideTheSameRow) {
    CGameField field;
    MarkCells(field, 8, {{1, 2}});
    MarkCells(field, 3, {{9, 2}});
    EXPECT_EQ(Search(field), (Found{3, {9, 2}}));
}

TEST(HiddenSingle, FilledCellsNeverCountWhateverTheirMarks) {
    CGameField field;
    field.At({1, 5}) = {6, Mark(9)}; // a digit with a stale mark
    MarkCells(field, 9, {{5, 5}, {5, 7}});
    // Row 5 holds one empty cell marked 9. Counting the filled cell would make
    // it two and move the answer on to row 7.
    EXPECT_EQ(Search(field), (Found{9, {5, 5}}));
}

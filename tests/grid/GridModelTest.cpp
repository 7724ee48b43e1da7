// The grid's model without a window: shapes, fixed areas, items, attribute
// fallback to the default cells, fonts and sizes, geometry.

#include "grid/CGridCtrl.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

LOGFONT Face(const char* face, LONG height) {
    LOGFONT font{};
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    std::strcpy(font.lfFaceName, face);
    return font;
}

} // namespace

TEST(GridModel, AFixedRowOnAnEmptyTableThenColumnsAndAFixedColumnThatComesAndGoes) {
    CGridCtrl grid;
    ASSERT_TRUE(grid.SetFixedRowCount(1));
    EXPECT_EQ(grid.GetRowCount(), 1);
    EXPECT_EQ(grid.GetFixedRowCount(), 1);
    ASSERT_TRUE(grid.SetColumnCount(3));
    for (int col = 0; col < 3; ++col) {
        CGridCellBase* cell = grid.GetCell(0, col);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->GetState(), 0x30u) << "column " << col;
        EXPECT_EQ(cell->GetFormat(), 0x8824u);
        EXPECT_TRUE(cell->IsFixedRow());
        EXPECT_FALSE(cell->IsFixedCol());
    }
    EXPECT_EQ(grid.GetCell(1, 0), nullptr);
    EXPECT_EQ(grid.GetCell(0, 3), nullptr);

    // With two more rows a fixed column comes and goes with its state bits.
    ASSERT_TRUE(grid.SetRowCount(3));
    grid.GetCell(1, 0)->SetBackClr(RGB(1, 1, 1));
    ASSERT_TRUE(grid.SetFixedColumnCount(1));
    EXPECT_EQ(grid.GetCell(1, 0)->GetState(), 0x50u);
    EXPECT_EQ(grid.GetCell(0, 0)->GetState(), 0x70u);
    EXPECT_EQ(grid.GetCell(1, 0)->GetBackClr(), grid.GetDefaultCell(false, true)->GetBackClr())
        << "a cell entering the fixed area loses its own colours";
    ASSERT_TRUE(grid.SetFixedColumnCount(0));
    EXPECT_EQ(grid.GetCell(1, 0)->GetState(), 0u);
    EXPECT_EQ(grid.GetCell(0, 0)->GetState(), 0x30u);
}

TEST(GridModel, ShrinkingBelowTheFocusRowTheSelectionAndTheFixedCount) {
    CGridCtrl grid(10, 3, 3, 1);
    grid.SetFocusCell(6, 2);
    ASSERT_EQ(grid.GetFocusCell(), (CellId{6, 2}));
    EXPECT_TRUE(grid.GetCell(6, 2)->IsFocused());
    grid.SetSelectedRange({4, 1, 7, 2});
    EXPECT_EQ(grid.GetSelectedCount(), 8);

    ASSERT_TRUE(grid.SetRowCount(6));
    EXPECT_FALSE(grid.IsValid(grid.GetFocusCell())) << "the focus row went away";
    EXPECT_EQ(grid.GetSelectedCount(), 4) << "selected cells leave with their rows";
    EXPECT_EQ(grid.GetSelectedRange(), (CellRange{4, 1, 5, 2}));
    EXPECT_EQ(grid.GetFixedRowCount(), 3);

    ASSERT_TRUE(grid.SetRowCount(2));
    EXPECT_EQ(grid.GetRowCount(), 2);
    EXPECT_EQ(grid.GetFixedRowCount(), 2) << "the fixed rows cannot outnumber the rows";
    ASSERT_TRUE(grid.SetColumnCount(0));
    EXPECT_EQ(grid.GetFixedColumnCount(), 0);
}

TEST(GridModel, CellsFollowTheirDefaultCellsFontColourAndMarginAndSetItemItsMask) {
    CGridCtrl grid(3, 3, 1, 1);
    CGridCellBase* plain = grid.GetCell(1, 1);
    CGridCellBase* header = grid.GetCell(0, 1);
    CGridDefaultCell* normal = grid.GetDefaultCell(false, false);
    EXPECT_TRUE(plain->IsDefaultFont());
    EXPECT_EQ(plain->GetFontObject(), normal->GetFontObject());

    const LOGFONT mono = Face("Courier New", -17);
    normal->SetFont(&mono);
    EXPECT_STREQ(plain->GetFont()->lfFaceName, "Courier New");
    EXPECT_EQ(plain->GetFont()->lfHeight, -17);
    EXPECT_EQ(plain->GetFontObject(), normal->GetFontObject());
    EXPECT_STRNE(header->GetFont()->lfFaceName, "Courier New")
        << "the header keeps its own default";

    const LOGFONT own = Face("Arial", -30);
    grid.GetCell(2, 2)->SetFont(&own);
    EXPECT_FALSE(grid.GetCell(2, 2)->IsDefaultFont());
    EXPECT_STREQ(grid.GetCell(2, 2)->GetFont()->lfFaceName, "Arial");
    EXPECT_NE(grid.GetCell(2, 2)->GetFontObject(), normal->GetFontObject());

    // SetItem changes only what its mask names, and marks the cell.
    CGridCellBase* cell = grid.GetCell(1, 2);
    cell->SetData(99);
    cell->SetTextClr(RGB(1, 2, 3));
    GridItem item;
    item.row = 1;
    item.col = 2;
    item.mask = 0x41;
    item.text = "Alice";
    item.format = DT_CENTER | DT_SINGLELINE;
    item.data = 7;
    item.textClr = RGB(9, 9, 9);
    item.margin = 40;
    ASSERT_TRUE(grid.SetItem(item));
    EXPECT_EQ(cell->GetText(), "Alice");
    EXPECT_EQ(cell->GetFormat(), DT_CENTER | DT_SINGLELINE);
    EXPECT_EQ(cell->GetData(), 99);
    EXPECT_EQ(cell->GetTextClr(), RGB(1, 2, 3));
    EXPECT_NE(cell->GetMargin(), 40u);
    EXPECT_TRUE(cell->IsModified());
    EXPECT_TRUE(grid.GetModified());
    item.row = 5;
    EXPECT_FALSE(grid.SetItem(item)) << "no cell there";

    // Cells fall back on their area's default cell.
    struct Case {
        int row;
        int col;
        CGridDefaultCell* def;
    } cases[] = {{0, 0, grid.GetDefaultCell(true, true)},
                 {0, 2, grid.GetDefaultCell(true, false)},
                 {2, 0, grid.GetDefaultCell(false, true)},
                 {2, 2, normal}};
    COLORREF color = RGB(10, 0, 0);
    for (const Case& c : cases) {
        c.def->SetBackClr(color);
        c.def->SetMargin(11 + static_cast<UINT>(c.row + c.col));
        const CGridCellBase* area = grid.GetCell(c.row, c.col);
        EXPECT_EQ(area->GetDefaultCell(), c.def);
        EXPECT_EQ(area->GetBackClr(), color);
        EXPECT_EQ(area->GetMargin(), 11u + static_cast<UINT>(c.row + c.col));
        color += RGB(10, 0, 0);
    }
    grid.GetCell(2, 2)->SetBackClr(RGB(0, 0, 200));
    EXPECT_EQ(grid.GetCell(2, 2)->GetBackClr(), RGB(0, 0, 200));
    EXPECT_EQ(grid.GetCell(1, 1)->GetBackClr(), RGB(40, 0, 0));
    // A default cell keeps no state and takes every character.
    normal->SetState(0x02);
    normal->SetInputMask(0x4);
    EXPECT_EQ(normal->GetState(), 0u);
    EXPECT_EQ(normal->GetInputMask(), 0x1FF);
}

// Without a toolkit every character is measured half as wide as the font is
// high: the sizing text " XXXXXXXXXXXX " is 14 characters, its line as high as
// the font, the cell one and a half lines high and its margin one space.
TEST(GridModel, DefaultCellSizeAndMarginComeFromItsFont) {
    CGridCtrl grid;
    CGridDefaultCell* normal = grid.GetDefaultCell(false, false);
    const struct {
        LONG font;
        int height;
        int width;
        UINT margin;
    } cases[] = {{-12, 18, 84, 6}, {-20, 30, 140, 10}, {-33, 49, 224, 16}};
    for (const auto& c : cases) {
        const LOGFONT font = Face("Courier New", c.font);
        normal->SetFont(&font);
        EXPECT_EQ(normal->GetHeight(), c.height) << c.font;
        EXPECT_EQ(normal->GetWidth(), c.width) << c.font;
        EXPECT_EQ(normal->GetMargin(), c.margin) << c.font;
    }
    grid.SetColumnCount(1);
    grid.SetRowCount(2);
    EXPECT_EQ(grid.GetRowHeight(1), normal->GetHeight()) << "new rows take the default height";
}

TEST(GridModel, CellRectanglesCellsFromPointsAndHiddenColumns) {
    CGridCtrl grid(5, 4, 1, 1);
    for (int r = 0; r < 5; ++r) {
        grid.SetRowHeight(r, 10 + r);
    }
    for (int c = 0; c < 4; ++c) {
        grid.SetColumnWidth(c, 30 + 10 * c);
    }
    EXPECT_EQ(grid.GetFixedRowHeight(), 10);
    EXPECT_EQ(grid.GetFixedColumnWidth(), 30);
    EXPECT_EQ(grid.GetVirtualHeight(), 60);
    EXPECT_EQ(grid.GetVirtualWidth(), 180);
    RECT rect{};
    ASSERT_TRUE(grid.GetCellRect(2, 2, &rect));
    EXPECT_EQ(rect.left, 70);
    EXPECT_EQ(rect.top, 21);
    EXPECT_EQ(rect.right, 119);
    EXPECT_EQ(rect.bottom, 32);
    const struct {
        POINT point;
        CellId cell;
    } cases[] = {{{0, 0}, {0, 0}},    {{29, 9}, {0, 0}},     {{30, 10}, {1, 1}},
                 {{179, 59}, {4, 3}}, {{180, 60}, {-1, -1}}, {{-1, 5}, {-1, -1}},
                 {{119, 32}, {2, 2}}, {{120, 33}, {3, 3}}};
    for (const auto& c : cases) {
        EXPECT_EQ(grid.GetCellFromPt(c.point), c.cell) << c.point.x << "," << c.point.y;
    }
    // Column widths refuse negatives, and a zero width hides the column.
    EXPECT_FALSE(grid.SetColumnWidth(1, -1));
    EXPECT_EQ(grid.GetColumnWidth(1), 40);
    EXPECT_FALSE(grid.SetColumnWidth(4, 10));
    ASSERT_TRUE(grid.SetColumnWidth(1, 0));
    EXPECT_EQ(grid.GetVirtualWidth(), 140);
    EXPECT_EQ(grid.GetCellFromPt({50, 15}).col, 2) << "the hidden column takes no room";
}

TEST(GridModel, AGridGoingAwayDoesNotStopAnotherFromMakingItsWindow) {
    auto first = std::make_unique<CGridCtrl>();
    CGridCtrl second(2, 2);
    first.reset(); // unregisters the class while no grid window exists
    HWND parent =
        CreateWindowEx(0, "STATIC", "", 0, 0, 0, 200, 100, HWND_MESSAGE, nullptr, nullptr, nullptr);
    EXPECT_TRUE(second.Create(parent, RECT{0, 0, 100, 50}, 5));
    EXPECT_TRUE(second.IsWindow());
    DestroyWindow(parent);
}

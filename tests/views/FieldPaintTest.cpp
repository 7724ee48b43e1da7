// The board's paint, checked pixel by pixel in a memory bitmap: fills by
// selection, conflict and a won game, the selection frame, digit colours,
// mark positions and the grid lines on their truncated positions.

#include "tests/support/SolvedGrid.h"
#include "tests/views/win/Bitmap.h"

#include "views/FieldPaint.h"
#include "views/win/qt/QtBackend.h"

#include <gtest/gtest.h>

namespace {

// The board's colours, written out rather than taken from the code, so that
// a wrong value there shows.
namespace C {
constexpr COLORREF GameOver = RGB(240, 255, 240);
constexpr COLORREF Cell = RGB(255, 255, 240);
constexpr COLORREF CellInConflict = RGB(255, 64, 64);
constexpr COLORREF Selected = RGB(200, 220, 235);
constexpr COLORREF SelectedInConflict = RGB(255, 64, 127);
constexpr COLORREF SameLine = RGB(220, 240, 255);
constexpr COLORREF SameLineInConflict = RGB(255, 64, 255);
constexpr COLORREF FrameDigitMode = RGB(0, 0, 240);
constexpr COLORREF FrameMarkMode = RGB(240, 0, 0);
constexpr COLORREF GivenDigit = RGB(0, 0, 0);
constexpr COLORREF EnteredDigit = RGB(0, 0, 240);
constexpr COLORREF Mark = RGB(240, 64, 64);
constexpr COLORREF ThinLine = RGB(127, 127, 127);
constexpr COLORREF ThickLine = RGB(0, 0, 0);
} // namespace C

CellPos Cell(int column, int row) {
    return {static_cast<std::uint32_t>(column), static_cast<std::uint32_t>(row)};
}

class FieldPaintTest : public ::testing::Test {
protected:
    static constexpr int Side = 376;

    void SetUp() override {
        kwin::qt::InstallQtBackend();
        // A given 5 at (1, 5); with Auto-Check on, a 5 entered at (5, 5)
        // makes row 5 the conflict region.
        PuzzleDigits digits{};
        digits[4 * 9] = 5;
        session.SetAutoCheck(true);
        session.StartPuzzle(digits, 1);
        session.SelectCell(Cell(5, 5));
        session.SetDigit(5);
    }

    // Paints the session into a fresh bitmap of the given size.
    std::unique_ptr<Bitmap> Paint(int width = Side, int height = Side) {
        auto bmp = std::make_unique<Bitmap>(width, height, RGB(1, 2, 3));
        PaintField(bmp->dc(), RECT{0, 0, width, height}, session);
        return bmp;
    }

    // The inside of a cell at the default size, away from lines and frame.
    static RECT Inside(CellPos pos) {
        const double side = (Side - 1) / 9.0;
        return {static_cast<int>((pos.column - 1) * side) + 4,
                static_cast<int>((pos.row - 1) * side) + 4, static_cast<int>(pos.column * side) - 2,
                static_cast<int>(pos.row * side) - 2};
    }

    CGameFieldCtrl session;
};

// The box around the reddish pixels of a drawn mark inside an area (small
// glyphs are smoothed, so few pixels have the exact colour).
RECT MarkInk(const Bitmap& bmp, const RECT& area) {
    return bmp.Bounds(area, [](COLORREF c) {
        return GetRValue(c) >= 200 && GetGValue(c) <= 190 && GetBValue(c) <= 190;
    });
}

struct FillCase {
    CellPos selection;
    CellPos cell;
    COLORREF expected;
    const char* what;
};

} // namespace

// Fills by selection and conflict, digit colours, the frame by input mode,
// and the grid lines on their truncated positions.
TEST_F(FieldPaintTest, FillsDigitsFrameAndLinesFollowTheSession) {
    ASSERT_EQ(session.GetConflictRegion(), (ConflictRegion{ConflictRegion::Row, 5}));
    const FillCase cases[] = {
        {Cell(3, 2), Cell(3, 2), C::Selected, "the selected cell"},
        {Cell(3, 2), Cell(8, 2), C::SameLine, "a cell in its row"},
        {Cell(3, 2), Cell(3, 7), C::SameLine, "a cell in its column"},
        {Cell(3, 2), Cell(7, 5), C::CellInConflict, "a cell in the conflict region"},
        {Cell(3, 2), Cell(3, 5), C::SameLineInConflict, "in its column and the conflict region"},
        {Cell(3, 2), Cell(8, 8), C::Cell, "an ordinary cell"},
        {Cell(7, 5), Cell(7, 5), C::SelectedInConflict, "the selected cell in the conflict"},
        {Cell(7, 5), Cell(2, 5), C::SameLineInConflict, "its row, which is the conflict"},
        {Cell(0, 0), Cell(3, 2), C::Cell, "nothing selected"},
        {Cell(0, 0), Cell(7, 5), C::CellInConflict, "nothing selected, in the conflict"},
    };
    for (const FillCase& c : cases) {
        session.SelectCell(c.selection);
        const auto bmp = Paint();
        const RECT r = Inside(c.cell); // its middle
        EXPECT_EQ(bmp->At((r.left + r.right) / 2, (r.top + r.bottom) / 2), c.expected) << c.what;
    }

    // Given digits are black, entered ones blue (the last row selected nothing).
    auto bmp = Paint();
    EXPECT_GT(bmp->Count(Inside(Cell(1, 5)), C::GivenDigit), 20);
    EXPECT_EQ(bmp->Count(Inside(Cell(1, 5)), C::EnteredDigit), 0);
    EXPECT_GT(bmp->Count(Inside(Cell(5, 5)), C::EnteredDigit), 20);
    EXPECT_EQ(bmp->Count(Inside(Cell(5, 5)), C::GivenDigit), 0);

    // The frame's colour follows the input mode.
    session.SelectCell(Cell(4, 8));
    const RECT cell{125, 291, 166, 333}; // cell (4, 8): 375 / 9 = 41.67 pixels a cell
    bmp = Paint();
    EXPECT_GT(bmp->Count(cell, C::FrameDigitMode), 60) << "blue frame in digit mode";
    EXPECT_EQ(bmp->Count(cell, C::FrameMarkMode), 0);
    EXPECT_EQ(bmp->At(146, 313), C::Selected) << "a hollow frame: the cell's middle is its fill";
    session.ToggleInputMode();
    bmp = Paint();
    EXPECT_GT(bmp->Count(cell, C::FrameMarkMode), 60) << "red frame in mark mode";
    EXPECT_EQ(bmp->Count(cell, C::FrameDigitMode), 0);
    session.SelectCell(Cell(0, 0));
    bmp = Paint();
    EXPECT_EQ(bmp->Count(RECT{0, 0, Side, Side}, C::FrameMarkMode), 0) << "no selection, no frame";

    // The lines fall on truncated positions.
    // 400 wide: cells of 399 / 9 = 44.33 pixels; 391 high: 390 / 9 = 43.33.
    bmp = Paint(400, 391);
    const int y = 20;
    for (int x : {44, 88, 177, 221, 310, 354}) {
        EXPECT_EQ(bmp->At(x, y), C::ThinLine) << "thin line at x " << x;
        EXPECT_NE(bmp->At(x + 2, y), C::ThinLine);
    }
    const int x = 20;
    for (int yLine : {43, 86, 173, 216, 303, 346}) {
        EXPECT_EQ(bmp->At(x, yLine), C::ThinLine) << "thin line at y " << yLine;
        EXPECT_NE(bmp->At(x, yLine + 2), C::ThinLine);
    }
    EXPECT_EQ(bmp->At(133, y), C::ThickLine) << "box line at 399 / 3";
    EXPECT_EQ(bmp->At(266, y), C::ThickLine);
    EXPECT_EQ(bmp->At(x, 130), C::ThickLine) << "box line at 390 / 3";
    EXPECT_EQ(bmp->At(x, 260), C::ThickLine);
    EXPECT_EQ(bmp->At(0, y), C::ThickLine) << "outer border";
    EXPECT_EQ(bmp->At(399, y), C::ThickLine);
    EXPECT_EQ(bmp->At(x, 390), C::ThickLine);
    // Cell widths differ by one pixel: 44 and 45 wide fills.
    EXPECT_EQ(bmp->At(45, y), C::Cell);
    EXPECT_EQ(bmp->At(87, y), C::Cell);
}

TEST_F(FieldPaintTest, WonBoardHasOneColourAndNoFrame) {
    session.SetAutoCheck(false);
    session.StartPuzzle(SolutionWithHoles({Cell(5, 5)}), 1);
    session.SelectCell(Cell(5, 5));
    session.SetDigit(SolutionDigit(Cell(5, 5)));
    ASSERT_TRUE(session.IsGameOver());
    const auto bmp = Paint();
    for (const CellPos pos : {Cell(5, 5), Cell(1, 1), Cell(5, 1), Cell(9, 9)}) {
        const RECT r = Inside(pos);
        EXPECT_EQ(bmp->At(r.left, r.top), C::GameOver);
    }
    EXPECT_EQ(bmp->Count(RECT{0, 0, Side, Side}, C::FrameMarkMode), 0);
    EXPECT_GT(bmp->Count(Inside(Cell(5, 5)), C::EnteredDigit), 20) << "digits are still drawn";
}

// Marks sit in their third of the cell, and none is drawn under a digit.
TEST_F(FieldPaintTest, MarksSitInTheirThirdOfTheCellAndNotUnderADigit) {
    session.SetAutoCheck(false);
    session.Refresh(); // no conflict colours, which are reddish too
    session.SelectCell(Cell(8, 2));
    session.ToggleMark(2);
    session.ToggleMark(7);
    session.SelectCell(Cell(8, 3));
    session.SetDigit(3);
    session.ToggleMark(1); // digit mode with Ctrl: marks a filled cell
    ASSERT_NE(session.field.At(Cell(8, 3)).flags & 0x1FF, 0);
    session.SelectCell(Cell(0, 0));
    const auto bmp = Paint();
    // Cell (8, 2) spans 291..333 across and 41..83 down; its thirds are 13.9
    // pixels. 2 and 7 lie off the diagonal: 1 2 3 run across the top.
    const RECT topMiddle = MarkInk(*bmp, RECT{305, 41, 319, 55});
    const RECT bottomLeft = MarkInk(*bmp, RECT{291, 69, 305, 83});
    EXPECT_FALSE(IsRectEmpty(&topMiddle)) << "mark 2 in the middle of the top row";
    EXPECT_FALSE(IsRectEmpty(&bottomLeft)) << "mark 7 at the left of the bottom row";
    const RECT rest = MarkInk(*bmp, RECT{291, 41, 305, 69});
    EXPECT_TRUE(IsRectEmpty(&rest)) << "nothing where 1 and 4 go";
    const RECT whole = MarkInk(*bmp, RECT{0, 0, Side, Side});
    const RECT both{bottomLeft.left, topMiddle.top, topMiddle.right, bottomLeft.bottom};
    EXPECT_TRUE(EqualRect(&whole, &both)) << "no mark anywhere else, none under (8, 3)'s digit";
    EXPECT_GT(Paint(1000, 1000)->Count(RECT{777, 111, 888, 222}, C::Mark), 20)
        << "marks large enough to have pixels of their exact colour";
}

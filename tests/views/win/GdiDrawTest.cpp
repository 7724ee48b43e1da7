// Pixels drawn into memory bitmaps: fills, lines of 1 and 3 pixels, end
// points and right/bottom edges left out, rectangles, block copies. (A fill
// with a system colour brush is the erase in PaintCycleTest.)

#include "Bitmap.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 240);
constexpr COLORREF Grey = RGB(127, 127, 127);

} // namespace

TEST(GdiDrawTest, FillsOfEveryWidthCoverExactlyTheirRectangle) {
    // Widths around the fill's block of 16 pixels, at odd places in a row; the
    // right and bottom edges are left out.
    const struct {
        int left;
        int width;
    } cases[] = {{0, 1}, {2, 8}, {3, 15}, {5, 16}, {7, 17}, {1, 31}, {9, 33}, {2, 50}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        Bitmap bmp(64, 6);
        Fill(bmp.dc(), {c.left, 1, c.left + c.width, 5}, Blue);
        EXPECT_EQ(bmp.Count({0, 0, 64, 6}, Blue), c.width * 4);
        EXPECT_EQ(bmp.At(c.left, 1), Blue);
        EXPECT_EQ(bmp.At(c.left + c.width - 1, 4), Blue);
        EXPECT_EQ(bmp.At(c.left + c.width, 4), White);
        EXPECT_EQ(bmp.At(c.left + c.width - 1, 5), White);
    }
}

// Lines leave out their end point and wide pens are centred on their path;
// rectangles use the pen on the edge and the brush inside.
TEST(GdiDrawTest, LinesAndRectanglesDrawWithThePenOnTheirPathAndTheBrushInside) {
    Bitmap bmp(20, 20);
    DrawWith(bmp.dc(), CreatePen(PS_SOLID, 1, Grey), nullptr, [](HDC dc) {
        MoveToEx(dc, 5, 2, nullptr);
        LineTo(dc, 5, 12);
        MoveToEx(dc, 0, 15, nullptr);
        LineTo(dc, 10, 15);
    });
    bmp.ExpectPixels({{5, 2, Grey}, {5, 11, Grey}, {5, 12, White}, {4, 6, White}, {6, 6, White}});
    bmp.ExpectPixels({{9, 15, Grey}, {10, 15, White}});
    EXPECT_EQ(bmp.Count({0, 0, 20, 20}, Grey), 10 + 10);

    // A line three pixels wide is centred on its path.
    Bitmap thick(20, 20);
    DrawWith(thick.dc(), CreatePen(PS_SOLID, 3, Black), nullptr, [](HDC dc) {
        MoveToEx(dc, 10, 0, nullptr);
        LineTo(dc, 10, 19);
    });
    thick.ExpectPixels(
        {{9, 5, Black}, {10, 5, Black}, {11, 5, Black}, {8, 5, White}, {12, 5, White}});
    EXPECT_EQ(thick.Bounds(Black, 20, 20).bottom, 20)
        << "the pen's width reaches past the end point";
    // So a thick frame on the whole bitmap shows two of its pixels each side.
    Bitmap frame(30, 30);
    DrawWith(frame.dc(), CreatePen(PS_SOLID, 3, Black), GetStockObject(NULL_BRUSH),
             [](HDC dc) { Rectangle(dc, 0, 0, 30, 30); });
    frame.ExpectPixels({{0, 15, Black}, {1, 15, Black}, {2, 15, White}});
    frame.ExpectPixels({{29, 15, Black}, {28, 15, Black}, {27, 15, White}});

    // A rectangle uses the pen on its edge and the brush inside.
    Bitmap rect(40, 20);
    DrawWith(rect.dc(), CreatePen(PS_SOLID, 1, Blue), GetStockObject(NULL_BRUSH),
             [](HDC dc) { Rectangle(dc, 2, 2, 12, 8); });
    rect.ExpectPixels({{2, 2, Blue}, {11, 2, Blue}, {11, 7, Blue}, {2, 7, Blue}}); // the corners
    rect.ExpectPixels({{12, 2, White}, {2, 8, White}, {6, 5, White}}); // outside and inside
    EXPECT_EQ(rect.Count({0, 0, 20, 20}, Blue), 2 * 10 + 2 * 4) << "hollow with the null brush";
    DrawWith(rect.dc(), nullptr, CreateSolidBrush(Red),
             [](HDC dc) { Rectangle(dc, 20, 0, 30, 10); });
    // The default pen is black.
    rect.ExpectPixels({{20, 0, Black}, {25, 5, Red}, {29, 9, Black}, {30, 10, White}});
}

TEST(GdiDrawTest, ViewportOriginShiftsDrawingAndInvertRectAndDrawEdgeDraw) {
    Bitmap bmp(20, 20);
    SetViewportOrgEx(bmp.dc(), 5, 5, nullptr);
    Fill(bmp.dc(), {0, 0, 2, 2}, Red);
    EXPECT_EQ(bmp.At(0, 0), Red) << "GetPixel takes logical coordinates too";
    SetViewportOrgEx(bmp.dc(), 0, 0, nullptr);
    bmp.ExpectPixels({{5, 5, Red}, {4, 4, White}});

    const RECT corner{0, 0, 4, 4};
    InvertRect(bmp.dc(), &corner);
    bmp.ExpectPixels({{3, 3, Black}, {4, 4, White}});
    RECT edge{10, 10, 20, 20};
    DrawEdge(bmp.dc(), &edge, EDGE_RAISED, BF_RECT | BF_ADJUST);
    bmp.ExpectPixels(
        {{10, 15, GetSysColor(COLOR_3DLIGHT)}, {19, 15, GetSysColor(COLOR_3DDKSHADOW)}});
    bmp.ExpectPixels(
        {{11, 15, GetSysColor(COLOR_3DHILIGHT)}, {18, 15, GetSysColor(COLOR_3DSHADOW)}});
    EXPECT_EQ(edge.left, 12);
    EXPECT_EQ(edge.bottom, 18);
}

TEST(GdiDrawTest, BitBltCopiesABlockOnlyFromInsideTheSourceAndHandlesOverlap) {
    Bitmap src(10, 10, Blue);
    Bitmap dst(20, 20);
    SetPixel(src.dc(), 0, 0, Red);
    EXPECT_TRUE(BitBlt(dst.dc(), 5, 6, 10, 10, src.dc(), 0, 0, SRCCOPY));
    dst.ExpectPixels({{5, 6, Red}, {14, 15, Blue}, {15, 15, White}, {4, 6, White}});
    // From outside the source, the target is left as it was.
    Bitmap small(4, 4, Blue);
    Bitmap target(10, 10);
    BitBlt(target.dc(), 0, 0, 10, 10, small.dc(), -2, -2, SRCCOPY);
    target.ExpectPixels({{1, 1, White}, {2, 2, Blue}, {5, 5, Blue}, {6, 6, White}});
    // Within one bitmap, overlapping blocks are copied as if through a copy.
    Bitmap bmp(4, 6);
    for (int y = 0; y < 6; ++y) {
        SetPixel(bmp.dc(), 0, y, RGB(y, 0, 0));
    }
    BitBlt(bmp.dc(), 0, 1, 4, 5, bmp.dc(), 0, 0, SRCCOPY); // scroll down by one row
    for (int y = 1; y < 6; ++y) {
        EXPECT_EQ(bmp.At(0, y), RGB(y - 1, 0, 0)) << y;
    }
    BitBlt(bmp.dc(), 0, 0, 4, 5, bmp.dc(), 0, 1, SRCCOPY); // and back up
    for (int y = 0; y < 5; ++y) {
        EXPECT_EQ(bmp.At(0, y), RGB(y, 0, 0)) << y;
    }
}

TEST(GdiDrawTest, SelectedBitmapCannotBeDeletedNorSelectedTwice) {
    HDC a = CreateCompatibleDC(nullptr);
    HDC b = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(a, 5, 5);
    HGDIOBJ old = SelectObject(a, bmp);
    EXPECT_NE(old, nullptr);
    EXPECT_EQ(SelectObject(b, bmp), nullptr);
    EXPECT_FALSE(DeleteObject(bmp));
    SelectObject(a, old);
    EXPECT_TRUE(DeleteObject(bmp));
    DeleteDC(a);
    DeleteDC(b);
}

TEST(GdiDrawTest, MulDivRoundsToNearest) {
    EXPECT_EQ(MulDiv(540 - 123, 9, 10), 375);
    EXPECT_EQ(MulDiv(5, 1, 2), 3);
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(7, 3, 0), -1);
    EXPECT_EQ(MulDiv(12, 96, 72), 16);
}

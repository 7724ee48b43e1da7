// Clip regions as pixels: whatever is drawn lands only inside the clip that
// IntersectClipRect, ExcludeClipRect and SelectClipRgn leave, whichever
// drawing operation draws it.

#include "Bitmap.h"
#include "TestWindows.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr int Size = 30;
const RECT All{0, 0, Size, Size};
const RECT Hole{10, 10, 20, 20};

// GetPixel reads only inside the clip, as on the platform: checks drop it first.
void Unclip(const Bitmap& bmp) {
    SelectClipRgn(bmp.dc(), nullptr);
}

struct DrawCase {
    std::string name;
    std::function<void(HDC)> draw;
};

// Each draws red over the whole bitmap, the hole included, with a red pen
// and a red brush selected.
const DrawCase DrawCases[] = {
    {"FillRect", [](HDC dc) { Fill(dc, All, Red); }},
    {"PatBlt", [](HDC dc) { PatBlt(dc, 0, 0, Size, Size, PATCOPY); }},
    {"Rectangle", [](HDC dc) { Rectangle(dc, 0, 0, Size, Size); }},
    {"Ellipse", [](HDC dc) { Ellipse(dc, -20, -20, Size + 20, Size + 20); }},
    {"Lines",
     [](HDC dc) {
         for (int y = 0; y < Size; ++y) {
             MoveToEx(dc, 0, y, nullptr);
             LineTo(dc, Size, y);
         }
     }},
    {"SetPixel",
     [](HDC dc) {
         for (int y = 0; y < Size; ++y) {
             for (int x = 0; x < Size; ++x) {
                 SetPixel(dc, x, y, Red);
             }
         }
     }},
    {"BitBlt",
     [](HDC dc) {
         Bitmap source(Size, Size, Red);
         BitBlt(dc, 0, 0, Size, Size, source.dc(), 0, 0, SRCCOPY);
     }},
    {"InvertRect",
     [](HDC dc) {
         Fill(dc, All, RGB(0, 255, 255)); // inverts to red where it lands
         InvertRect(dc, &All);
     }},
};

class ClipDrawTest : public ::testing::TestWithParam<DrawCase> {
protected:
    void Draw(HDC dc) const {
        DrawWith(dc, CreatePen(PS_SOLID, 1, Red), CreateSolidBrush(Red), GetParam().draw);
    }
};

} // namespace

TEST_P(ClipDrawTest, ExcludedRectangleStaysUntouchedAndIntersectedOneIsAllThatChanges) {
    Bitmap excluded(Size, Size);
    EXPECT_EQ(ExcludeClipRect(excluded.dc(), Hole.left, Hole.top, Hole.right, Hole.bottom),
              COMPLEXREGION);
    Draw(excluded.dc());
    Unclip(excluded);
    EXPECT_EQ(excluded.Count(Hole, White), 100);
    EXPECT_EQ(excluded.Count(All, Red), Size * Size - 100);

    Bitmap intersected(Size, Size);
    EXPECT_EQ(IntersectClipRect(intersected.dc(), Hole.left, Hole.top, Hole.right, Hole.bottom),
              SIMPLEREGION);
    Draw(intersected.dc());
    Unclip(intersected);
    EXPECT_EQ(intersected.Count(Hole, Red), 100);
    EXPECT_EQ(intersected.Count(All, Red), 100);
}

INSTANTIATE_TEST_SUITE_P(EveryOperation, ClipDrawTest, ::testing::ValuesIn(DrawCases),
                         [](const auto& info) { return info.param.name; });

// One bitmap's clip: the box and kind after each step, exclusions in logical
// coordinates, selected regions copied, RestoreDC undoing both, and a copy
// within the bitmap around an excluded band.
TEST(ClipRegionTest, ClipBoxKindExclusionsSelectedRegionsRestoreDcAndCopiesAroundAHole) {
    Bitmap bmp(Size, Size);
    HDC dc = bmp.dc();
    RECT box{};
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, Size);
    ExcludeClipRect(dc, 0, 0, Size, 10); // the top third goes
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.top, 10);
    EXPECT_EQ(box.bottom, Size);
    ExcludeClipRect(dc, 10, 15, 20, 20); // a hole: no longer one rectangle
    EXPECT_EQ(GetClipBox(dc, &box), COMPLEXREGION);
    EXPECT_EQ(box.top, 10);
    IntersectClipRect(dc, 0, 0, 10, Size); // the left column, clear of the hole
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, 10);
    ExcludeClipRect(dc, 0, 0, Size, Size);
    EXPECT_EQ(GetClipBox(dc, &box), NULLREGION);
    Fill(dc, All, Red);
    Unclip(bmp);
    EXPECT_EQ(bmp.Count(All, Red), 0);
    EXPECT_EQ(SelectClipRgn(dc, nullptr), SIMPLEREGION); // back to the whole bitmap
    Fill(dc, All, Red);
    EXPECT_EQ(bmp.Count(All, Red), Size * Size);

    // Exclusions are in logical coordinates; RestoreDC undoes them.
    Fill(dc, All, White);
    const int saved = SaveDC(dc);
    SetViewportOrgEx(dc, 5, 5, nullptr);
    ExcludeClipRect(dc, 0, 0, 10, 10); // device 5..15
    SetViewportOrgEx(dc, 0, 0, nullptr);
    SetTextColor(dc, Red);
    SetBkMode(dc, TRANSPARENT);
    Fill(dc, All, Red);
    Unclip(bmp);
    EXPECT_EQ(bmp.Count({5, 5, 15, 15}, White), 100);
    EXPECT_EQ(bmp.At(4, 4), Red);
    EXPECT_EQ(bmp.At(15, 15), Red);

    // RestoreDC gives back the whole clip and the colours.
    Fill(dc, All, White);
    ExcludeClipRect(dc, Hole.left, Hole.top, Hole.right, Hole.bottom);
    EXPECT_TRUE(RestoreDC(dc, saved));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    Fill(dc, All, Red);
    EXPECT_EQ(bmp.Count(All, Red), Size * Size);

    // A selected region is copied and replaces the clip.
    Fill(dc, All, White);
    ExcludeClipRect(dc, 0, 0, Size, Size);
    HRGN region = CreateRectRgn(2, 3, 12, 8);
    EXPECT_EQ(SelectClipRgn(dc, region), SIMPLEREGION);
    DeleteObject(region); // the DC keeps its own copy
    Fill(dc, All, Red);
    EXPECT_EQ(bmp.At(12, 3), CLR_INVALID) << "read outside the clip";
    Unclip(bmp);
    EXPECT_EQ(bmp.Count(All, Red), 10 * 5);
    EXPECT_EQ(bmp.At(2, 3), Red);
    EXPECT_EQ(bmp.At(12, 3), White);

    // A copy within one bitmap around a hole reads the original pixels.
    for (int x = 0; x < Size; ++x) { // a column of a different colour each
        Fill(dc, {x, 0, x + 1, Size}, RGB(x, 0, 0));
    }
    ExcludeClipRect(dc, 0, 10, Size, 20);                // the clip is an upper and a lower band
    BitBlt(dc, 1, 0, Size - 1, Size, dc, 0, 0, SRCCOPY); // one to the right
    Unclip(bmp);
    EXPECT_EQ(bmp.At(1, 0), RGB(0, 0, 0));
    EXPECT_EQ(bmp.At(29, 0), RGB(28, 0, 0));
    EXPECT_EQ(bmp.At(29, 25), RGB(28, 0, 0));
    EXPECT_EQ(bmp.At(29, 15), RGB(29, 0, 0)) << "the excluded band is not copied";
}

TEST(ClipRegionTest, PaintDcClipsToTheUpdateRectangleAndItsOwnExclusions) {
    HWND hwnd = CreateWindowEx(0, wintest::TestClass("ClipRegionTestWindow", DefWindowProc), "",
                               WS_POPUP, 0, 0, Size, Size, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    ValidateRect(hwnd, nullptr);
    const RECT update{0, 0, 20, 20};
    InvalidateRect(hwnd, &update, FALSE);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    EXPECT_TRUE(EqualRect(&ps.rcPaint, &update));
    ExcludeClipRect(dc, 0, 0, 10, 10);
    RECT box{};
    EXPECT_EQ(GetClipBox(dc, &box), COMPLEXREGION);
    EXPECT_EQ(box.right, 20);
    EXPECT_EQ(box.bottom, 20);
    Fill(dc, All, Red);
    EndPaint(hwnd, &ps);
    HDC window = GetDC(hwnd);
    EXPECT_NE(GetPixel(window, 5, 5), Red);
    EXPECT_EQ(GetPixel(window, 15, 5), Red);
    EXPECT_EQ(GetPixel(window, 19, 19), Red);
    EXPECT_NE(GetPixel(window, 20, 19), Red) << "outside the update rectangle";
    EXPECT_NE(GetPixel(window, 19, 20), Red);
    ReleaseDC(hwnd, window);
    DestroyWindow(hwnd);
}

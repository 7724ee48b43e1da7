// Text as the board draws it, through the Qt backend: DT_VCENTER moves a
// line to the middle only together with DT_SINGLELINE, and text keeps out of
// an excluded clip rectangle.

#include "Bitmap.h"

#include "views/win/qt/QtBackend.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr COLORREF Paper = RGB(255, 255, 240);
constexpr COLORREF Ink = RGB(0, 0, 240);
constexpr int Width = 120;
constexpr int Height = 200;

// The bounding box of the ink of one "8" drawn in a 120 x 200 rectangle.
RECT InkOfDigit(UINT format, const RECT* excluded = nullptr) {
    Bitmap bmp(Width, Height, Paper);
    LOGFONT lf{};
    lf.lfHeight = 40;
    std::strncpy(lf.lfFaceName, "Arial", LF_FACESIZE - 1);
    HFONT font = CreateFontIndirect(&lf);
    HGDIOBJ old = SelectObject(bmp.dc(), font);
    SetBkMode(bmp.dc(), TRANSPARENT);
    SetTextColor(bmp.dc(), Ink);
    if (excluded != nullptr) {
        ExcludeClipRect(bmp.dc(), excluded->left, excluded->top, excluded->right, excluded->bottom);
    }
    RECT r{0, 0, Width, Height};
    DrawText(bmp.dc(), "8", 1, &r, format);
    SelectObject(bmp.dc(), old);
    DeleteObject(font);
    SelectClipRgn(bmp.dc(), nullptr);
    return bmp.Bounds(Ink, Width, Height);
}

class QtTextClipTest : public ::testing::Test {
protected:
    void SetUp() override { kwin::qt::InstallQtBackend(); }
};

} // namespace

TEST_F(QtTextClipTest, VerticalCentringNeedsASingleLine) {
    struct Case {
        UINT format;
        int minTop;
        int maxTop;
    };
    // A 40-pixel cell holds a digit about 30 pixels high.
    const Case cases[] = {
        {DT_CENTER | DT_VCENTER, 0, 15},                  // left at the top
        {DT_CENTER | DT_VCENTER | DT_SINGLELINE, 75, 95}, // in the middle of 200
        {DT_CENTER | DT_SINGLELINE, 0, 15},               // the top without DT_VCENTER
        {DT_CENTER | DT_BOTTOM | DT_SINGLELINE, 160, 199},
    };
    for (const Case& c : cases) {
        const RECT ink = InkOfDigit(c.format);
        ASSERT_FALSE(IsRectEmpty(&ink)) << "format " << c.format;
        EXPECT_GE(ink.top, c.minTop) << "format " << c.format;
        EXPECT_LE(ink.top, c.maxTop) << "format " << c.format;
        EXPECT_NEAR((ink.left + ink.right) / 2, Width / 2, 3) << "format " << c.format;
    }
}

TEST_F(QtTextClipTest, TextKeepsOutOfAnExcludedRectangle) {
    const RECT whole = InkOfDigit(DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ASSERT_FALSE(IsRectEmpty(&whole));
    const int middle = (whole.top + whole.bottom) / 2;
    // The upper half of the glyph's box is excluded: only its lower half is drawn.
    const RECT upper{0, 0, Width, middle};
    const RECT lower = InkOfDigit(DT_CENTER | DT_VCENTER | DT_SINGLELINE, &upper);
    ASSERT_FALSE(IsRectEmpty(&lower));
    EXPECT_GE(lower.top, middle);
    EXPECT_EQ(lower.bottom, whole.bottom);
    // A hole in the middle of the glyph: ink stays on both sides of it.
    const RECT band{0, middle - 3, Width, middle + 3};
    const RECT split = InkOfDigit(DT_CENTER | DT_VCENTER | DT_SINGLELINE, &band);
    EXPECT_EQ(split.top, whole.top);
    EXPECT_EQ(split.bottom, whole.bottom);
}

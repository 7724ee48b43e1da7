// Text through the Qt backend: placed by DrawText's formats and kept out of
// excluded clip rectangles, and fonts resolved to installed faces. (A bitmap
// drawn off screen and copied to a window is the hint strip in tests/app;
// what a widget shows of its window is in QtControlsTest.)

#include "Bitmap.h"

#include "views/win/qt/QtBackend.h"

#include <cstring>
#include <utility>

namespace {

constexpr COLORREF Paper = RGB(255, 255, 240);
constexpr COLORREF Ink = RGB(0, 0, 240);

HFONT MakeFont(LONG height, const char* face, LONG escapement = 0) {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfEscapement = escapement;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

// Draws text in Arial of the given height, transparent, in Ink on a Paper
// bitmap of the rectangle's size and returns the bounding box of the ink.
// An escapement draws with TextOut at the rectangle's bottom-left corner.
RECT InkOf(const char* text, LONG height, UINT format, const RECT& r,
           const RECT* excluded = nullptr, LONG escapement = 0) {
    Bitmap bmp(r.right, r.bottom, Paper);
    HFONT font = MakeFont(height, "Arial", escapement);
    HGDIOBJ old = SelectObject(bmp.dc(), font);
    SetBkMode(bmp.dc(), TRANSPARENT);
    SetTextColor(bmp.dc(), Ink);
    if (excluded != nullptr) {
        ExcludeClipRect(bmp.dc(), excluded->left, excluded->top, excluded->right, excluded->bottom);
    }
    RECT box = r;
    if (escapement != 0) {
        TextOut(bmp.dc(), r.left, r.bottom - 10, text, static_cast<int>(std::strlen(text)));
    } else {
        DrawText(bmp.dc(), text, -1, &box, format);
    }
    SelectObject(bmp.dc(), old);
    DeleteObject(font);
    SelectClipRgn(bmp.dc(), nullptr);
    return bmp.Bounds(Ink, r.right, r.bottom);
}

} // namespace

TEST(QtPaintTest, DrawTextPlacesTheTextByItsFormatAndKeepsOutOfExcludedRectangles) {
    kwin::qt::InstallQtBackend();
    struct Drawing {
        const char* text;
        LONG height;
        UINT format;
        RECT rect;
    };
    struct Case {
        const char* what;
        Drawing drawing;
        std::pair<RECT, RECT> ink; // the least and the most left, top, right and bottom
    };
    constexpr UINT Centred = DT_CENTER | DT_SINGLELINE;
    // A 40-pixel cell holds a digit about 30 pixels high, a 60-pixel one about 40.
    const Case cases[] = {
        {"DT_VCENTER without DT_SINGLELINE leaves the line at the top",
         {"8", 40, DT_CENTER | DT_VCENTER, {0, 0, 120, 200}},
         {{45, 0, 0, 0}, {60, 15, 75, 200}}},
        {"centred both ways",
         {"8", 40, Centred | DT_VCENTER, {0, 0, 120, 200}},
         {{45, 75, 0, 0}, {60, 95, 75, 200}}},
        {"a bigger digit",
         {"8", 60, Centred | DT_VCENTER, {0, 0, 120, 100}},
         {{40, 15, 0, 65}, {60, 35, 80, 85}}},
        {"the top without DT_VCENTER",
         {"8", 40, Centred, {0, 0, 120, 200}},
         {{45, 0, 0, 0}, {60, 15, 75, 200}}},
        {"DT_BOTTOM",
         {"8", 40, Centred | DT_BOTTOM, {0, 0, 120, 200}},
         {{45, 160, 0, 0}, {60, 199, 75, 200}}},
        {"DT_RIGHT ends at the right edge",
         {"right", -16, DT_RIGHT | DT_SINGLELINE | DT_VCENTER, {0, 0, 150, 30}},
         {{101, 0, 145, 0}, {150, 30, 150, 30}}},
        {"an end ellipsis keeps the text inside",
         {"a long text that cannot fit",
          -14,
          DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX | DT_NOCLIP,
          {0, 0, 60, 40}},
         {{0, 0, 0, 0}, {60, 40, 61, 40}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RECT drawn =
            InkOf(c.drawing.text, c.drawing.height, c.drawing.format, c.drawing.rect);
        ASSERT_FALSE(IsRectEmpty(&drawn)) << "glyph pixels in exactly the text colour";
        EXPECT_GE(drawn.left, c.ink.first.left);
        EXPECT_LE(drawn.left, c.ink.second.left);
        EXPECT_GE(drawn.top, c.ink.first.top);
        EXPECT_LE(drawn.top, c.ink.second.top);
        EXPECT_GE(drawn.right, c.ink.first.right);
        EXPECT_LE(drawn.right, c.ink.second.right);
        EXPECT_GE(drawn.bottom, c.ink.first.bottom);
        EXPECT_LE(drawn.bottom, c.ink.second.bottom);
        if (c.drawing.format & DT_CENTER) {
            EXPECT_NEAR((drawn.left + drawn.right) / 2, c.drawing.rect.right / 2, 3);
        }
    }

    // Text keeps out of an excluded rectangle.
    const RECT all{0, 0, 120, 200};
    const RECT whole = InkOf("8", 40, Centred | DT_VCENTER, all);
    ASSERT_FALSE(IsRectEmpty(&whole));
    const int middle = (whole.top + whole.bottom) / 2;
    // The upper half of the glyph's box is excluded: only its lower half is drawn.
    const RECT upper{0, 0, 120, middle};
    const RECT lower = InkOf("8", 40, Centred | DT_VCENTER, all, &upper);
    ASSERT_FALSE(IsRectEmpty(&lower));
    EXPECT_GE(lower.top, middle);
    EXPECT_EQ(lower.bottom, whole.bottom);
    // A hole in the middle of the glyph: ink stays on both sides of it.
    const RECT band{0, middle - 3, 120, middle + 3};
    const RECT split = InkOf("8", 40, Centred | DT_VCENTER, all, &band);
    EXPECT_EQ(split.top, whole.top);
    EXPECT_EQ(split.bottom, whole.bottom);
}

TEST(QtPaintTest, FontsResolveMeasureAndDrawOpaqueText) {
    kwin::qt::InstallQtBackend();
    // An escapement turns the text counter-clockwise.
    const RECT inked = InkOf("HHHH", -20, 0, RECT{20, 0, 100, 100}, nullptr, 900);
    ASSERT_FALSE(IsRectEmpty(&inked));
    EXPECT_GT(inked.bottom - inked.top, 2 * (inked.right - inked.left)) << "the line runs upwards";
    EXPECT_LE(inked.bottom, 91);

    // Faces resolve to installed ones at the screen's resolution.
    Bitmap bmp(200, 100, Paper);
    const auto face = [&bmp](LONG height, const char* asked) {
        HFONT font = MakeFont(height, asked);
        HGDIOBJ old = SelectObject(bmp.dc(), font);
        char resolved[64] = {};
        GetTextFace(bmp.dc(), sizeof(resolved), resolved);
        SelectObject(bmp.dc(), old);
        DeleteObject(font);
        return std::string(resolved);
    };
    EXPECT_EQ(face(-16, "Arial"), "Liberation Sans");
    EXPECT_EQ(face(-16, "Courier New"), "Liberation Mono");
    const std::string dialog = face(-11, "MS Shell Dlg");
    EXPECT_FALSE(dialog.empty());
    EXPECT_NE(dialog, "MS Shell Dlg");
    EXPECT_GT(GetDeviceCaps(bmp.dc(), LOGPIXELSY), 0);
    EXPECT_EQ(GetDeviceCaps(bmp.dc(), LOGPIXELSX), GetDeviceCaps(bmp.dc(), LOGPIXELSY));

    // DT_CALCRECT measures without drawing.
    HFONT font = MakeFont(-14, "Arial");
    HGDIOBJ old = SelectObject(bmp.dc(), font);
    RECT r{10, 10, 60, 10};
    const int height = DrawText(bmp.dc(), "one two three four", -1, &r, DT_CALCRECT | DT_WORDBREAK);
    RECT single{10, 10, 60, 10};
    const int one = DrawText(bmp.dc(), "one", -1, &single, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_GT(height, one) << "wrapped into several lines";
    EXPECT_EQ(r.bottom - r.top, height);
    EXPECT_LE(r.right - r.left, 60);
    EXPECT_EQ(bmp.Count({0, 0, 200, 100}, Paper), 200 * 100) << "nothing drawn";

    // Opaque text fills its background; a positive height is the cell height.
    SelectObject(bmp.dc(), old);
    DeleteObject(font);
    font = MakeFont(20, "Arial");
    old = SelectObject(bmp.dc(), font);
    SetBkColor(bmp.dc(), RGB(200, 0, 0));
    TextOut(bmp.dc(), 10, 5, "ab", 2);
    SIZE size{};
    GetTextExtentPoint32(bmp.dc(), "ab", 2, &size);
    SelectObject(bmp.dc(), old);
    DeleteObject(font);
    EXPECT_GT(size.cx, 5);
    EXPECT_EQ(size.cy, 20);
    EXPECT_GT(bmp.Count({10, 5, 10 + size.cx, 25}, RGB(200, 0, 0)), 0);
    EXPECT_EQ(bmp.At(10 + size.cx + 1, 10), Paper);
}

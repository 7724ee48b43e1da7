// Painting through the Qt backend: text drawn centred at a known colour,
// fonts resolved to installed faces, the paint cycle of a visible window and
// an off-screen bitmap copied to it, seen both in the window's pixels and in
// what its widget shows.

#include "Bitmap.h"
#include "tests/support/MessageLog.h"

#include "views/win/qt/QtBackend.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <cstring>

using namespace wintest;

namespace {

constexpr COLORREF Paper = RGB(255, 255, 240);
constexpr COLORREF Ink = RGB(0, 0, 240);

HFONT MakeFont(LONG height, const char* face, LONG weight = 0) {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

class QtPaintTest : public ::testing::Test {
protected:
    void SetUp() override { kwin::qt::InstallQtBackend(); }
};

} // namespace

TEST_F(QtPaintTest, DigitIsDrawnCentredInItsRectangle) {
    Bitmap bmp(120, 100, Paper);
    HFONT font = MakeFont(60, "Arial");
    HGDIOBJ old = SelectObject(bmp.dc(), font);
    SetBkMode(bmp.dc(), TRANSPARENT);
    SetTextColor(bmp.dc(), Ink);
    RECT r{0, 0, 120, 100};
    DrawText(bmp.dc(), "8", 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(bmp.dc(), old);
    DeleteObject(font);

    const RECT box = bmp.Bounds(Ink, 120, 100);
    ASSERT_FALSE(IsRectEmpty(&box)) << "glyph pixels in exactly the text colour";
    const int cx = (box.left + box.right) / 2;
    const int cy = (box.top + box.bottom) / 2;
    EXPECT_NEAR(cx, 60, 3);
    EXPECT_NEAR(cy, 50, 8);
    EXPECT_GT(box.bottom - box.top, 30) << "a 60-pixel cell gives a digit of about 40 pixels";
    EXPECT_EQ(bmp.At(2, 2), Paper) << "transparent mode leaves the background";
}

TEST_F(QtPaintTest, OpaqueTextFillsItsBackground) {
    Bitmap bmp(100, 40, Paper);
    HFONT font = MakeFont(20, "Arial");
    HGDIOBJ old = SelectObject(bmp.dc(), font);
    SetBkColor(bmp.dc(), RGB(200, 0, 0));
    TextOut(bmp.dc(), 10, 5, "ab", 2);
    SIZE size{};
    GetTextExtentPoint32(bmp.dc(), "ab", 2, &size);
    SelectObject(bmp.dc(), old);
    DeleteObject(font);
    EXPECT_GT(size.cx, 5);
    EXPECT_EQ(size.cy, 20) << "a positive height is the cell height";
    EXPECT_GT(bmp.Count({10, 5, 10 + size.cx, 25}, RGB(200, 0, 0)), 0);
    EXPECT_EQ(bmp.At(10 + size.cx + 1, 10), Paper);
}

TEST_F(QtPaintTest, FontFacesResolveToInstalledOnes) {
    HDC dc = CreateCompatibleDC(nullptr);
    char face[64];
    HFONT arial = MakeFont(-16, "Arial");
    HGDIOBJ old = SelectObject(dc, arial);
    GetTextFace(dc, sizeof(face), face);
    EXPECT_STREQ(face, "Liberation Sans");
    HFONT courier = MakeFont(-16, "Courier New");
    SelectObject(dc, courier);
    GetTextFace(dc, sizeof(face), face);
    EXPECT_STREQ(face, "Liberation Mono");
    HFONT dialog = MakeFont(-11, "MS Shell Dlg");
    SelectObject(dc, dialog);
    GetTextFace(dc, sizeof(face), face);
    EXPECT_GT(std::strlen(face), 0u);
    EXPECT_STRNE(face, "MS Shell Dlg");
    SelectObject(dc, old);
    DeleteObject(arial);
    DeleteObject(courier);
    DeleteObject(dialog);
    DeleteDC(dc);
}

TEST_F(QtPaintTest, DrawTextCalcRectMeasuresWithoutDrawing) {
    Bitmap bmp(200, 100, Paper);
    HFONT font = MakeFont(-14, "Arial");
    HGDIOBJ old = SelectObject(bmp.dc(), font);
    RECT r{10, 10, 60, 10};
    const int height = DrawText(bmp.dc(), "one two three four", -1, &r, DT_CALCRECT | DT_WORDBREAK);
    RECT single{10, 10, 60, 10};
    const int one = DrawText(bmp.dc(), "one", -1, &single, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(bmp.dc(), old);
    DeleteObject(font);
    EXPECT_GT(height, one) << "wrapped into several lines";
    EXPECT_EQ(r.bottom - r.top, height);
    EXPECT_LE(r.right - r.left, 60);
    EXPECT_EQ(bmp.Count({0, 0, 200, 100}, Paper), 200 * 100) << "nothing drawn";
}

TEST_F(QtPaintTest, EndEllipsisKeepsTextInsideItsRectangle) {
    Bitmap bmp(300, 40, Paper);
    HFONT font = MakeFont(-14, "Arial");
    HGDIOBJ old = SelectObject(bmp.dc(), font);
    SetTextColor(bmp.dc(), RGB(0, 0, 0));
    SetBkMode(bmp.dc(), TRANSPARENT);
    RECT r{0, 0, 60, 40};
    DrawText(bmp.dc(), "a long text that cannot fit", -1, &r,
             DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX | DT_NOCLIP);
    SelectObject(bmp.dc(), old);
    DeleteObject(font);
    const RECT inked = bmp.Bounds(RGB(0, 0, 0), 300, 40);
    ASSERT_FALSE(IsRectEmpty(&inked));
    EXPECT_LE(inked.right, 61);
}

TEST_F(QtPaintTest, RightAlignedTextEndsAtTheRightEdge) {
    Bitmap bmp(200, 30, Paper);
    HFONT font = MakeFont(-16, "Arial");
    HGDIOBJ old = SelectObject(bmp.dc(), font);
    SetBkMode(bmp.dc(), TRANSPARENT);
    SetTextColor(bmp.dc(), Ink);
    RECT r{0, 0, 150, 30};
    DrawText(bmp.dc(), "right", -1, &r, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
    SelectObject(bmp.dc(), old);
    DeleteObject(font);
    const RECT inked = bmp.Bounds(Ink, 200, 30);
    ASSERT_FALSE(IsRectEmpty(&inked));
    EXPECT_GE(inked.right, 145);
    EXPECT_LE(inked.right, 150);
    EXPECT_GT(inked.left, 100);
}

TEST_F(QtPaintTest, EscapementTurnsTheTextCounterClockwise) {
    Bitmap bmp(100, 100, Paper);
    LOGFONT lf{};
    lf.lfHeight = -20;
    lf.lfEscapement = 900;
    std::strncpy(lf.lfFaceName, "Arial", LF_FACESIZE - 1);
    HFONT font = CreateFontIndirect(&lf);
    HGDIOBJ old = SelectObject(bmp.dc(), font);
    SetBkMode(bmp.dc(), TRANSPARENT);
    SetTextColor(bmp.dc(), Ink);
    TextOut(bmp.dc(), 20, 90, "HHHH", 4);
    SelectObject(bmp.dc(), old);
    DeleteObject(font);
    const RECT inked = bmp.Bounds(Ink, 100, 100);
    ASSERT_FALSE(IsRectEmpty(&inked));
    EXPECT_GT(inked.bottom - inked.top, 2 * (inked.right - inked.left)) << "the line runs upwards";
    EXPECT_LE(inked.bottom, 91);
}

TEST_F(QtPaintTest, DeviceResolutionIsThatOfTheScreen) {
    HDC dc = GetDC(nullptr);
    EXPECT_GT(GetDeviceCaps(dc, LOGPIXELSY), 0);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY));
    ReleaseDC(nullptr, dc);
    // A 9-point font at this resolution, as a dialog font would ask for it.
    EXPECT_EQ(MulDiv(9, 96, 72), 12);
}

namespace {

// A window that copies an off-screen bitmap to itself on WM_PAINT.
LRESULT BlitProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) {
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    HDC mem = CreateCompatibleDC(hdc);
    HBITMAP bmp = CreateCompatibleBitmap(hdc, client.right, client.bottom);
    HGDIOBJ old = SelectObject(mem, bmp);
    HBRUSH paper = CreateSolidBrush(Paper);
    FillRect(mem, &client, paper);
    DeleteObject(paper);
    HBRUSH ink = CreateSolidBrush(Ink);
    const RECT cell{10, 20, 40, 50};
    FillRect(mem, &cell, ink);
    DeleteObject(ink);
    BitBlt(hdc, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    EndPaint(hwnd, &ps);
    return 0;
}

} // namespace

TEST_F(QtPaintTest, OffScreenBitmapCopiedToAVisibleWindow) {
    WNDCLASSEX wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = BlitProc;
    wc.lpszClassName = "BlitWindow";
    RegisterClassEx(&wc);
    HWND hwnd = CreateWindowEx(0, "BlitWindow", "blit", WS_POPUP | WS_VISIBLE, 100, 100, 120, 90,
                               nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    PumpMessages();
    HDC dc = GetDC(hwnd);
    EXPECT_EQ(GetPixel(dc, 10, 20), Ink);
    EXPECT_EQ(GetPixel(dc, 39, 49), Ink);
    EXPECT_EQ(GetPixel(dc, 40, 49), Paper);
    EXPECT_EQ(GetPixel(dc, 119, 89), Paper);
    ReleaseDC(hwnd, dc);

    QWidget* widget = kwin::qt::WidgetOf(hwnd);
    ASSERT_NE(widget, nullptr);
    const QImage shown = widget->grab().toImage();
    EXPECT_EQ(shown.pixelColor(10, 20), QColor(0, 0, 240));
    EXPECT_EQ(shown.pixelColor(40, 49), QColor(255, 255, 240));

    RECT update;
    EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE)) << "the paint validated the window";
    InvalidateRect(hwnd, nullptr, FALSE);
    EXPECT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
    UpdateWindow(hwnd);
    EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE));
    DestroyWindow(hwnd);
    PumpMessages();
}

TEST_F(QtPaintTest, HiddenWindowsAreNotPaintedUntilShown) {
    Log().Clear();
    HWND hwnd = CreateWindowEx(0, SpyClass(0), "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                               nullptr, nullptr);
    PumpMessages();
    for (const auto& r : Log().Entries()) {
        EXPECT_NE(r.message, WM_PAINT);
    }
    Log().Clear();
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    PumpMessages();
    // The offscreen platform activates every window it shows, whatever was asked.
    EXPECT_TRUE(Log().Matches({{WM_SHOWWINDOW, CheckW, TRUE},
                               {WM_NCACTIVATE, Optional},
                               {WM_ACTIVATE, Optional},
                               {WM_SETFOCUS, Optional},
                               {WM_PAINT},
                               {WM_ERASEBKGND}}));
    DestroyWindow(hwnd);
}

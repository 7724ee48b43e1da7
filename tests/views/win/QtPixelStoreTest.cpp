// A shown window's pixels live in the toolkit's backing store alone: the
// layer lets go of its copy once Qt has shown it, takes the pixels back when
// the window draws again, and paints anew what the store lost, before Qt
// shows it.

#include "QtWindowFixture.h"
#include "TestWindows.h"

#include "views/win/backend/Backend.h"

#include <QBackingStore>
#include <QImage>

using namespace wintest;

namespace {

// What the panes paint their update rectangle with, and the rectangles.
COLORREF g_paint = RGB(200, 0, 0);
std::vector<std::pair<HWND, RECT>> g_painted;

LRESULT PaneProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        return 1;
    }
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        HBRUSH brush = CreateSolidBrush(g_paint);
        FillRect(dc, &ps.rcPaint, brush);
        DeleteObject(brush);
        g_painted.emplace_back(hwnd, ps.rcPaint);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

COLORREF ToColor(QRgb pixel) {
    return RGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

class QtPixelStoreTest : public QtWindowFixture {
protected:
    void SetUp() override {
        g_paint = RGB(200, 0, 0);
        g_painted.clear();
        CreateTopLevel(TestClass("PixelStoreTop", DefWindowProc), "store", 300, 240,
                       WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU);
        const LPCSTR pane = TestClass("PixelStorePane", PaneProc);
        m_pane = CreateWindowEx(0, pane, "", WS_CHILD | WS_VISIBLE, 11, 13, 160, 120, m_top,
                                nullptr, nullptr, nullptr);
        m_cover = CreateWindowEx(0, pane, "", WS_CHILD | WS_VISIBLE, 101, 63, 60, 50, m_top,
                                 nullptr, nullptr, nullptr);
        SetWindowPos(m_cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        Settle();
    }

    // Handles everything pending, then once more what that caused.
    void Settle() {
        for (int i = 0; i < 3; ++i) {
            Pump();
        }
    }

    // What the top-level window's backing store holds at a client point of
    // the top-level window, read straight from it: what the screen shows.
    COLORREF Shown(int x, int y) const {
        auto* image = dynamic_cast<QImage*>(m_widget->backingStore()->paintDevice());
        EXPECT_NE(image, nullptr);
        if (image == nullptr) {
            return CLR_INVALID;
        }
        const QPoint at = m_widget->contentsRect().topLeft() + QPoint(x, y);
        const double ratio = image->devicePixelRatio();
        return ToColor(
            image->pixel(static_cast<int>(at.x() * ratio), static_cast<int>(at.y() * ratio)));
    }

    std::vector<RECT> PaintedRects(HWND hwnd) const {
        std::vector<RECT> rects;
        for (const auto& [window, rect] : g_painted) {
            if (window == hwnd) {
                rects.push_back(rect);
            }
        }
        return rects;
    }

    HWND m_pane = nullptr;
    HWND m_cover = nullptr;
};

TEST_F(QtPixelStoreTest, AShownWindowIsDrawnAgainOverWhatTheStoreShows) {
    EXPECT_FALSE(kwin::HoldsWindowPixels(m_top)) << "Qt keeps the window's pixels";
    EXPECT_FALSE(kwin::HoldsWindowPixels(m_pane));
    EXPECT_FALSE(kwin::HoldsWindowPixels(m_cover));
    EXPECT_EQ(Shown(11 + 9, 13 + 7), RGB(200, 0, 0));

    // A part painted again: only that part is painted, over the pixels taken
    // back from the store.
    g_paint = RGB(0, 0, 200);
    g_painted.clear();
    const RECT part{10, 10, 30, 30};
    InvalidateRect(m_pane, &part, FALSE);
    Settle();
    const std::vector<RECT> painted = PaintedRects(m_pane);
    ASSERT_EQ(painted.size(), 1u) << "no second paint of the whole window";
    EXPECT_TRUE(EqualRect(&painted[0], &part));
    EXPECT_EQ(Shown(11 + 15, 13 + 15), RGB(0, 0, 200));
    EXPECT_EQ(Shown(11 + 5, 13 + 5), RGB(200, 0, 0)) << "the rest as it was";
    EXPECT_EQ(Shown(11 + 150, 13 + 100), RGB(200, 0, 0));
    EXPECT_FALSE(kwin::HoldsWindowPixels(m_pane)) << "let go again once shown";

    // The top-level window painted again, under its children too: nothing
    // of theirs changed, so they paint nothing.
    g_painted.clear();
    InvalidateRect(m_top, nullptr, TRUE);
    Settle();
    EXPECT_TRUE(PaintedRects(m_pane).empty());
    EXPECT_EQ(Shown(11 + 15, 13 + 15), RGB(0, 0, 200));
    EXPECT_FALSE(kwin::HoldsWindowPixels(m_top));

    // A DC that only reads leaves the pixels with Qt; they are read from
    // the window's own place in the store, to its last pixel.
    HDC dc = GetDC(m_pane);
    EXPECT_EQ(GetPixel(dc, 20, 20), RGB(0, 0, 200));
    for (const POINT p : {POINT{0, 0}, POINT{159, 119}, POINT{0, 119}, POINT{159, 0}}) {
        EXPECT_EQ(GetPixel(dc, p.x, p.y), RGB(200, 0, 0)) << p.x << ", " << p.y;
    }
    ReleaseDC(m_pane, dc);
    EXPECT_FALSE(kwin::HoldsWindowPixels(m_pane));

    // Drawing through a DC outside WM_PAINT changes the pixels Qt shows,
    // even when Qt paints the window while the DC is held.
    dc = GetDC(m_pane);
    kwin::qt::WidgetOf(m_pane)->repaint();
    HBRUSH green = CreateSolidBrush(RGB(0, 150, 0));
    const RECT strip{0, 100, 160, 120};
    FillRect(dc, &strip, green);
    DeleteObject(green);
    ReleaseDC(m_pane, dc);
    EXPECT_TRUE(kwin::HoldsWindowPixels(m_pane)) << "held while Qt has not shown them";
    Settle();
    EXPECT_EQ(Shown(11 + 5, 13 + 110), RGB(0, 150, 0));
    EXPECT_EQ(Shown(11 + 20, 13 + 20), RGB(0, 0, 200));
    EXPECT_FALSE(kwin::HoldsWindowPixels(m_pane));
}

TEST_F(QtPixelStoreTest, WhatTheStoreLostIsPaintedBeforeQtShowsIt) {
    // The cover goes: the pane's pixels under it were never in the store.
    g_paint = RGB(0, 120, 120);
    g_painted.clear();
    ShowWindow(m_cover, SW_HIDE);
    m_widget->repaint(); // Qt paints the store now, before the layer's own messages
    EXPECT_EQ(Shown(11 + 120, 13 + 80), RGB(0, 120, 120)) << "not the cover's old pixels";
    EXPECT_EQ(Shown(11 + 5, 13 + 5), RGB(200, 0, 0)) << "the uncovered part only";
    ASSERT_FALSE(PaintedRects(m_pane).empty());
    const RECT uncovered{90, 50, 150, 100};
    for (const RECT& r : PaintedRects(m_pane)) {
        RECT inside;
        IntersectRect(&inside, &r, &uncovered);
        EXPECT_TRUE(EqualRect(&inside, &r))
            << "painted " << r.left << "," << r.top << " " << r.right << "," << r.bottom;
    }

    // Qt asks for a part while the layer has another to paint: the layer
    // paints both at once, and Qt shows the other part afterwards.
    g_paint = RGB(90, 0, 90);
    const RECT corner{0, 0, 10, 10};
    InvalidateRect(m_pane, &corner, FALSE);
    kwin::qt::WidgetOf(m_pane)->repaint(QRect(100, 80, 20, 20));
    EXPECT_EQ(Shown(11 + 110, 13 + 90), RGB(90, 0, 90));
    Settle();
    EXPECT_EQ(Shown(11 + 5, 13 + 5), RGB(90, 0, 90)) << "the other part shown too";
    EXPECT_FALSE(kwin::HoldsWindowPixels(m_pane));

    // Qt about to show a part while the layer has the whole pane to paint:
    // the pane paints before Qt starts, and Qt shows all of it at once.
    g_paint = RGB(0, 60, 0);
    InvalidateRect(m_pane, nullptr, FALSE);
    kwin::qt::WidgetOf(m_pane)->update(QRect(100, 80, 20, 20));
    QCoreApplication::sendPostedEvents(m_widget, QEvent::UpdateRequest); // one frame
    EXPECT_EQ(Shown(11 + 110, 13 + 90), RGB(0, 60, 0));
    EXPECT_EQ(Shown(11 + 5, 13 + 5), RGB(0, 60, 0)) << "the same frame shows the rest";
    Settle();

    // A bigger window has a new store; Qt asks for everything again.
    g_paint = RGB(120, 120, 0);
    SetWindowPos(m_top, nullptr, 0, 0, 360, 300, SWP_NOMOVE | SWP_NOZORDER);
    QApplication::processEvents(); // Qt's resize, not yet the layer's messages
    m_widget->repaint();
    EXPECT_EQ(Shown(11 + 5, 13 + 5), RGB(120, 120, 0));
    EXPECT_EQ(Shown(11 + 150, 13 + 110), RGB(120, 120, 0));
    Settle();
    EXPECT_EQ(Shown(11 + 5, 13 + 5), RGB(120, 120, 0));
    EXPECT_FALSE(kwin::HoldsWindowPixels(m_pane));
}

TEST_F(QtPixelStoreTest, AGrabShowsThePixelsTakenBackFromTheStore) {
    g_painted.clear();
    const QImage grabbed = m_widget->grab().toImage();
    const QPoint at = m_widget->contentsRect().topLeft() + QPoint(11 + 20, 13 + 20);
    const double ratio = grabbed.devicePixelRatio();
    EXPECT_EQ(
        ToColor(grabbed.pixel(static_cast<int>(at.x() * ratio), static_cast<int>(at.y() * ratio))),
        RGB(200, 0, 0));
    EXPECT_TRUE(g_painted.empty()) << "nothing painted for a grab";
}

} // namespace

// The windowing layer: the cost of dispatching a sent message, a full
// paint of a board-like pattern (81 fills, 20 lines, 81 centred digits) into
// memory bitmaps of the default board size and of 2000 x 2000 pixels, and
// one cell of a shown window painted again and shown, its pixels taken back
// from the toolkit first.

#include "views/win/Win32.h"
#include "views/win/backend/Backend.h"
#include "views/win/framework/CWindow.h"
#include "views/win/qt/QtBackend.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

namespace {

LRESULT CountingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER + 1) {
        return static_cast<LRESULT>(wParam + 1);
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

HWND MakeCountingWindow() {
    WNDCLASSEX wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = CountingProc;
    wc.lpszClassName = "BenchCounting";
    RegisterClassEx(&wc);
    return CreateWindowEx(0, "BenchCounting", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                          nullptr);
}

void BM_SendMessage(benchmark::State& state) {
    HWND hwnd = MakeCountingWindow();
    WPARAM value = 0;
    for (auto _ : state) {
        value = static_cast<WPARAM>(SendMessage(hwnd, WM_USER + 1, value, 0));
    }
    benchmark::DoNotOptimize(value);
    DestroyWindow(hwnd);
}
BENCHMARK(BM_SendMessage);

class CCountingWindow : public CWindow {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_USER + 1) {
            return static_cast<LRESULT>(wParam + 1);
        }
        return CWindow::WindowProc(message, wParam, lParam);
    }
};

void BM_SendMessageToCWindow(benchmark::State& state) {
    CCountingWindow window;
    window.Create(HWND_MESSAGE);
    WPARAM value = 0;
    for (auto _ : state) {
        value = static_cast<WPARAM>(SendMessage(window, WM_USER + 1, value, 0));
    }
    benchmark::DoNotOptimize(value);
}
BENCHMARK(BM_SendMessageToCWindow);

void Line(HDC hdc, int x0, int y0, int x1, int y1) {
    MoveToEx(hdc, x0, y0, nullptr);
    LineTo(hdc, x1, y1);
}

// One paint of the board pattern, off screen, as the field view does it.
void PaintBoard(HDC target, int size) {
    HDC mem = CreateCompatibleDC(target);
    HBITMAP bmp = CreateCompatibleBitmap(target, size, size);
    HGDIOBJ oldBitmap = SelectObject(mem, bmp);
    const double cell = (size - 1) / 9.0;
    LOGFONT lf{};
    lf.lfHeight = static_cast<LONG>(cell);
    std::strncpy(lf.lfFaceName, "Arial", LF_FACESIZE - 1);
    HFONT font = CreateFontIndirect(&lf);
    HGDIOBJ oldFont = SelectObject(mem, font);
    SetBkMode(mem, TRANSPARENT);
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            const RECT fill{static_cast<LONG>((c - 1) * cell) + 1,
                            static_cast<LONG>((r - 1) * cell) + 1, static_cast<LONG>(c * cell),
                            static_cast<LONG>(r * cell)};
            HBRUSH brush =
                CreateSolidBrush(r == 5 || c == 5 ? RGB(220, 240, 255) : RGB(255, 255, 240));
            FillRect(mem, &fill, brush);
            DeleteObject(brush);
            RECT inner{fill.left + 1, fill.top + 1, fill.right, fill.bottom};
            const char digit = static_cast<char>('1' + (r + c) % 9);
            SetTextColor(mem, (r + c) % 2 ? RGB(0, 0, 0) : RGB(0, 0, 240));
            DrawText(mem, &digit, 1, &inner, DT_CENTER | DT_VCENTER);
        }
    }
    HPEN thin = CreatePen(PS_SOLID, 1, RGB(127, 127, 127));
    HGDIOBJ oldPen = SelectObject(mem, thin);
    for (int k : {1, 2, 4, 5, 7, 8}) {
        Line(mem, static_cast<int>(k * cell), 0, static_cast<int>(k * cell), size - 1);
        Line(mem, 0, static_cast<int>(k * cell), size - 1, static_cast<int>(k * cell));
    }
    HPEN thick = CreatePen(PS_SOLID, 3, RGB(0, 0, 0));
    SelectObject(mem, thick);
    HGDIOBJ oldBrush = SelectObject(mem, GetStockObject(NULL_BRUSH));
    Rectangle(mem, 0, 0, size, size); // four lines
    for (int k : {3, 6}) {
        Line(mem, static_cast<int>(k * cell), 0, static_cast<int>(k * cell), size - 1);
        Line(mem, 0, static_cast<int>(k * cell), size - 1, static_cast<int>(k * cell));
    }
    BitBlt(target, 0, 0, size, size, mem, 0, 0, SRCCOPY);
    SelectObject(mem, oldBrush);
    SelectObject(mem, oldPen);
    SelectObject(mem, oldFont);
    SelectObject(mem, oldBitmap);
    DeleteObject(thin);
    DeleteObject(thick);
    DeleteObject(font);
    DeleteObject(bmp);
    DeleteDC(mem);
}

void BM_PaintBoard(benchmark::State& state) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    kwin::qt::InstallQtBackend();
    const int size = static_cast<int>(state.range(0));
    HDC screen = CreateCompatibleDC(nullptr);
    HBITMAP target = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ old = SelectObject(screen, target);
    for (auto _ : state) {
        PaintBoard(screen, size);
    }
    benchmark::DoNotOptimize(GetPixel(screen, size / 2, size / 2));
    SelectObject(screen, old);
    DeleteObject(target);
    DeleteDC(screen);
}
BENCHMARK(BM_PaintBoard)->Arg(388)->Arg(2000)->Unit(benchmark::kMicrosecond);

int painted = 0;

LRESULT CellPainterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        ++painted;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        static bool dark = false;
        dark = !dark;
        FillRect(dc, &ps.rcPaint,
                 reinterpret_cast<HBRUSH>(GetStockObject(dark ? GRAY_BRUSH : WHITE_BRUSH)));
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

// Messages and toolkit events until the window is painted, the toolkit has
// shown its pixels and the layer has let go of its own.
void ShowPending(HWND hwnd) {
    MSG msg;
    for (int round = 0;
         round < 100 && (GetUpdateRect(hwnd, nullptr, FALSE) || kwin::HoldsWindowPixels(hwnd));
         ++round) {
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessage(&msg);
        }
    }
}

// A shown window of the board's size at the screen's ratio (QT_SCALE_FACTOR):
// a 40 x 40 cell invalidated, painted over the pixels read back from the
// toolkit, and shown.
void BM_RepaintCellOfShownWindow(benchmark::State& state) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    kwin::qt::InstallQtBackend();
    WNDCLASSEX wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = CellPainterProc;
    wc.lpszClassName = "BenchCellPainter";
    RegisterClassEx(&wc);
    HWND hwnd = CreateWindowEx(0, "BenchCellPainter", "", WS_POPUP | WS_VISIBLE, 0, 0, 376, 376,
                               nullptr, nullptr, nullptr, nullptr);
    ShowPending(hwnd);
    const RECT cell{168, 168, 208, 208};
    const int before = painted;
    for (auto _ : state) {
        InvalidateRect(hwnd, &cell, FALSE);
        ShowPending(hwnd);
    }
    state.counters["paints"] =
        benchmark::Counter(painted - before, benchmark::Counter::kAvgIterations);
    state.counters["held"] = kwin::HoldsWindowPixels(hwnd) ? 1 : 0;
    DestroyWindow(hwnd);
}
BENCHMARK(BM_RepaintCellOfShownWindow)->Unit(benchmark::kMicrosecond);

} // namespace

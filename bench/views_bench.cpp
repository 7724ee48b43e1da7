// A full paint of the board into a memory bitmap, at the default size and a
// large one, over a game in progress: givens, entered digits, marks, a
// selection and a conflict; one pixel per unit, and two as on a screen
// scaled by two (the bitmap made compatible with a window's DC there).

#include "views/FieldPaint.h"
#include "views/win/qt/QtBackend.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void PrepareGame(CGameFieldCtrl& session) {
    PuzzleDigits digits{};
    for (int i = 0; i < 81; i += 3) {
        const int r = i / 9;
        const int c = i % 9;
        digits[static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>((r % 3 * 3 + r / 3 + c) % 9 + 1);
    }
    session.SetAutoCheck(true);
    session.StartPuzzle(digits, 1);
    for (std::uint32_t row = 1; row <= 9; ++row) {
        session.SelectCell({2, row});
        session.SetDigit(static_cast<int>(row));
        session.SelectCell({3, row});
        for (int d = 1; d <= 9; d += 2) {
            session.ToggleMark(d);
        }
    }
    session.SelectCell({5, 5});
}

// A DC whose bitmaps have one pixel per unit, or two: compatible with a
// window's DC on a screen scaled by two (QT_SCALE_FACTOR, set to 2 for this
// program when the caller does not set it).
HDC MemoryDC(int ratio) {
    setenv("QT_SCALE_FACTOR", "2", 0);
    kwin::qt::InstallQtBackend();
    if (ratio == 1) {
        return CreateCompatibleDC(nullptr);
    }
    static HWND window =
        CreateWindowEx(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HDC windowDC = GetDC(window);
    HDC dc = CreateCompatibleDC(windowDC);
    ReleaseDC(window, windowDC);
    return dc;
}

void BM_PaintField(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    HDC dc = MemoryDC(static_cast<int>(state.range(2)));
    CGameFieldCtrl session;
    PrepareGame(session);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT client{0, 0, width, height};
    for (auto _ : state) {
        PaintField(dc, client, session);
        benchmark::ClobberMemory();
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

} // namespace

BENCHMARK(BM_PaintField)
    ->ArgNames({"", "", "ratio"})
    ->Args({376, 376, 1})
    ->Args({376, 376, 2})
    ->Args({2000, 2000, 1})
    ->Args({2000, 2000, 2})
    ->Unit(benchmark::kMicrosecond);

// A full paint of the board into a memory bitmap, at the default size and a
// large one, over a game in progress: givens, entered digits, marks, a
// selection and a conflict.

#include "views/FieldPaint.h"
#include "views/win/qt/QtBackend.h"

#include <benchmark/benchmark.h>

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

void BM_PaintField(benchmark::State& state) {
    kwin::qt::InstallQtBackend();
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    CGameFieldCtrl session;
    PrepareGame(session);
    HDC dc = CreateCompatibleDC(nullptr);
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

BENCHMARK(BM_PaintField)->Args({376, 376})->Args({2000, 2000})->Unit(benchmark::kMicrosecond);

// The main window's idle refresh of its status panes, which runs after every
// burst of input: once with nothing changed (the common case: three texts
// formatted and compared, nothing sent) and once with the selection moving
// (pane 0 pushed to the status bar and repainted).

#include "app/AppResources.h"
#include "app/CStatusPanes.h"
#include "views/win/Win32.h"
#include "views/win/qt/QtBackend.h"

#include <benchmark/benchmark.h>

namespace {

LRESULT FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(hwnd, message, wParam, lParam);
}

struct StatusBarFrame {
    StatusBarFrame() {
        kwin::qt::InstallQtBackend();
        RegisterAppResources();
        WNDCLASSEX wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = FrameProc;
        wc.lpszClassName = "BenchShellFrame";
        RegisterClassEx(&wc);
        frame = CreateWindowEx(0, "BenchShellFrame", "", WS_OVERLAPPEDWINDOW, 0, 0, 416, 540,
                               nullptr, nullptr, nullptr, nullptr);
        bar = CreateWindowEx(0, STATUSCLASSNAME, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0,
                             0, 0, frame, nullptr, nullptr, nullptr);
        panes.Attach(bar);
    }
    ~StatusBarFrame() { DestroyWindow(frame); }

    HWND frame = nullptr;
    HWND bar = nullptr;
    CUIStateTable uiState;
    CStatusPanes panes{uiState};
};

void BM_IdleRefreshUnchanged(benchmark::State& state) {
    StatusBarFrame shell;
    BoardStats stats;
    stats.filled = 40;
    stats.givens = 30;
    const std::string message = "Ready (Press 'M' to change Mode or use Ctrl-Number)";
    shell.panes.RefreshIdle(CellPos{4, 5}, false, stats, message);
    for (auto _ : state) {
        benchmark::DoNotOptimize(shell.panes.RefreshIdle(CellPos{4, 5}, false, stats, message));
    }
}
BENCHMARK(BM_IdleRefreshUnchanged);

void BM_IdleRefreshSelectionMoves(benchmark::State& state) {
    StatusBarFrame shell;
    BoardStats stats;
    stats.filled = 40;
    stats.givens = 30;
    const std::string message = "Ready (Press 'M' to change Mode or use Ctrl-Number)";
    std::uint32_t column = 1;
    for (auto _ : state) {
        column = column % 9 + 1;
        benchmark::DoNotOptimize(
            shell.panes.RefreshIdle(CellPos{column, 5}, false, stats, message));
    }
}
BENCHMARK(BM_IdleRefreshSelectionMoves);

} // namespace

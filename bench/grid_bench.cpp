// The grid control: a full paint of a 1,000-row table, a page scroll with
// its repaint, and opening the winners dialog over a list of 10,000 winners
// (template, table set-up, 10,001 rows of text, closing).

#include "grid/CGridCtrl.h"
#include "grid/CShowWinnersDlg.h"
#include "storage/WinnersRules.h"
#include "views/win/backend/Backend.h"
#include "views/win/Win32.h"
#include "views/win/qt/QtBackend.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <string>

namespace {

void Settle() {
    QApplication::processEvents();
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessage(&msg);
    }
}

// A visible 600 x 400 table of 1,000 rows and 5 columns with its header.
struct ThousandRows {
    ThousandRows() {
        kwin::qt::InstallQtBackend();
        parent = CreateWindowEx(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 640, 440, nullptr,
                                nullptr, nullptr, nullptr);
        grid.Create(parent, RECT{10, 10, 610, 410}, 1);
        grid.SetRowCount(1000);
        grid.SetColumnCount(5);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        for (int row = 0; row < 1000; ++row) {
            for (int col = 0; col < 5; ++col) {
                grid.SetItemText(row, col, "Row " + std::to_string(row) + " col " +
                                               std::to_string(col));
            }
        }
        for (int col = 0; col < 5; ++col) {
            grid.SetColumnWidth(col, 115);
        }
        Settle();
    }
    ~ThousandRows() {
        DestroyWindow(parent);
        Settle();
    }
    CGridCtrl grid;
    HWND parent = nullptr;
};

void BM_PaintThousandRowTable(benchmark::State& state) {
    ThousandRows table;
    for (auto _ : state) {
        table.grid.Invalidate(FALSE);
        UpdateWindow(table.grid.GetHwnd());
    }
}
BENCHMARK(BM_PaintThousandRowTable)->Unit(benchmark::kMicrosecond);

void BM_PageDownWithRepaint(benchmark::State& state) {
    ThousandRows table;
    HWND hwnd = table.grid.GetHwnd();
    for (auto _ : state) {
        const int before = table.grid.GetScrollPos32(SB_VERT);
        SendMessage(hwnd, WM_VSCROLL, SB_PAGEDOWN, 0);
        if (table.grid.GetScrollPos32(SB_VERT) == before) {
            SendMessage(hwnd, WM_VSCROLL, SB_TOP, 0);
        }
        UpdateWindow(hwnd);
    }
}
BENCHMARK(BM_PageDownWithRepaint)->Unit(benchmark::kMicrosecond);

void BM_OpenWinnersViewOfTenThousand(benchmark::State& state) {
    kwin::qt::InstallQtBackend();
    WinnersList list;
    for (int i = 0; i < 10000; ++i) {
        list.push_back(WinnersRules::MakeEntry("Winner number " + std::to_string(i), 60 + i));
    }
    // The dialog is closed as soon as its modal loop starts.
    kwin::SetModalTestSeam([](const kwin::ModalStart& start) { EndDialog(start.window, IDOK); });
    for (auto _ : state) {
        CShowWinnersDlg dialog(&list);
        benchmark::DoNotOptimize(dialog.DoModal(nullptr));
    }
    kwin::SetModalTestSeam({});
    Settle();
}
BENCHMARK(BM_OpenWinnersViewOfTenThousand)->Unit(benchmark::kMillisecond);

} // namespace

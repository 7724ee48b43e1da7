// The steps of the game's start, in the order main() takes them, so that the
// whole-process time of bench/startup-time.sh can be explained. The one-time
// steps (the toolkit's start, the first font) run once, first, as they do in
// the game; the repeatable ones (resources, the main window, its paint) run
// many times on a warm process.
//
//   QT_QPA_PLATFORM=offscreen build/bench/startup_bench   (or under Xvfb with DISPLAY)

#include "app/AppResources.h"
#include "app/CMainWnd.h"
#include "views/win/Win32.h"
#include "views/win/framework/CAppModule.h"
#include "views/win/framework/CMessageLoop.h"
#include "views/win/qt/QtBackend.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// An empty data folder, as on a first start, removed at exit.
class FirstStartFolder {
public:
    FirstStartFolder()
        : m_path(std::filesystem::temp_directory_path() /
                 ("kalmora-startup-bench-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(m_path);
        ::setenv("LOCALAPPDATA", m_path.c_str(), 1);
    }
    ~FirstStartFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    void Empty() {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(m_path, ignored)) {
            std::filesystem::remove_all(entry.path(), ignored);
        }
    }

private:
    std::filesystem::path m_path;
};

FirstStartFolder& Folder() {
    static FirstStartFolder folder;
    return folder;
}

// Everything main() does before the window: the module and the controls.
void StartModule() {
    static CAppModule module;
    static CMessageLoop loop;
    static bool started = false;
    if (started) {
        return;
    }
    started = true;
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                  ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    module.Init(GetModuleHandle(nullptr));
    module.AddMessageLoop(&loop);
}

void DrainMessages() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

void BM_InstallBackend(benchmark::State& state) {
    Folder();
    for (auto _ : state) {
        kwin::qt::InstallQtBackend();
    }
}
BENCHMARK(BM_InstallBackend)->Iterations(1)->Unit(benchmark::kMillisecond);

// The first measured text resolves the font through the system's font
// configuration; later ones find it resolved.
void MeasureText(const char* face, int height) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font =
        CreateFont(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32(dc, "123456789", 9, &size);
    benchmark::DoNotOptimize(size);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
}

void BM_FirstTextMeasurement(benchmark::State& state) {
    for (auto _ : state) {
        MeasureText("Arial", 24);
    }
}
BENCHMARK(BM_FirstTextMeasurement)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_TextMeasurement(benchmark::State& state) {
    int height = 10;
    for (auto _ : state) {
        MeasureText("Arial", height);
        height = height == 40 ? 10 : height + 1; // a new size each time, as on a resize
    }
}
BENCHMARK(BM_TextMeasurement)->Unit(benchmark::kMicrosecond);

void BM_RegisterAppResources(benchmark::State& state) {
    for (auto _ : state) {
        RegisterAppResources();
    }
}
BENCHMARK(BM_RegisterAppResources)->Unit(benchmark::kMicrosecond);

// The first main window of the process, created, shown and painted: the
// first menu bar, status bar, style and surfaces cost more than later ones.
void BM_FirstMainWindowShown(benchmark::State& state) {
    StartModule();
    RegisterAppResources();
    for (auto _ : state) {
        auto window = std::make_unique<CMainWnd>();
        window->CreateMainWindow();
        window->ShowWindow(SW_SHOWNORMAL);
        DrainMessages();
        state.PauseTiming();
        window.reset();
        DrainMessages();
        Folder().Empty();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstMainWindowShown)->Iterations(1)->Unit(benchmark::kMillisecond);

// The main window and its children, created over an empty data folder and
// destroyed again (the destruction, which saves the session, is not timed).
void BM_CreateMainWindow(benchmark::State& state) {
    StartModule();
    RegisterAppResources();
    for (auto _ : state) {
        auto window = std::make_unique<CMainWnd>();
        benchmark::DoNotOptimize(window->CreateMainWindow());
        state.PauseTiming();
        window.reset();
        DrainMessages();
        Folder().Empty();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CreateMainWindow)->Unit(benchmark::kMillisecond)->Iterations(20);

// The first paint of a shown main window: every window's WM_PAINT and the
// toolkit's flush to the screen.
void BM_FirstPaint(benchmark::State& state) {
    StartModule();
    RegisterAppResources();
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<CMainWnd>();
        window->CreateMainWindow();
        window->ShowWindow(SW_SHOWNORMAL);
        state.ResumeTiming();
        RedrawWindow(window->GetHwnd(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        DrainMessages();
        state.PauseTiming();
        window.reset();
        DrainMessages();
        Folder().Empty();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstPaint)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

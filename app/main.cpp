// The program's entry point: start-up of the platform and the module, then
// the main window and its loop.

#include "app/AppResources.h"
#include "app/CTerminationWatch.h"
#include "app/Run.h"
#include "views/win/Win32.h"
#include "views/win/framework/CAppModule.h"
#include "views/win/qt/QtBackend.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>

namespace {

// The pixels of windows and bitmaps come in large blocks whose sizes change
// with the window. glibc raises its mapping threshold after the first such
// block is freed, so later ones stay in the heap after they are freed; a
// fixed threshold gives each its own mapping, returned to the system on free.
void KeepLargeBlocksOutOfTheHeap() {
    constexpr int LargeBlock = 128 * 1024;
    mallopt(M_MMAP_THRESHOLD, LargeBlock);
}

bool HasDesktop() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    return set("DISPLAY") || set("WAYLAND_DISPLAY") ||
           (platform != nullptr && std::strncmp(platform, "offscreen", 9) == 0);
}

int WinMain(HINSTANCE instance, int showCommand) {
    CoInitialize(nullptr);
    DefWindowProc(nullptr, 0, 0, 0);
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                  ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    CAppModule module;
    module.Init(instance);
    const int exitCode = Run(showCommand);
    module.Term();
    CoUninitialize();
    return exitCode;
}

} // namespace

int main() {
    if (!HasDesktop()) {
        std::fprintf(stderr, "Kalmora needs a desktop session (no display found); "
                             "kalmora-tool works without one.\n");
        return 1;
    }
    KeepLargeBlocksOutOfTheHeap();
    // Before Qt starts any thread, so that every thread inherits the mask.
    CTerminationWatch::BlockSignals();
    // Under a file-size limit a write that goes past it then fails with EFBIG,
    // which the savers report and recover from, instead of killing the game.
    std::signal(SIGXFSZ, SIG_IGN);
    RegisterAppResources();
    kwin::qt::InstallQtBackend();
    return WinMain(GetModuleHandle(nullptr), SW_SHOWDEFAULT);
}

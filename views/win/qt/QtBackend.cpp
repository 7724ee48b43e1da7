#include "views/win/qt/QtBackend.h"

#include "views/win/qt/CQtAccessibility.h"
#include "views/win/qt/CQtBackend.h"
#include "views/win/qt/CQtFileDialogHost.h"
#include "views/win/qt/CQtPeer.h"

#include "views/win/Win32.h"

#include <QApplication>
#include <QSessionManager>

#include <vector>

namespace kwin::qt {
namespace {

CQtBackend*& Backend() {
    static CQtBackend* backend = nullptr;
    return backend;
}

} // namespace

void InstallQtBackend() {
    if (Backend() != nullptr) {
        return;
    }
    if (QApplication::instance() == nullptr) {
        // Kept for the life of the process, like the application it stands for.
        static int argc = 1;
        static char name[] = "kalmora";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
    // The desktop's session manager asks the program to keep its data: every
    // top-level window hears that the session ends, while there is time.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, qApp, [](QSessionManager&) {
        std::vector<HWND> topLevel;
        for (HWND hwnd = ::FindWindowEx(nullptr, nullptr, nullptr, nullptr); hwnd != nullptr;
             hwnd = ::FindWindowEx(nullptr, hwnd, nullptr, nullptr)) {
            topLevel.push_back(hwnd);
        }
        for (HWND hwnd : topLevel) {
            if (::IsWindow(hwnd)) {
                ::SendMessage(hwnd, WM_ENDSESSION, TRUE, 0);
            }
        }
    });
    Backend() = new CQtBackend();
    InstallBackend(Backend());
    CQtAccessibility::Install();
}

QWidget* WidgetOf(HWND hwnd) {
    auto* peer = dynamic_cast<CQtPeer*>(GetWindowPeer(hwnd));
    return peer != nullptr ? peer->Widget() : nullptr;
}

QFileDialog* RunningFileDialog() {
    return CQtFileDialogHost::Running();
}

} // namespace kwin::qt

// fontconfig, beneath Qt's fonts, keeps caches for the life of the process and
// never frees them; LeakSanitizer would report them at every exit. Only
// sanitizer builds read this; weak, so a program may give its own list.
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

#include "views/win/qt/CQtServices.h"

#include "views/win/qt/CQtClipboardHost.h"
#include "views/win/qt/CQtFileDialogHost.h"
#include "views/win/qt/CQtMenuBar.h"
#include "views/win/qt/CQtScrollBars.h"

namespace kwin::qt {

ToolkitServices CQtServices::All() {
    // Kept for the life of the process, like the backend.
    static CQtServices services;
    static CQtClipboardHost clipboard;
    static CQtFileDialogHost fileDialogs;
    return {&services, &services, &clipboard, &fileDialogs};
}

void CQtServices::MenuBarChanged(HWND hwnd) {
    CQtMenuBar::Update(hwnd);
}

void CQtServices::EnterMenuByKey(HWND hwnd, char32_t key) {
    CQtMenuBar::EnterByKey(hwnd, key);
}

void CQtServices::ScrollBarsChanged(HWND hwnd) {
    CQtScrollBars::Update(hwnd);
}

} // namespace kwin::qt

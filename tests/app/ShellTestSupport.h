#pragma once

// What the shell's window tests share: the Qt backend, the program's
// resources, and a window to own the dialogs.

#include "tests/support/MessageLog.h"
#include "tests/views/win/ModalScript.h"

#include "app/AppResources.h"
#include "views/win/qt/QtBackend.h"

#include <string>

namespace shelltest {

// Installs the backend and registers the program's resources.
inline void PrepareShell() {
    kwin::qt::InstallQtBackend();
    RegisterAppResources();
}

// Runs what is queued and what the toolkit has pending.
inline void Settle() {
    QApplication::processEvents();
    wintest::PumpMessages();
}

inline RECT WindowRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

inline POINT Centre(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

} // namespace shelltest

#pragma once

// What the shell's window tests share: the Qt backend, the program's
// resources, and a window to own the dialogs.

#include "tests/support/MessageLog.h"
#include "tests/views/win/ModalScript.h"

#include "app/AppResources.h"
#include "app/DialogTemplates.h"
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

// Answers the winner dialog: notes its message, types the name, presses the key.
inline wintest::ModalStep AnswerWinner(const std::string& name, std::string* message,
                                       Qt::Key key = Qt::Key_Return) {
    return [=](const kwin::ModalStart& start) {
        *message = wintest::ItemText(start.window, IDC_MESSAGE_EDIT);
        wintest::TypeInto(start.window, name);
        wintest::PressKey(start.window, key);
    };
}

// A plain top-level window on the program's resources, to own a dialog or
// hold a status bar.
class OwnerWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { PrepareShell(); }
    void SetUp() override {
        m_owner = CreateWindowEx(0, wintest::SpyClass(0), "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 120, 90, 500, 400, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_owner, nullptr);
        Settle();
    }
    void TearDown() override {
        DestroyWindow(m_owner);
        Settle();
    }
    HWND m_owner = nullptr;
};

} // namespace shelltest

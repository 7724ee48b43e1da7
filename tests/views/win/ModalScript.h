#pragma once

// Acting on modal loops headless: each time a dialog, message box or file
// dialog starts, the next scripted step runs; it works the modal window with
// real keys and clicks through the Qt backend, which its loop then handles.
// A watchdog ends a loop that the script leaves running.

#include "tests/support/LoopWatchdog.h"
#include "views/win/Win32.h"
#include "views/win/backend/Backend.h"
#include "views/win/qt/QtBackend.h"

#include <QApplication>
#include <QFileDialog>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <deque>
#include <functional>
#include <string>

namespace wintest {

using ModalStep = std::function<void(const kwin::ModalStart&)>;

class ModalScript {
public:
    ModalScript() {
        kwin::SetModalTestSeam([this](const kwin::ModalStart& start) { Next(start); });
    }
    ~ModalScript() { kwin::SetModalTestSeam({}); }
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    ModalScript& Then(ModalStep step) {
        m_steps.push_back(std::move(step));
        return *this;
    }
    int Started() const { return m_started; }

private:
    void Next(const kwin::ModalStart& start) {
        ++m_started;
        if (m_steps.empty()) {
            ADD_FAILURE() << "a modal loop of kind " << static_cast<int>(start.kind)
                          << " started that the test did not expect";
            // Leave it at once so the test cannot hang.
            if (start.window != nullptr) {
                EndDialog(start.window, IDCANCEL);
            } else if (QFileDialog* dialog = kwin::qt::RunningFileDialog()) {
                dialog->reject();
            }
            return;
        }
        ModalStep step = std::move(m_steps.front());
        m_steps.pop_front();
        step(start);
    }

    // A step that leaves its modal loop running would hang the test.
    LoopWatchdog m_watchdog{std::chrono::seconds(30)};
    std::deque<ModalStep> m_steps;
    int m_started = 0;
};

inline QWidget* WidgetOfWindow(HWND hwnd) {
    return kwin::qt::WidgetOf(hwnd);
}

// Keys typed into the modal window (they go to its focus window).
inline void TypeInto(HWND window, const std::string& text) {
    QTest::keyClicks(WidgetOfWindow(window), QString::fromStdString(text));
}

inline void PressKey(HWND window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(WidgetOfWindow(window), key, modifiers);
}

// A left click in the middle of a control.
inline void ClickOn(HWND control) {
    QWidget* widget = WidgetOfWindow(control);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

// Whether the desktop hears that a modal window belongs to its owner: it is
// transient for the owner's window and modal to it.
inline bool IsModalFor(const QWidget* window, const QWidget* owner) {
    const QWindow* handle = window != nullptr ? window->windowHandle() : nullptr;
    return handle != nullptr && handle->transientParent() == owner->windowHandle() &&
           handle->modality() == Qt::WindowModal;
}

// The file dialog whose modal loop has just started.
inline QFileDialog* FileDialogOf(const kwin::ModalStart& start) {
    EXPECT_TRUE(start.kind == kwin::ModalKind::OpenFile || start.kind == kwin::ModalKind::SaveFile);
    return kwin::qt::RunningFileDialog();
}

inline std::string TextOf(HWND hwnd) {
    char buffer[1024] = {};
    GetWindowText(hwnd, buffer, sizeof(buffer));
    return buffer;
}

inline std::string ItemText(HWND dialog, int id) {
    return TextOf(GetDlgItem(dialog, id));
}

} // namespace wintest

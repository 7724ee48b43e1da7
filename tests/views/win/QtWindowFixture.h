#pragma once

// A visible top-level window on the Qt backend for tests that drive it through
// the toolkit: created, settled, and torn down with every pending event handled.

#include "tests/support/MessageLog.h"

#include "views/win/Win32.h"
#include "views/win/qt/QtBackend.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace wintest {

class QtWindowFixture : public ::testing::Test {
protected:
    // Creates the window, lets Qt settle, then clears the message log.
    void CreateTopLevel(LPCSTR className, LPCSTR title, int width, int height,
                        DWORD style = WS_OVERLAPPEDWINDOW) {
        kwin::qt::InstallQtBackend();
        m_top = CreateWindowEx(0, className, title, style | WS_VISIBLE, 50, 50, width, height,
                               nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_top, nullptr);
        m_widget = kwin::qt::WidgetOf(m_top);
        ASSERT_NE(m_widget, nullptr);
        Pump();
        Log().Clear();
    }
    void TearDown() override {
        ReleaseCapture();
        DestroyWindow(m_top);
        Pump();
    }
    static void Pump() {
        QApplication::processEvents();
        PumpMessages();
    }
    HWND m_top = nullptr;
    QWidget* m_widget = nullptr;
};

} // namespace wintest

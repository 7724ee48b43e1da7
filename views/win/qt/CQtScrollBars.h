#pragma once

#include "views/win/api/WinTypes.h"

#include <QObject>

class QScrollBar;
class QWidget;

namespace kwin::qt {

// The standard scroll bars of one window, shown in the window widget's right
// and bottom margins beside the client area. What the user does with them is
// reported as WM_VSCROLL and WM_HSCROLL; they move only when the window sets
// a new position, as on the platform.
class CQtScrollBars : public QObject {
public:
    CQtScrollBars(HWND hwnd, QWidget* windowWidget);

    // Follows the window's WS_HSCROLL and WS_VSCROLL styles and scroll info.
    static void Update(HWND hwnd);

    QScrollBar* Bar(int bar) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QScrollBar* MakeBar(int bar);
    void Sync();
    void Place();
    void OnAction(int bar, int action);

    HWND m_hwnd;
    QWidget* m_window;
    QScrollBar* m_horizontal;
    QScrollBar* m_vertical;
};

} // namespace kwin::qt

#pragma once

#include "views/win/api/WinTypes.h"

#include <QPointer>
#include <QWidget>

namespace kwin::qt {

// The border of a child window (WS_BORDER, WS_EX_CLIENTEDGE,
// WS_EX_STATICEDGE), drawn by a widget just behind the window's own widget
// and just larger than it. It follows the window's widget and its current
// styles, and lets the mouse through.
class CQtChildFrame : public QWidget {
public:
    CQtChildFrame(HWND hwnd, QWidget* windowWidget);

    // Gives a child window's widget its frame.
    static void Attach(HWND hwnd, QWidget* windowWidget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int Thickness() const;
    void Follow();

    HWND m_hwnd;
    QPointer<QWidget> m_window;
};

} // namespace kwin::qt

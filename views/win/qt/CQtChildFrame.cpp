#include "views/win/qt/CQtChildFrame.h"

#include "views/win/Win32.h"

#include <QEvent>
#include <QPainter>

namespace kwin::qt {
namespace {

QColor SysColor(int index) {
    const COLORREF c = GetSysColor(index);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// One ring of lines: top and left in one colour, bottom and right in another.
void Ring(QPainter& painter, QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    painter.setPen(topLeft);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    r.adjust(1, 1, -1, -1);
}

} // namespace

CQtChildFrame::CQtChildFrame(HWND hwnd, QWidget* windowWidget)
    : QWidget(windowWidget->parentWidget()), m_hwnd(hwnd), m_window(windowWidget) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    m_window->installEventFilter(this);
    connect(m_window, &QObject::destroyed, this, &QObject::deleteLater);
    Follow();
}

void CQtChildFrame::Attach(HWND hwnd, QWidget* windowWidget) {
    if (windowWidget != nullptr && windowWidget->parentWidget() != nullptr) {
        new CQtChildFrame(hwnd, windowWidget);
    }
}

int CQtChildFrame::Thickness() const {
    if (!IsWindow(m_hwnd)) {
        return 0;
    }
    const DWORD style = static_cast<DWORD>(GetWindowLong(m_hwnd, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLong(m_hwnd, GWL_EXSTYLE));
    return ((style & WS_BORDER) ? 1 : 0) + ((exStyle & WS_EX_CLIENTEDGE) ? 2 : 0) +
           ((exStyle & WS_EX_STATICEDGE) ? 1 : 0);
}

void CQtChildFrame::Follow() {
    const int t = Thickness();
    if (!m_window || t == 0 || !m_window->isVisibleTo(parentWidget())) {
        hide();
        return;
    }
    setGeometry(m_window->geometry().adjusted(-t, -t, t, t));
    stackUnder(m_window);
    show();
    update();
}

bool CQtChildFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            Follow();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CQtChildFrame::paintEvent(QPaintEvent*) {
    if (!IsWindow(m_hwnd)) {
        return;
    }
    const DWORD style = static_cast<DWORD>(GetWindowLong(m_hwnd, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLong(m_hwnd, GWL_EXSTYLE));
    QPainter painter(this);
    QRect r = rect(); // right() and bottom() are the last pixels
    if (style & WS_BORDER) {
        Ring(painter, r, SysColor(COLOR_WINDOWFRAME), SysColor(COLOR_WINDOWFRAME));
    }
    if (exStyle & WS_EX_CLIENTEDGE) {
        Ring(painter, r, SysColor(COLOR_BTNSHADOW), SysColor(COLOR_BTNHIGHLIGHT));
        Ring(painter, r, SysColor(COLOR_3DDKSHADOW), SysColor(COLOR_3DLIGHT));
    }
    if (exStyle & WS_EX_STATICEDGE) {
        Ring(painter, r, SysColor(COLOR_BTNSHADOW), SysColor(COLOR_BTNHIGHLIGHT));
    }
}

} // namespace kwin::qt

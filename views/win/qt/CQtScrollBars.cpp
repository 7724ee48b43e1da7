#include "views/win/qt/CQtScrollBars.h"

#include "views/win/Win32.h"
#include "views/win/backend/Backend.h"
#include "views/win/qt/QtBackend.h"

#include <QEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWidget>

#include <algorithm>

namespace kwin::qt {
namespace {

// The SB_ code of a Qt slider action, or -1 for a drag (reported by its own signals).
int CodeFor(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        return SB_LINEDOWN;
    case QAbstractSlider::SliderSingleStepSub:
        return SB_LINEUP;
    case QAbstractSlider::SliderPageStepAdd:
        return SB_PAGEDOWN;
    case QAbstractSlider::SliderPageStepSub:
        return SB_PAGEUP;
    case QAbstractSlider::SliderToMinimum:
        return SB_TOP;
    case QAbstractSlider::SliderToMaximum:
        return SB_BOTTOM;
    default:
        return -1;
    }
}

DWORD StyleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
}

} // namespace

CQtScrollBars::CQtScrollBars(HWND hwnd, QWidget* windowWidget)
    : QObject(windowWidget), m_hwnd(hwnd), m_window(windowWidget), m_horizontal(MakeBar(SB_HORZ)),
      m_vertical(MakeBar(SB_VERT)) {
    setObjectName("KalmoraScrollBars");
    m_window->installEventFilter(this);
}

QScrollBar* CQtScrollBars::MakeBar(int bar) {
    auto* scrollBar = new QScrollBar(bar == SB_HORZ ? Qt::Horizontal : Qt::Vertical, m_window);
    scrollBar->setFocusPolicy(Qt::NoFocus);
    scrollBar->hide();
    connect(scrollBar, &QAbstractSlider::actionTriggered, this,
            [this, bar](int action) { OnAction(bar, action); });
    connect(scrollBar, &QAbstractSlider::sliderMoved, this,
            [this, bar](int value) { ScrollBarAction(m_hwnd, bar, SB_THUMBTRACK, value); });
    connect(scrollBar, &QAbstractSlider::sliderReleased, this, [this, bar, scrollBar] {
        ScrollBarAction(m_hwnd, bar, SB_THUMBPOSITION, scrollBar->sliderPosition());
        ScrollBarAction(m_hwnd, bar, SB_ENDSCROLL, 0);
        Sync();
    });
    return scrollBar;
}

QScrollBar* CQtScrollBars::Bar(int bar) const {
    return bar == SB_HORZ ? m_horizontal : m_vertical;
}

void CQtScrollBars::OnAction(int bar, int action) {
    const int code = CodeFor(action);
    if (code < 0) {
        return;
    }
    ScrollBarAction(m_hwnd, bar, static_cast<WORD>(code), 0);
    ScrollBarAction(m_hwnd, bar, SB_ENDSCROLL, 0);
    // The bar keeps its position until the window sets a new one.
    QScrollBar* scrollBar = Bar(bar);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(m_hwnd, bar, &info);
    scrollBar->setSliderPosition(info.nPos);
}

void CQtScrollBars::Update(HWND hwnd) {
    QWidget* window = WidgetOf(hwnd);
    if (window == nullptr) {
        return;
    }
    auto* bars = window->findChild<CQtScrollBars*>("KalmoraScrollBars", Qt::FindDirectChildrenOnly);
    const DWORD style = StyleOf(hwnd);
    if (bars == nullptr && !(style & (WS_HSCROLL | WS_VSCROLL))) {
        return;
    }
    if (bars == nullptr) {
        bars = new CQtScrollBars(hwnd, window);
    }
    const QMargins m = window->contentsMargins();
    window->setContentsMargins(m.left(), m.top(),
                               (style & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0,
                               (style & WS_HSCROLL) ? GetSystemMetrics(SM_CYHSCROLL) : 0);
    bars->Sync();
    bars->Place();
}

void CQtScrollBars::Sync() {
    const DWORD style = StyleOf(m_hwnd);
    for (int bar : {SB_HORZ, SB_VERT}) {
        QScrollBar* scrollBar = Bar(bar);
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(m_hwnd, bar, &info);
        const QSignalBlocker quiet(scrollBar);
        const int span = info.nPage > 0 ? static_cast<int>(info.nPage) - 1 : 0;
        scrollBar->setRange(info.nMin, std::max(info.nMin, info.nMax - span));
        scrollBar->setPageStep(std::max(1, static_cast<int>(info.nPage)));
        if (!scrollBar->isSliderDown()) {
            scrollBar->setValue(info.nPos);
        }
        scrollBar->setVisible((style & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) != 0);
    }
}

void CQtScrollBars::Place() {
    const QRect client = m_window->contentsRect();
    const int vertical = GetSystemMetrics(SM_CXVSCROLL);
    const int horizontal = GetSystemMetrics(SM_CYHSCROLL);
    m_vertical->setGeometry(client.right() + 1, client.top(), vertical, client.height());
    m_horizontal->setGeometry(client.left(), client.bottom() + 1, client.width(), horizontal);
}

bool CQtScrollBars::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window && event->type() == QEvent::Resize) {
        Place();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kwin::qt

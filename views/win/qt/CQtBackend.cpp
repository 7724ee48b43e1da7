#include "views/win/qt/CQtBackend.h"

#include "views/win/Win32.h"
#include "views/win/qt/CQtChildFrame.h"
#include "views/win/qt/CQtPeer.h"
#include "views/win/qt/CQtServices.h"
#include "views/win/qt/CQtWindowPeer.h"
#include "views/win/qt/QtWindowFlags.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QFontDatabase>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace kwin::qt {
namespace {

Qt::CursorShape ShapeFor(int systemId) {
    switch (systemId) {
    case OCR_IBEAM:
        return Qt::IBeamCursor;
    case OCR_WAIT:
        return Qt::WaitCursor;
    case OCR_CROSS:
        return Qt::CrossCursor;
    case OCR_UP:
        return Qt::UpArrowCursor;
    case OCR_SIZENWSE:
        return Qt::SizeFDiagCursor;
    case OCR_SIZENESW:
        return Qt::SizeBDiagCursor;
    case OCR_SIZEWE:
        return Qt::SizeHorCursor;
    case OCR_SIZENS:
        return Qt::SizeVerCursor;
    case OCR_SIZEALL:
        return Qt::SizeAllCursor;
    case OCR_NO:
        return Qt::ForbiddenCursor;
    case OCR_HAND:
        return Qt::PointingHandCursor;
    case OCR_APPSTARTING:
        return Qt::BusyCursor;
    case OCR_HELP:
        return Qt::WhatsThisCursor;
    default:
        return Qt::ArrowCursor;
    }
}

RECT ToRect(const QRect& r) {
    return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

} // namespace

CQtBackend::CQtBackend() {
    m_wakeTimer.setSingleShot(true);
    // The coarse default drifts by up to 5%; window timers must not.
    m_wakeTimer.setTimerType(Qt::PreciseTimer);
}

std::unique_ptr<IWindowPeer> CQtBackend::CreatePeer(HWND hwnd) {
    HWND parent =
        (GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) ? GetAncestor(hwnd, GA_PARENT) : nullptr;
    QWidget* parentWidget = parent != nullptr ? WidgetOf(parent) : nullptr;
    if (parent != nullptr && parentWidget == nullptr) {
        return nullptr;
    }
    auto peer = std::make_unique<CQtWindowPeer>(hwnd, parentWidget);
    if (parentWidget != nullptr) {
        CQtChildFrame::Attach(hwnd, peer->Widget()); // the border outside its client area
    } else {
        ApplyTopLevelFlags(hwnd, peer->Widget());
    }
    return peer;
}

void CQtBackend::WaitForEvents(int timeoutMs) {
    if (timeoutMs == 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    } else {
        if (timeoutMs > 0) {
            m_wakeTimer.start(timeoutMs);
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        m_wakeTimer.stop();
    }
    // Widgets of destroyed windows go here, outside their own event handlers.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void CQtBackend::WakeUp() {
    if (QAbstractEventDispatcher* dispatcher =
            QAbstractEventDispatcher::instance(QCoreApplication::instance()->thread())) {
        dispatcher->wakeUp();
    }
}

void CQtBackend::ApplyCursor(HCURSOR cursor, int systemId) {
    const QCursor shape(cursor == nullptr ? Qt::BlankCursor : ShapeFor(systemId));
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (dynamic_cast<CQtWindowWidget*>(widget) != nullptr) {
            widget->setCursor(shape);
        }
    }
}

void CQtBackend::ApplyClipCursor(const RECT*) {
    // Qt cannot confine the pointer; the layer keeps the rectangle for GetClipCursor.
}

std::vector<MonitorDesc> CQtBackend::Monitors() {
    std::vector<MonitorDesc> monitors;
    const QScreen* primary = QGuiApplication::primaryScreen();
    for (const QScreen* screen : QGuiApplication::screens()) {
        monitors.push_back(
            {ToRect(screen->geometry()), ToRect(screen->availableGeometry()), screen == primary});
    }
    return monitors;
}

int CQtBackend::WheelScrollLines() {
    return QApplication::wheelScrollLines();
}

int CQtBackend::LogPixels() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int dpi =
        screen != nullptr ? static_cast<int>(std::lround(screen->logicalDotsPerInch())) : 96;
    return dpi > 0 ? dpi : 96;
}

std::string CQtBackend::UiFontFamily() {
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family().toStdString();
}

POINT CQtBackend::CursorPos() {
    const QPoint p = QCursor::pos();
    return POINT{p.x(), p.y()};
}

ToolkitServices CQtBackend::Services() {
    return CQtServices::All();
}

} // namespace kwin::qt

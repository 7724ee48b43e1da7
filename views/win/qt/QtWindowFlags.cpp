#include "views/win/qt/QtWindowFlags.h"

#include "views/win/Win32.h"
#include "views/win/qt/QtBackend.h"

#include <QWidget>
#include <QWindow>

namespace kwin::qt {

void ApplyTopLevelFlags(HWND hwnd, QWidget* widget) {
    if (widget == nullptr || !widget->isWindow()) {
        return;
    }
    const DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    Qt::WindowFlags flags =
        GetWindow(hwnd, GW_OWNER) != nullptr && (style & WS_POPUP) ? Qt::Dialog : Qt::Window;
    if ((style & WS_CAPTION) != WS_CAPTION) {
        widget->setWindowFlags(flags | Qt::FramelessWindowHint);
        return;
    }
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (style & WS_SYSMENU) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (style & WS_MINIMIZEBOX) {
            flags |= Qt::WindowMinimizeButtonHint;
        }
        if (style & WS_MAXIMIZEBOX) {
            flags |= Qt::WindowMaximizeButtonHint;
        }
    }
    widget->setWindowFlags(flags);
}

void KeepWithOwner(QWidget* widget, QWidget* owner, bool modal) {
    if (widget == nullptr || !widget->isWindow()) {
        return;
    }
    QWindow* ownerWindow = nullptr;
    if (owner != nullptr) {
        owner = owner->window();
        owner->winId(); // an owner not shown yet has no native window to name
        ownerWindow = owner->windowHandle();
    }
    widget->winId();
    widget->windowHandle()->setTransientParent(ownerWindow);
    // The layer blocks the owner itself (it is disabled); Qt's window
    // modality adds what the desktop needs to know and blocks the same owner.
    widget->setWindowModality(modal && ownerWindow != nullptr ? Qt::WindowModal : Qt::NonModal);
}

void KeepWithOwner(HWND hwnd, QWidget* widget) {
    const HWND owner = GetWindow(hwnd, GW_OWNER);
    if (owner == nullptr) {
        return;
    }
    KeepWithOwner(widget, WidgetOf(owner), !IsWindowEnabled(owner));
}

} // namespace kwin::qt

#include "views/win/qt/QtWindowFlags.h"

#include "views/win/Win32.h"

#include <QWidget>

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

} // namespace kwin::qt

#pragma once

#include "views/win/api/WinTypes.h"

class QWidget;

namespace kwin::qt {

// Tells the desktop what kind of top-level window a widget shows, from the
// window's styles: caption, system menu (close box), minimize and maximize
// boxes, and whether it is a dialog owned by another window.
void ApplyTopLevelFlags(HWND hwnd, QWidget* widget);

} // namespace kwin::qt

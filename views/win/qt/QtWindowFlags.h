#pragma once

#include "views/win/api/WinTypes.h"

class QWidget;

namespace kwin::qt {

// Tells the desktop what kind of top-level window a widget shows, from the
// window's styles: caption, system menu (close box), minimize and maximize
// boxes, and whether it is a dialog owned by another window.
void ApplyTopLevelFlags(HWND hwnd, QWidget* widget);

// Tells the desktop which window a top-level window belongs to: it is
// transient for its owner's window, so the window manager keeps it above the
// owner, and while modal it is marked so, so that focusing the owner brings it
// forward instead. Called before the window is shown, as the desktop reads
// both when the window appears.
void KeepWithOwner(QWidget* widget, QWidget* owner, bool modal);

// The same for the window of a handle, from its owner: a window shown while
// its owner is disabled is modal to it, as the layer's modal loops disable
// the owner before they show their window.
void KeepWithOwner(HWND hwnd, QWidget* widget);

} // namespace kwin::qt

#pragma once

// What the platform beneath Qt leaves to a program. On X11 a program places
// its top-level windows and asks for their activation, and the window
// manager follows; a Wayland compositor places every top-level window
// itself, never tells a program where one is, and activates windows on its
// own, so a program asks it neither.

namespace kwin::qt {

// True where the desktop places and activates top-level windows itself.
bool DesktopManagesWindows();

// Overrides what the platform says (tests act as on such a desktop).
void SetDesktopManagesWindows(bool manages);

} // namespace kwin::qt

#pragma once

#include "views/win/api/WinTypes.h"

#include <Qt>

namespace kwin::qt {

// The platform's virtual-key code of a Qt key; 0 when it has none. Keys of
// the numeric pad map to the VK_NUMPAD codes; navigation keys off the pad
// set extended.
UINT VirtualKeyFromQt(int key, Qt::KeyboardModifiers modifiers, bool& extended);
unsigned ModifiersFromQt(Qt::KeyboardModifiers modifiers);
unsigned ButtonsFromQt(Qt::MouseButtons buttons);

} // namespace kwin::qt

#pragma once

// Internal: what an "EDIT" knows beyond its messages, for its accessible
// object. Offsets are byte offsets into its UTF-8 text.

#include "views/win/api/WinTypes.h"

#include <cstddef>

namespace kwin {

// Where the caret is: the moving end of the selection.
std::size_t EditCaret(HWND edit);
bool EditIsReadOnly(HWND edit);

} // namespace kwin

#pragma once

#include "views/win/api/WinTypes.h"

// The character classes (GridInputClass bits) a byte belongs to. Bytes of
// multi-byte UTF-8 characters count as letters, so names in any script pass.
WORD InputClassesOf(unsigned char c);

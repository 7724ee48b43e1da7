#pragma once

#include "app/CommandIds.h"
#include "storage/WinnersLists.h"
#include "views/win/api/WinTypes.h"

// Opens the winners view of the command's level modally over the owner (the
// active window when none is given). False, and nothing shown, for any other
// command.
bool ShowTopWinners(UINT command, const WinnersLists& lists, HWND owner = nullptr);

#pragma once

#include "storage/WinnersLists.h"
#include "views/win/api/WinTypes.h"

// The "Show Top Winners" commands of the Game menu, one per level.
constexpr UINT ID_SHOW_TOP_EASY = 32822;
constexpr UINT ID_SHOW_TOP_NORMAL = 32823;
constexpr UINT ID_SHOW_TOP_HARD = 32824;
constexpr UINT ID_SHOW_TOP_INSANE = 32825;

// Opens the winners view of the command's level modally over the owner (the
// active window when none is given). False, and nothing shown, for any other
// command.
bool ShowTopWinners(UINT command, const WinnersLists& lists, HWND owner = nullptr);

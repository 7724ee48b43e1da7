#pragma once

#include "storage/WinnersLists.h"
#include "views/win/Win32.h"

#include <cstdint>
#include <string>

class CGameFieldCtrl;

// What happens when the session announces a won game of `level`: a game of a
// level, played without help, that is fast enough for its list asks for the
// winner's name (dialog 206, owned by `owner`) and enters it on OK. The
// session's help-used flag is set, so the same game announced again after an
// undo and a redo is ignored. True when "Game over" is to be shown.
bool RunGameOverFlow(WinnersLists& lists, CGameFieldCtrl& session, int level, HWND owner);

// "You're a winner! You won in 'Easy game' in 00:07:05".
std::string WinnerMessage(int level, std::int64_t time);

#pragma once

#include "views/win/WinTypes.h"

// Command ids of the main window's menu and accelerators.

// File menu.
constexpr UINT ID_NEW_BLANK = 32793;
constexpr UINT ID_NEW_EASY = 32794;
constexpr UINT ID_NEW_NORMAL = 32795;
constexpr UINT ID_NEW_HARD = 32803;
constexpr UINT ID_NEW_INSANE = 32804;
constexpr UINT ID_FILE_LOAD = 57601;
constexpr UINT ID_FILE_SAVE = 57603;
constexpr UINT ID_FILE_SAVE_AS = 57604;
constexpr UINT ID_APP_EXIT = 57665;

// Game menu.
constexpr UINT ID_GAME_UNDO = 57643;
constexpr UINT ID_GAME_REDO = 57644;
constexpr UINT ID_GAME_AUTOCHECK = 32802;
constexpr UINT ID_GAME_MAKE_SNAPSHOT = 32806;
constexpr UINT ID_GAME_LOAD_SNAPSHOT = 32807;
constexpr UINT ID_GAME_RESET = 32805;
constexpr UINT ID_GAME_HINT = 32788;
constexpr UINT ID_GAME_CHECK = 32792;
constexpr UINT ID_GAME_TRY_SOLVE = 32790;
constexpr UINT ID_TOP_WINNERS_EASY = 32822;
constexpr UINT ID_TOP_WINNERS_NORMAL = 32823;
constexpr UINT ID_TOP_WINNERS_HARD = 32824;
constexpr UINT ID_TOP_WINNERS_INSANE = 32825;

// Help menu.
constexpr UINT ID_APP_ABOUT = 57664;

// Items of the "Load snapshot" submenu: the first id, and how many there can be.
constexpr UINT ID_SNAPSHOT_FIRST = 36864;
constexpr UINT SnapshotCommandCount = 20;

// Commands the accelerator table names that the program does not act on.
constexpr UINT ID_FILE_NEW = 57600;
constexpr UINT ID_FILE_PRINT = 57607;
constexpr UINT ID_EDIT_COPY = 57634;
constexpr UINT ID_EDIT_CUT = 57635;
constexpr UINT ID_EDIT_PASTE = 57637;
constexpr UINT ID_NEXT_PANE = 57680;
constexpr UINT ID_PREV_PANE = 57681;

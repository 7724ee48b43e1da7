#pragma once

#include "views/win/WinTypes.h"

// The program's resource ids; the icon, menu and accelerators share 128.
constexpr UINT IDR_MAINFRAME = 128;

// The string table.
constexpr UINT IDS_PANE0_WIDTH = 129;        // "@@@@@": width of the selection pane
constexpr UINT IDS_PANE1_WIDTH = 130;        // "@@@": width of the digit-count pane
constexpr UINT IDS_PANE0_FORMAT = 131;       // "\t(%d, %d)": selected column and row
constexpr UINT IDS_PANE1_FORMAT = 132;       // "\t%d (%d)": filled and given cells
constexpr UINT IDS_READY = 137;              // the ready text of the session
constexpr UINT IDS_VERSION_FORMAT = 138;     // "%s version %s (build %s)"
constexpr UINT IDS_FILE_SAVE_ERROR = 139;    // caption of a failed save
constexpr UINT IDS_FILE_OPEN_ERROR = 140;    // caption of a failed load
constexpr UINT IDS_TOO_MANY_SNAPSHOTS = 141; // text when the snapshot list is full
constexpr UINT IDS_INVALID_OPERATION = 142;  // caption of that message
constexpr UINT IDS_PANE3_WIDTH = 143;        // "000D 00:00:00": width of the clock pane
constexpr UINT IDS_LEVEL_NAME_EASY = 145;    // "Easy game"; Normal, Hard, Insane follow
constexpr UINT IDS_LEVEL_NAME_NORMAL = 146;
constexpr UINT IDS_LEVEL_NAME_HARD = 147;
constexpr UINT IDS_LEVEL_NAME_INSANE = 148;
constexpr UINT IDS_WINNER_FORMAT = 149; // "You're a winner! You won in '%s' in %s"
// The status bar's first text; deliberately has no entry, so it is empty.
constexpr UINT IDS_STATUSBAR_INITIAL = 0xE001;

// The status bar's control id.
constexpr UINT IDC_STATUSBAR = 0xE801;

#pragma once

#include "views/win/WinTypes.h"

// String table ids the shell's commands, status bar and dialogs use.
constexpr UINT IDS_PANE_SELECTION_WIDTH = 129; // "@@@@@"
constexpr UINT IDS_PANE_COUNTS_WIDTH = 130;    // "@@@"
constexpr UINT IDS_PANE_SELECTION = 131;       // "\t(%d, %d)"
constexpr UINT IDS_PANE_COUNTS = 132;          // "\t%d (%d)"
constexpr UINT IDS_VERSION_LINE = 138;         // "%s version %s (build %s)"
constexpr UINT IDS_FILE_SAVE_ERROR = 139;
constexpr UINT IDS_FILE_OPEN_ERROR = 140;
constexpr UINT IDS_TOO_MANY_SNAPSHOTS = 141;
constexpr UINT IDS_INVALID_OPERATION = 142;
constexpr UINT IDS_PANE_TIME_WIDTH = 143; // "000D 00:00:00"
constexpr UINT IDS_EASY_GAME = 145;
constexpr UINT IDS_WINNER_MESSAGE = 149; // "You're a winner! You won in '%s' in %s"

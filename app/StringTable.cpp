#include "app/StringTable.h"

#include "app/ResourceIds.h"
#include "views/win/Resources.h"

void RegisterStringTable() {
    kwin::RegisterStrings({
        {IDS_PANE0_WIDTH, "@@@@@"},
        {IDS_PANE1_WIDTH, "@@@"},
        {IDS_PANE0_FORMAT, "\t(%d, %d)"},
        {IDS_PANE1_FORMAT, "\t%d (%d)"},
        {IDS_READY, "Ready (Press 'M' to change Mode or use Ctrl-Number)"},
        {IDS_VERSION_FORMAT, "%s version %s (build %s)"},
        {IDS_FILE_SAVE_ERROR, "File Save Error"},
        {IDS_FILE_OPEN_ERROR, "File Open Error"},
        {IDS_TOO_MANY_SNAPSHOTS, "Maximum amount of snapshots is achived"},
        {IDS_INVALID_OPERATION, "Invalid operation"},
        {IDS_PANE3_WIDTH, "000D 00:00:00"},
        {IDS_LEVEL_NAME_EASY, "Easy game"},
        {IDS_LEVEL_NAME_NORMAL, "Normal game"},
        {IDS_LEVEL_NAME_HARD, "Hard game"},
        {IDS_LEVEL_NAME_INSANE, "Insane game"},
        {IDS_WINNER_FORMAT, "You're a winner! You won in '%s' in %s"},
    });
}

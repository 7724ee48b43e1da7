#include "grid/ShowTopWinners.h"

#include "grid/CShowWinnersDlg.h"

bool ShowTopWinners(UINT command, const WinnersLists& lists, HWND owner) {
    if (command < ID_TOP_WINNERS_EASY || command > ID_TOP_WINNERS_INSANE) {
        return false;
    }
    const WinnersList& list = lists[command - ID_TOP_WINNERS_EASY];
    CShowWinnersDlg dialog(&list);
    dialog.DoModal(owner != nullptr ? owner : GetActiveWindow());
    return true;
}

#include "app/GameOverFlow.h"

#include "app/CWinnerDlg.h"
#include "app/ResourceIds.h"
#include "app/ResourceText.h"
#include "session/CGameFieldCtrl.h"
#include "session/PlayTimeText.h"
#include "storage/WinnersRules.h"

using WinnersRules::GameOverOutcome;

std::string WinnerMessage(int level, std::int64_t time) {
    const std::string levelName = LoadText(IDS_LEVEL_NAME_EASY + static_cast<UINT>(level - 1));
    const std::string timeText = FormatPlayTime(time);
    return FormatText(IDS_WINNER_FORMAT, levelName.c_str(), timeText.c_str());
}

bool RunGameOverFlow(WinnersLists& lists, CGameFieldCtrl& session, int level, HWND owner) {
    const std::int64_t time = session.GetElapsed();
    const GameOverOutcome outcome = WinnersRules::Judge(lists, level, session.helpUsed, time);
    if (outcome == GameOverOutcome::Ignored) {
        return false;
    }
    session.helpUsed = true;
    if (outcome == GameOverOutcome::NewWinner) {
        CWinnerDlg dialog;
        dialog.message = WinnerMessage(level, time);
        if (dialog.DoModal(owner) == IDOK) {
            WinnersRules::Insert(lists[*WinnersRules::ListIndex(level)],
                                 WinnersRules::MakeEntry(dialog.name, time));
        }
    }
    return true;
}

// Not a test: opens the winners dialog with a dozen winners, to look at
// under a real or virtual display.

#include "grid/CShowWinnersDlg.h"
#include "storage/WinnersRules.h"
#include "views/win/qt/QtBackend.h"

int main() {
    kwin::qt::InstallQtBackend();
    WinnersList list;
    const char* names[] = {"Ada",     "Grace",   "Edsger", "Barbara",  "Donald", "Ken",
                           "Niklaus", "Frances", "John",   "Margaret", "Alan",   "Tony"};
    std::int64_t time = 95;
    for (const char* name : names) {
        list.push_back(WinnersRules::MakeEntry(name, time));
        time = time * 3 / 2 + 17;
    }
    list.push_back(WinnersRules::MakeEntry("A name that fills all forty bytes of it!", 360000));
    CShowWinnersDlg dialog(&list);
    return static_cast<int>(dialog.DoModal(nullptr));
}

// Not a test: opens the winners dialog over a list of winners, to look at
// under a real or virtual display. An argument gives the number of winners
// (13 by default, the last with a name filling its whole field).

#include "grid/CShowWinnersDlg.h"
#include "storage/WinnersRules.h"
#include "views/win/qt/QtBackend.h"

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    kwin::qt::InstallQtBackend();
    const int count = argc > 1 ? std::atoi(argv[1]) : 13;
    const char* names[] = {"Ada",     "Grace",   "Edsger", "Barbara",  "Donald", "Ken",
                           "Niklaus", "Frances", "John",   "Margaret", "Alan",   "Tony"};
    WinnersList list;
    std::int64_t time = 95;
    for (int i = 0; i + 1 < count; ++i) {
        list.push_back(WinnersRules::MakeEntry(names[i % 12], time));
        time = time * 5 / 4 + 17;
    }
    if (count > 0) {
        list.push_back(WinnersRules::MakeEntry("A name that fills all forty bytes of it!", 360000));
    }
    CShowWinnersDlg dialog(&list);
    return static_cast<int>(dialog.DoModal(nullptr));
}

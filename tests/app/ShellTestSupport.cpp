#include "ShellTestSupport.h"

#include "app/AppResources.h"
#include "app/DialogTemplates.h"
#include "views/win/Resources.h"

#include <map>

namespace shelltest {

void PrepareShell() {
    kwin::qt::InstallQtBackend();
    RegisterAppResources();
    RegisterDialogTemplates();
    static const std::map<UINT, std::string> strings = {
        {129, "@@@@@"},
        {130, "@@@"},
        {131, "\t(%d, %d)"},
        {132, "\t%d (%d)"},
        {138, "%s version %s (build %s)"},
        {139, "File Save Error"},
        {140, "File Open Error"},
        {141, "Maximum amount of snapshots is achived"},
        {142, "Invalid operation"},
        {143, "000D 00:00:00"},
        {145, "Easy game"},
        {146, "Normal game"},
        {147, "Hard game"},
        {148, "Insane game"},
        {149, "You're a winner! You won in '%s' in %s"},
    };
    kwin::RegisterStrings(strings);
}

} // namespace shelltest

#include "ShellTestSupport.h"

#include "app/AppResources.h"

namespace shelltest {

void PrepareShell() {
    kwin::qt::InstallQtBackend();
    RegisterAppResources();
}

} // namespace shelltest

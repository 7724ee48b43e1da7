#include "app/AppResources.h"

#include "app/AppIcon.h"
#include "app/AppVersion.h"
#include "app/DialogTemplates.h"
#include "app/MainAccelerators.h"
#include "app/MainMenu.h"
#include "app/ResourceIds.h"
#include "app/StringTable.h"
#include "views/win/Resources.h"

void RegisterAppResources() {
    kwin::RegisterVersionResource("", kwin::BuildVersionBlock(AppVersionResource()));
    kwin::RegisterIcon(IDR_MAINFRAME, PaintAppIcon);
    RegisterStringTable();
    RegisterMainMenu();
    RegisterMainAccelerators();
    RegisterDialogTemplates();
}

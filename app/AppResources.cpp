#include "app/AppResources.h"

#include "app/AppIcon.h"
#include "app/AppVersion.h"
#include "app/ResourceIds.h"
#include "views/win/resources/Resources.h"

void RegisterAppResources() {
    kwin::RegisterVersionResource("", kwin::BuildVersionBlock(AppVersionResource()));
    kwin::RegisterIcon(IDR_MAINFRAME, PaintAppIcon);
}

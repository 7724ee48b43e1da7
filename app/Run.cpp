#include "app/Run.h"

#include "app/CMainWnd.h"
#include "app/CTerminationWatch.h"
#include "views/win/CAppModule.h"
#include "views/win/CMessageLoop.h"

int Run(int showCommand) {
    CAppModule* module = CAppModule::Current();
    CMessageLoop loop;
    if (module != nullptr) {
        module->AddMessageLoop(&loop);
    }
    int exitCode = 0;
    {
        CMainWnd mainWnd;
        if (mainWnd.CreateMainWindow() != nullptr) {
            mainWnd.ShowWindow(showCommand);
            CTerminationWatch watch;
            watch.Start(mainWnd.GetHwnd());
            exitCode = loop.Run();
        }
    }
    if (module != nullptr) {
        module->RemoveMessageLoop();
    }
    return exitCode;
}

#pragma once

#include "views/win/backend/ToolkitServices.h"

namespace kwin::qt {

// Installs the Qt menu bars, scroll bars, file dialogs and clipboard as the
// layer's toolkit services; InstallQtBackend calls it.
class CQtServices final : public IMenuBarHost, public IScrollBarHost {
public:
    static void Install();

    void MenuBarChanged(HWND hwnd) override;
    void ScrollBarsChanged(HWND hwnd) override;
};

} // namespace kwin::qt

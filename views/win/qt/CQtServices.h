#pragma once

#include "views/win/backend/Backend.h"

namespace kwin::qt {

// The Qt menu bars, scroll bars, file dialogs and clipboard: the services
// the Qt backend offers the layer.
class CQtServices final : public IMenuBarHost, public IScrollBarHost {
public:
    static ToolkitServices All();

    void MenuBarChanged(HWND hwnd) override;
    void EnterMenuByKey(HWND hwnd, char32_t key) override;
    void ScrollBarsChanged(HWND hwnd) override;
};

} // namespace kwin::qt

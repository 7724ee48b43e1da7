#pragma once

#include "views/win/accessibility/CWindowAccessible.h"

namespace kwin {

// The status bar: one label child per pane, named by the pane's text as it
// reads (without the tabs that align it).
class CStatusBarAccessible final : public CWindowAccessible {
public:
    explicit CStatusBarAccessible(HWND hwnd);

    LONG Role(LONG child) const override;
    std::string Name(LONG child) const override;
    DWORD State(LONG child) const override;
    RECT Location(LONG child) const override;
    LONG ChildCount() const override;
};

} // namespace kwin

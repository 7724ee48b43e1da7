#pragma once

#include "views/win/accessibility/CWindowAccessible.h"

namespace kwin {

// A "BUTTON": a push button, named by its text, default, pressed or
// unavailable, pressed by its default action as by a click; or a group box,
// a grouping named by its text.
class CButtonAccessible final : public CWindowAccessible {
public:
    explicit CButtonAccessible(HWND hwnd);

    LONG Role(LONG child) const override;
    DWORD State(LONG child) const override;
    std::string DefaultAction(LONG child) const override;
    bool DoDefaultAction(LONG child) override;

private:
    bool IsGroupBox() const;
};

} // namespace kwin

#pragma once

#include "views/win/accessibility/CWindowAccessible.h"

namespace kwin {

// A "STATIC": a label named by its text (read as shown: without the
// mnemonic's "&" unless SS_NOPREFIX), or, with SS_ICON, a graphic.
class CStaticAccessible final : public CWindowAccessible {
public:
    explicit CStaticAccessible(HWND hwnd);

    LONG Role(LONG child) const override;
    std::string Name(LONG child) const override;
    DWORD State(LONG child) const override;

private:
    DWORD Style() const;
};

} // namespace kwin

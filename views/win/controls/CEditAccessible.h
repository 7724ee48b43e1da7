#pragma once

#include "views/win/accessibility/CWindowAccessible.h"
#include "views/win/accessibility/IAccessibleText.h"

namespace kwin {

// An "EDIT": a text field named by the label before it, its text the value,
// read-only or not, with its caret and selection; a client may select and
// replace text as typing would (not in a read-only edit).
class CEditAccessible final : public CWindowAccessible, public IAccessibleText {
public:
    explicit CEditAccessible(HWND hwnd);

    std::string Name(LONG child) const override;
    std::string Value(LONG child) const override;
    DWORD State(LONG child) const override;
    IAccessibleText* AsText() override { return this; }

    std::string Content() const override;
    std::size_t Caret() const override;
    std::pair<std::size_t, std::size_t> Selection() const override;
    void Select(std::size_t anchor, std::size_t caret) override;
    bool Replace(std::size_t from, std::size_t to, const std::string& text) override;
};

} // namespace kwin

#pragma once

#include "views/win/accessibility/IAccessibleObject.h"

class CHintCtrl;

// The hint strip as a screen reader reads it: a tool bar of nine buttons
// named "1" to "9", each described by what its slot shows of the selected
// cell ("shown", "marked" or "empty"); pressing one enters its digit as a
// click on the slot does.
class CHintStripAccessible final : public kwin::IAccessibleObject {
public:
    static constexpr const char* StripName = "Hint strip";

    explicit CHintStripAccessible(CHintCtrl& strip);

    LONG Role(LONG child) const override;
    std::string Name(LONG child) const override;
    std::string Description(LONG child) const override;
    DWORD State(LONG child) const override;
    RECT Location(LONG child) const override;
    LONG ChildCount() const override { return 9; }
    kwin::AccessibleRef Focus() const override { return {}; }
    std::string DefaultAction(LONG child) const override;
    bool DoDefaultAction(LONG child) override;

private:
    static bool IsDigit(LONG child) { return child >= 1 && child <= 9; }

    CHintCtrl& m_strip;
};

#include "views/CHintStripAccessible.h"

#include "engine/CCell.h"
#include "session/CGameFieldCtrl.h"
#include "views/CHintCtrl.h"

namespace {

int Trunc(double value) {
    return static_cast<int>(value);
}

} // namespace

CHintStripAccessible::CHintStripAccessible(CHintCtrl& strip) : m_strip(strip) {}

LONG CHintStripAccessible::Role(LONG child) const {
    return IsDigit(child) ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_TOOLBAR;
}

std::string CHintStripAccessible::Name(LONG child) const {
    return IsDigit(child) ? std::to_string(child) : StripName;
}

// What the slot of the digit shows, as the painting decides it.
std::string CHintStripAccessible::Description(LONG child) const {
    if (!IsDigit(child) || !m_strip.IsShown()) {
        return IsDigit(child) ? "empty" : "";
    }
    const int digit = m_strip.GetDigit();
    const std::uint16_t flags = m_strip.GetFlags();
    if (digit != 0 && m_strip.GetInputMode() == CGameFieldCtrl::MarkEntry) {
        return "empty";
    }
    if (flags & CCell::GivenBit) {
        return child == digit ? "shown" : "empty";
    }
    return (flags & (1u << (child - 1))) ? "marked" : "shown";
}

DWORD CHintStripAccessible::State(LONG child) const {
    DWORD state = STATE_SYSTEM_NORMAL;
    if (!::IsWindowVisible(m_strip.GetHwnd())) {
        state |= STATE_SYSTEM_INVISIBLE;
    }
    return IsDigit(child) ? state : state | STATE_SYSTEM_READONLY;
}

// Slot d spans the d-th ninth of the strip, as painted.
RECT CHintStripAccessible::Location(LONG child) const {
    RECT r{};
    m_strip.GetClientRect(&r);
    if (IsDigit(child)) {
        const double slot = r.right / 9.0;
        const int left = Trunc((child - 1) * slot);
        r = RECT{left, 0, left + Trunc(slot), r.bottom};
    }
    ::MapWindowPoints(m_strip.GetHwnd(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string CHintStripAccessible::DefaultAction(LONG child) const {
    return IsDigit(child) ? "Press" : "";
}

bool CHintStripAccessible::DoDefaultAction(LONG child) {
    if (!IsDigit(child)) {
        return false;
    }
    m_strip.EnterDigit(static_cast<int>(child));
    return true;
}

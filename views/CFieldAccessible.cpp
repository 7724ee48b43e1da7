#include "views/CFieldAccessible.h"

#include "session/PlayTimeText.h"

namespace {

const char* const UnitNames[] = {"", "row", "column", "box"};

int Trunc(double value) {
    return static_cast<int>(value);
}

} // namespace

CFieldAccessible::CFieldAccessible(CGameFieldCtrl& session) : m_session(session) {}

LONG CFieldAccessible::ChildOf(CellPos pos) {
    return static_cast<LONG>(CGameField::IndexOf(pos) + 1);
}

CellPos CFieldAccessible::PosOf(LONG child) {
    return child >= 1 && child <= 81 ? CGameField::PosOf(static_cast<std::size_t>(child - 1))
                                     : CellPos{};
}

std::string CFieldAccessible::CellName(CellPos pos, const CCell& cell) {
    std::string name =
        "Row " + std::to_string(pos.row) + ", column " + std::to_string(pos.column) + ": ";
    if (!cell.IsEmpty()) {
        name += std::to_string(cell.value);
        return cell.IsGiven() ? name + ", given" : name;
    }
    name += "empty";
    if (cell.Marks() != 0) {
        name += ", marks";
        for (int digit = 1; digit <= 9; ++digit) {
            if (cell.Marks() & (1u << (digit - 1))) {
                name += " " + std::to_string(digit);
            }
        }
    }
    return name;
}

LONG CFieldAccessible::Role(LONG child) const {
    return child == CHILDID_SELF ? ROLE_SYSTEM_TABLE : ROLE_SYSTEM_CELL;
}

std::string CFieldAccessible::Name(LONG child) const {
    const CellPos pos = PosOf(child);
    return pos.IsValid() ? CellName(pos, m_session.field.At(pos)) : BoardName;
}

std::string CFieldAccessible::ConflictUnit() const {
    const ConflictRegion& conflict = m_session.GetConflictRegion();
    if (conflict.number == 0 || conflict.kind < ConflictRegion::Row ||
        conflict.kind > ConflictRegion::Box) {
        return {};
    }
    return std::string(UnitNames[conflict.kind]) + " " + std::to_string(conflict.number);
}

std::string CFieldAccessible::TableDescription() const {
    if (m_session.IsGameOver()) {
        return "Game over: solved in " + FormatPlayTime(m_session.GetElapsed());
    }
    std::string text =
        m_session.GetInputMode() == CGameFieldCtrl::MarkEntry ? "Mark entry" : "Digit entry";
    const std::string unit = ConflictUnit();
    return unit.empty() ? text : text + ", conflict in " + unit;
}

std::string CFieldAccessible::Description(LONG child) const {
    const CellPos pos = PosOf(child);
    if (!pos.IsValid()) {
        return TableDescription();
    }
    if (!(CellState(pos) & STATE_KALMORA_INVALIDENTRY)) {
        return {};
    }
    return "Conflict in " + ConflictUnit();
}

bool CFieldAccessible::HasKeyboard(HWND board) {
    const HWND focus = ::GetFocus();
    return focus != nullptr && (focus == board || focus == ::GetParent(board));
}

DWORD CFieldAccessible::CellState(CellPos pos) const {
    DWORD state = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    if (m_session.GetSelection() == pos) {
        state |=
            STATE_SYSTEM_SELECTED | (HasKeyboard(m_session.GetHwnd()) ? STATE_SYSTEM_FOCUSED : 0);
    }
    if (m_session.field.At(pos).IsGiven() || m_session.IsGameOver()) {
        state |= STATE_SYSTEM_READONLY;
    }
    if (m_session.GetConflictRegion().number != 0 &&
        CGameField::InRegion(m_session.GetConflictRegion(), pos)) {
        state |= STATE_KALMORA_INVALIDENTRY;
    }
    return state;
}

DWORD CFieldAccessible::State(LONG child) const {
    const CellPos pos = PosOf(child);
    if (pos.IsValid()) {
        return CellState(pos);
    }
    DWORD state = STATE_SYSTEM_FOCUSABLE;
    if (HasKeyboard(m_session.GetHwnd()) && !m_session.GetSelection().IsValid()) {
        state |= STATE_SYSTEM_FOCUSED;
    }
    if (m_session.IsGameOver()) {
        state |= STATE_SYSTEM_READONLY;
    }
    return state;
}

// The cells lie where the painting puts them, between the grid lines.
RECT CFieldAccessible::Location(LONG child) const {
    const HWND hwnd = m_session.GetHwnd();
    RECT client{};
    ::GetClientRect(hwnd, &client);
    const CellPos pos = PosOf(child);
    RECT r = client;
    if (pos.IsValid()) {
        const double cw = (client.right - 1) / 9.0;
        const double ch = (client.bottom - 1) / 9.0;
        r = RECT{Trunc((pos.column - 1) * cw), Trunc((pos.row - 1) * ch), Trunc(pos.column * cw),
                 Trunc(pos.row * ch)};
    }
    ::MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

kwin::AccessibleRef CFieldAccessible::Focus() const {
    if (!HasKeyboard(m_session.GetHwnd())) {
        return {};
    }
    const CellPos selection = m_session.GetSelection();
    return {m_session.GetHwnd(), selection.IsValid() ? ChildOf(selection) : CHILDID_SELF};
}

std::string CFieldAccessible::DefaultAction(LONG child) const {
    return PosOf(child).IsValid() ? "Select" : "";
}

bool CFieldAccessible::DoDefaultAction(LONG child) {
    const CellPos pos = PosOf(child);
    if (!pos.IsValid() || m_session.IsGameOver()) {
        return false;
    }
    m_session.SelectCell(pos);
    return true;
}

LONG CFieldAccessible::CellAt(int row, int column) const {
    if (row < 0 || row >= 9 || column < 0 || column >= 9) {
        return CHILDID_SELF;
    }
    return ChildOf(
        CellPos{static_cast<std::uint32_t>(column + 1), static_cast<std::uint32_t>(row + 1)});
}

bool CFieldAccessible::CellPosition(LONG child, int& row, int& column) const {
    const CellPos pos = PosOf(child);
    if (!pos.IsValid()) {
        return false;
    }
    row = static_cast<int>(pos.row) - 1;
    column = static_cast<int>(pos.column) - 1;
    return true;
}

#include "views/CFieldAnnouncer.h"

#include "views/CFieldAccessible.h"

#include <utility>

namespace {

bool InConflict(const ConflictRegion& conflict, CellPos pos) {
    return conflict.number != 0 && CGameField::InRegion(conflict, pos);
}

} // namespace

CFieldAnnouncer::CFieldAnnouncer(const CGameFieldCtrl& session) : m_session(session) {}

CFieldAnnouncer::Shown CFieldAnnouncer::Capture() const {
    Shown shown;
    shown.cells = m_session.field.cells;
    shown.selection = m_session.GetSelection();
    shown.conflict = m_session.GetConflictRegion();
    if (shown.conflict.number == 0) {
        shown.conflict = {};
    }
    shown.inputMode = m_session.GetInputMode();
    shown.gameOver = m_session.IsGameOver();
    return shown;
}

void CFieldAnnouncer::Begin() {
    if (!m_told) {
        m_told = Capture();
    }
}

void CFieldAnnouncer::Announce() {
    if (!IsWinEventHookInstalled(EVENT_OBJECT_FOCUS)) {
        m_told.reset();
        return;
    }
    if (!m_told) {
        Begin();
        return;
    }
    const Shown now = Capture();
    const Shown before = std::exchange(*m_told, now);
    AnnounceCells(before, now);
    AnnounceBoard(before, now);
    AnnounceSelection(before, now);
    if (now.gameOver && !before.gameOver) {
        Notify(EVENT_SYSTEM_ALERT, CHILDID_SELF);
    }
}

void CFieldAnnouncer::Notify(DWORD event, LONG child) const {
    NotifyWinEvent(event, m_session.GetHwnd(), OBJID_CLIENT, child);
}

void CFieldAnnouncer::AnnounceCells(const Shown& before, const Shown& now) const {
    for (std::size_t i = 0; i < CGameField::CellCount; ++i) {
        const CellPos pos = CGameField::PosOf(i);
        const LONG child = CFieldAccessible::ChildOf(pos);
        if (before.cells[i] != now.cells[i]) {
            Notify(EVENT_OBJECT_NAMECHANGE, child);
        }
        if (InConflict(before.conflict, pos) != InConflict(now.conflict, pos) ||
            (InConflict(now.conflict, pos) && before.conflict != now.conflict)) {
            Notify(EVENT_OBJECT_DESCRIPTIONCHANGE, child);
            Notify(EVENT_OBJECT_STATECHANGE, child);
        }
    }
}

void CFieldAnnouncer::AnnounceBoard(const Shown& before, const Shown& now) const {
    if (before.conflict != now.conflict || before.inputMode != now.inputMode ||
        before.gameOver != now.gameOver) {
        Notify(EVENT_OBJECT_DESCRIPTIONCHANGE, CHILDID_SELF);
    }
    if (before.gameOver != now.gameOver) {
        Notify(EVENT_OBJECT_STATECHANGE, CHILDID_SELF);
    }
}

// The selected cell is the focus while the board has the keyboard; without
// a selection the board itself is.
void CFieldAnnouncer::AnnounceSelection(const Shown& before, const Shown& now) const {
    if (before.selection == now.selection) {
        return;
    }
    if (before.selection.IsValid()) {
        Notify(EVENT_OBJECT_STATECHANGE, CFieldAccessible::ChildOf(before.selection));
    }
    const LONG selected =
        now.selection.IsValid() ? CFieldAccessible::ChildOf(now.selection) : CHILDID_SELF;
    if (now.selection.IsValid()) {
        Notify(EVENT_OBJECT_STATECHANGE, selected);
        Notify(EVENT_OBJECT_SELECTION, selected);
    }
    if (CFieldAccessible::HasKeyboard(m_session.GetHwnd())) {
        Notify(EVENT_OBJECT_FOCUS, selected);
    }
}

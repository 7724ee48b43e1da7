#include "SessionWatch.h"

#include "session/FixedName.h"

namespace soak {

namespace {

std::string CellName(std::size_t index) {
    const CellPos pos = CGameField::PosOf(index);
    return "(" + std::to_string(pos.column) + ", " + std::to_string(pos.row) + ")";
}

bool IsCellPos(std::uint32_t column, std::uint32_t row) {
    return column >= 1 && column <= 9 && row >= 1 && row <= 9;
}

} // namespace

bool IsWholeUtf8(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

void SessionWatch::Restart(const CGameFieldCtrl& session) {
    m_historyStart = session.field;
    m_givens = GivensOf(session.field);
}

std::vector<std::string> SessionWatch::AfterInput(const CGameFieldCtrl& session,
                                                  bool gameMayChange) {
    std::vector<std::string> faults;
    CheckCells(session.field, "board", faults);
    const bool historyEmpty = session.undo.empty() && session.redo.empty();
    CheckGivens(GivensOf(session.field), gameMayChange, historyEmpty, faults);
    CheckHistory(session, faults);
    CheckSnapshots(session, faults);
    if (session.IsGameOver() && session.GetSelection() != CellPos{}) {
        faults.push_back("a finished game keeps a selected cell");
    }
    // Every change leaves a record, so both lists are empty only where the
    // history begins.
    if (historyEmpty) {
        m_historyStart = session.field;
    }
    return faults;
}

SessionWatch::Givens SessionWatch::GivensOf(const CGameField& field) {
    Givens givens{};
    for (std::size_t i = 0; i < field.cells.size(); ++i) {
        if (field.cells[i].IsGiven()) {
            givens[i] = field.cells[i].value;
        }
    }
    return givens;
}

void SessionWatch::CheckCells(const CGameField& field, const std::string& where,
                              std::vector<std::string>& faults) {
    for (std::size_t i = 0; i < field.cells.size(); ++i) {
        const CCell& cell = field.cells[i];
        if (cell.value > 9) {
            faults.push_back(where + " cell " + CellName(i) + " holds " +
                             std::to_string(cell.value));
        }
        if (cell.IsGiven() && cell.value == 0) {
            faults.push_back(where + " cell " + CellName(i) + " is a given without a digit");
        }
    }
}

void SessionWatch::CheckGivens(const Givens& now, bool mayChange, bool historyEmpty,
                               std::vector<std::string>& faults) {
    if (now == m_givens) {
        return;
    }
    if (mayChange && historyEmpty) {
        m_givens = now; // another game began
        return;
    }
    for (std::size_t i = 0; i < now.size(); ++i) {
        if (now[i] != m_givens[i]) {
            faults.push_back("given cell " + CellName(i) + " went from " +
                             std::to_string(m_givens[i]) + " to " + std::to_string(now[i]) +
                             " within one game");
        }
    }
    m_givens = now; // report each change once
}

void SessionWatch::CheckHistory(const CGameFieldCtrl& session, std::vector<std::string>& faults) {
    for (const auto* list : {&session.undo, &session.redo}) {
        for (const CUndo& record : *list) {
            if (!IsCellPos(record.column, record.row) || record.cell.value > 9) {
                faults.push_back("a history record for (" + std::to_string(record.column) + ", " +
                                 std::to_string(record.row) + ") holding " +
                                 std::to_string(record.cell.value));
                return;
            }
        }
    }
}

void SessionWatch::CheckSnapshots(const CGameFieldCtrl& session, std::vector<std::string>& faults) {
    if (session.snapShots.size() > CGameFieldCtrl::MaxSnapshots) {
        faults.push_back(std::to_string(session.snapShots.size()) + " snapshots");
    }
    for (const CSnapShot& snapshot : session.snapShots) {
        CheckCells(snapshot.field, "snapshot", faults);
        const std::string name = FromFixedName(snapshot.name);
        if (!IsWholeUtf8(name)) {
            faults.push_back("snapshot name \"" + name + "\" is cut inside a character");
        }
    }
}

std::vector<std::string> SessionWatch::CheckWinners(const WinnersLists& lists) const {
    std::vector<std::string> faults;
    for (const WinnersList& list : lists) {
        for (const HiScoreEntry& entry : list) {
            const std::string name = FromFixedName(entry.name);
            if (!IsWholeUtf8(name)) {
                faults.push_back("winner name \"" + name + "\" is cut inside a character");
            }
        }
    }
    return faults;
}

} // namespace soak

#pragma once

// What must hold of the game session after any input, however random: every
// cell holds 0-9, the givens of a game stay as they were, the history holds
// only real cells, a finished game has no selection, and stored names are
// whole UTF-8. It also remembers where the undo history begins, so a test can
// undo everything and compare.

#include "engine/CGameField.h"
#include "session/CGameFieldCtrl.h"
#include "storage/WinnersLists.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace soak {

class SessionWatch {
public:
    // Takes the session as it is now as the start of its game and its history.
    void Restart(const CGameFieldCtrl& session);

    // Checks the session after one input and returns what is wrong (nothing
    // when all is well). gameMayChange: the input could have started another
    // game (a new game or a loaded file), so other givens are allowed once the
    // history is empty.
    std::vector<std::string> AfterInput(const CGameFieldCtrl& session, bool gameMayChange);
    std::vector<std::string> CheckWinners(const WinnersLists& lists) const;

    // The board when the undo history last began: undoing everything gives it back.
    const CGameField& HistoryStart() const { return m_historyStart; }

private:
    using Givens = std::array<std::uint8_t, CGameField::CellCount>; // 0 = not a given

    static Givens GivensOf(const CGameField& field);
    static void CheckCells(const CGameField& field, const std::string& where,
                           std::vector<std::string>& faults);
    void CheckGivens(const Givens& now, bool mayChange, bool historyEmpty,
                     std::vector<std::string>& faults);
    static void CheckHistory(const CGameFieldCtrl& session, std::vector<std::string>& faults);
    static void CheckSnapshots(const CGameFieldCtrl& session, std::vector<std::string>& faults);

    CGameField m_historyStart;
    Givens m_givens{};
};

// True when the bytes are well-formed UTF-8 (no split or stray sequences).
bool IsWholeUtf8(const std::string& text);

} // namespace soak

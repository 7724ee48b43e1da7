#pragma once

#include "session/CGameFieldCtrl.h"

#include <array>
#include <optional>

// What the board last told accessibility clients, and the events that bring
// them up to date: a cell's new content (its name), the selection and the
// focus that follows it, a conflict shown or gone (state and description),
// the input mode and, once the game is won, an alert. While no client
// listens it keeps nothing and works out nothing.
class CFieldAnnouncer {
public:
    explicit CFieldAnnouncer(const CGameFieldCtrl& session);

    // A client asks for the board: what it shows now is what the client sees.
    void Begin();
    // Announces what changed since the last call or Begin.
    void Announce();

private:
    struct Shown {
        std::array<CCell, CGameField::CellCount> cells{};
        CellPos selection;
        ConflictRegion conflict;
        std::uint32_t inputMode = 0;
        bool gameOver = false;
    };

    Shown Capture() const;
    void Notify(DWORD event, LONG child) const;
    void AnnounceCells(const Shown& before, const Shown& now) const;
    void AnnounceBoard(const Shown& before, const Shown& now) const;
    void AnnounceSelection(const Shown& before, const Shown& now) const;

    const CGameFieldCtrl& m_session;
    std::optional<Shown> m_told;
};

#pragma once

#include "app/CUIStateTable.h"
#include "engine/BoardStats.h"
#include "engine/CellPos.h"
#include "views/win/Win32.h"

#include <array>
#include <cstdint>
#include <string>

// The main window's four status-bar panes: the selected cell (and "*" once
// help was used), the filled and given cells, the message text, and the play
// time. Texts go through the UI-state table and reach the status bar only
// when they changed.
class CStatusPanes {
public:
    static constexpr int SelectionPane = 0;
    static constexpr int CountsPane = 1;
    static constexpr int MessagePane = 2;
    static constexpr int TimePane = 3;

    explicit CStatusPanes(CUIStateTable& uiState) : m_uiState(uiState) {}

    // Measures the width strings in the status bar's font and sets the panes.
    void Attach(HWND statusBar);
    // Lays the panes out again for the status bar's present width: pane 2
    // takes what the others leave, the size grip keeps its room.
    void Layout();

    void SetMessageText(const std::string& text) { m_message = text; }
    const std::string& MessageText() const { return m_message; }

    // Once per idle period: panes 0-2 from the session's present state.
    bool RefreshIdle(CellPos selection, bool helpUsed, const BoardStats& stats);
    // Every timer tick: pane 3 once the play time differs from the last shown.
    bool ShowElapsed(std::int64_t elapsed);

    static std::string SelectionText(CellPos selection, bool helpUsed);
    static std::string CountsText(const BoardStats& stats);

private:
    int MeasuredWidth(UINT stringId) const;

    CUIStateTable& m_uiState;
    HWND m_statusBar = nullptr;
    std::array<int, 4> m_widths{};
    std::string m_shownSelection;
    std::string m_shownCounts;
    std::string m_shownMessage;
    std::string m_message;
    std::int64_t m_shownElapsed = 0;
};

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
    static constexpr std::size_t SelectionPane = 0;
    static constexpr std::size_t CountsPane = 1;
    static constexpr std::size_t MessagePane = 2;
    static constexpr std::size_t TimePane = 3;

    explicit CStatusPanes(CUIStateTable& uiState) : m_uiState(uiState) {}

    // Measures the width strings in the status bar's font and sets the panes.
    void Attach(HWND statusBar);
    // Lays the panes out for the status bar's present width: pane 2 takes
    // what the others leave, the size grip keeps its room.
    void Layout();
    // Layout, when the status bar's width changed since the last one.
    void FollowWidth();

    // Once per idle period: panes 0-2 from the session's state and the
    // message text. True when anything was pushed to the status bar.
    bool RefreshIdle(CellPos selection, bool helpUsed, const BoardStats& stats,
                     const std::string& message);
    // Puts a text into pane 2 at once. It stays until the message text
    // changes from the one last shown.
    void ShowInMessagePane(const std::string& text);
    // Every timer tick: pane 3 once the play time differs from the last shown.
    bool ShowElapsed(std::int64_t elapsed);

    static std::string SelectionText(CellPos selection, bool helpUsed);
    static std::string CountsText(const BoardStats& stats);

private:
    int MeasuredWidth(UINT stringId) const;
    void Show(std::size_t pane, const std::string& text, std::string& shown);
    // SB_SETTEXT for each pane whose text changed; true when any did.
    bool PushChangedPanes();

    CUIStateTable& m_uiState;
    HWND m_statusBar = nullptr;
    std::array<int, CUIStateTable::PaneCount> m_widths{};
    int m_laidOutWidth = -1;
    std::string m_shownSelection;
    std::string m_shownCounts;
    std::string m_shownMessage;
    std::int64_t m_shownElapsed = 0;
};

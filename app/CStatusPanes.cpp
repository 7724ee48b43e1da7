#include "app/CStatusPanes.h"

#include "app/ResourceText.h"
#include "app/ShellTextIds.h"
#include "session/PlayTimeText.h"

#include <algorithm>

namespace {

// Room around a pane's text beyond its measured extent.
constexpr int PaneTextMargin = 6;

} // namespace

void CStatusPanes::Attach(HWND statusBar) {
    m_statusBar = statusBar;
    m_uiState.SetStatusBar(statusBar);
    m_widths = {MeasuredWidth(IDS_PANE_SELECTION_WIDTH), MeasuredWidth(IDS_PANE_COUNTS_WIDTH), 0,
                MeasuredWidth(IDS_PANE_TIME_WIDTH)};
    Layout();
}

int CStatusPanes::MeasuredWidth(UINT stringId) const {
    const std::string text = LoadText(stringId);
    HDC dc = GetDC(m_statusBar);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessage(m_statusBar, WM_GETFONT, 0, 0));
    HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
    SIZE extent{};
    GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    if (old != nullptr) {
        SelectObject(dc, old);
    }
    ReleaseDC(m_statusBar, dc);
    int borders[3] = {};
    SendMessage(m_statusBar, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    return extent.cx + PaneTextMargin + borders[2];
}

void CStatusPanes::Layout() {
    if (m_statusBar == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(m_statusBar, &client);
    int right = client.right;
    if (GetWindowLong(m_statusBar, GWL_STYLE) & SBARS_SIZEGRIP) {
        right -= GetSystemMetrics(SM_CXVSCROLL) + GetSystemMetrics(SM_CXEDGE);
    }
    int edges[4] = {};
    edges[SelectionPane] = m_widths[SelectionPane];
    edges[CountsPane] = edges[SelectionPane] + m_widths[CountsPane];
    edges[TimePane] = right;
    edges[MessagePane] = std::max(edges[CountsPane], right - m_widths[TimePane]);
    SendMessage(m_statusBar, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(edges));
}

std::string CStatusPanes::SelectionText(CellPos selection, bool helpUsed) {
    std::string text = FormatText(IDS_PANE_SELECTION, static_cast<int>(selection.column),
                                  static_cast<int>(selection.row));
    if (helpUsed) {
        text += "*";
    }
    return text;
}

std::string CStatusPanes::CountsText(const BoardStats& stats) {
    return FormatText(IDS_PANE_COUNTS, static_cast<int>(stats.filled),
                      static_cast<int>(stats.givens));
}

bool CStatusPanes::RefreshIdle(CellPos selection, bool helpUsed, const BoardStats& stats) {
    const std::string selectionText = SelectionText(selection, helpUsed);
    if (selectionText != m_shownSelection) {
        m_shownSelection = selectionText;
        m_uiState.SetPaneText(SelectionPane, selectionText);
    }
    const std::string countsText = CountsText(stats);
    if (countsText != m_shownCounts) {
        m_shownCounts = countsText;
        m_uiState.SetPaneText(CountsPane, countsText);
    }
    if (m_message != m_shownMessage) {
        m_shownMessage = m_message;
        m_uiState.SetPaneText(MessagePane, m_message);
    }
    return m_uiState.PushPanes();
}

bool CStatusPanes::ShowElapsed(std::int64_t elapsed) {
    if (elapsed == m_shownElapsed) {
        return false;
    }
    m_shownElapsed = elapsed;
    m_uiState.SetPaneText(TimePane, FormatPlayTime(elapsed));
    return m_uiState.PushPanes();
}

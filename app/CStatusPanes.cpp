#include "app/CStatusPanes.h"

#include "app/ResourceIds.h"
#include "app/ResourceText.h"
#include "session/PlayTimeText.h"

#include <algorithm>

namespace {

// Room around a pane's text beyond its measured extent.
constexpr int PaneTextMargin = 6;

int ClientWidth(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return client.right - client.left;
}

} // namespace

void CStatusPanes::Attach(HWND statusBar) {
    m_statusBar = statusBar;
    m_widths = {MeasuredWidth(IDS_PANE0_WIDTH), MeasuredWidth(IDS_PANE1_WIDTH), 0,
                MeasuredWidth(IDS_PANE3_WIDTH)};
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
    if (!IsWindow(m_statusBar)) {
        return;
    }
    m_laidOutWidth = ClientWidth(m_statusBar);
    int right = m_laidOutWidth;
    if (GetWindowLong(m_statusBar, GWL_STYLE) & SBARS_SIZEGRIP) {
        right -= GetSystemMetrics(SM_CXVSCROLL) + GetSystemMetrics(SM_CXEDGE);
    }
    int edges[CUIStateTable::PaneCount] = {};
    edges[SelectionPane] = m_widths[SelectionPane];
    edges[CountsPane] = edges[SelectionPane] + m_widths[CountsPane];
    edges[TimePane] = right;
    edges[MessagePane] = std::max(edges[CountsPane], right - m_widths[TimePane]);
    SendMessage(m_statusBar, SB_SETPARTS, CUIStateTable::PaneCount,
                reinterpret_cast<LPARAM>(edges));
}

void CStatusPanes::FollowWidth() {
    if (IsWindow(m_statusBar) && ClientWidth(m_statusBar) != m_laidOutWidth) {
        Layout();
    }
}

std::string CStatusPanes::SelectionText(CellPos selection, bool helpUsed) {
    std::string text = FormatText(IDS_PANE0_FORMAT, static_cast<int>(selection.column),
                                  static_cast<int>(selection.row));
    if (helpUsed) {
        text += "*";
    }
    return text;
}

std::string CStatusPanes::CountsText(const BoardStats& stats) {
    return FormatText(IDS_PANE1_FORMAT, static_cast<int>(stats.filled),
                      static_cast<int>(stats.givens));
}

void CStatusPanes::Show(std::size_t pane, const std::string& text, std::string& shown) {
    if (text != shown) {
        shown = text;
        m_uiState.SetPaneText(pane, text);
    }
}

bool CStatusPanes::RefreshIdle(CellPos selection, bool helpUsed, const BoardStats& stats,
                               const std::string& message) {
    Show(SelectionPane, SelectionText(selection, helpUsed), m_shownSelection);
    Show(CountsPane, CountsText(stats), m_shownCounts);
    Show(MessagePane, message, m_shownMessage);
    return PushChangedPanes();
}

void CStatusPanes::ShowInMessagePane(const std::string& text) {
    m_uiState.SetPaneText(MessagePane, text);
    PushChangedPanes();
}

bool CStatusPanes::ShowElapsed(std::int64_t elapsed) {
    if (elapsed == m_shownElapsed) {
        return false;
    }
    m_shownElapsed = elapsed;
    m_uiState.SetPaneText(TimePane, FormatPlayTime(elapsed));
    return PushChangedPanes();
}

bool CStatusPanes::PushChangedPanes() {
    bool any = false;
    auto& panes = m_uiState.Panes();
    for (std::size_t pane = 0; pane < panes.size(); ++pane) {
        if (!panes[pane].changed) {
            continue;
        }
        panes[pane].changed = false;
        any = true;
        if (IsWindow(m_statusBar)) {
            SendMessage(m_statusBar, SB_SETTEXT, pane,
                        reinterpret_cast<LPARAM>(panes[pane].text.c_str()));
        }
    }
    return any;
}

// The standard scroll bars of a window (WS_HSCROLL, WS_VSCROLL): ranges,
// pages, positions and the tracking position of a dragged thumb. Setting a
// range the page covers hides the bar, as on the platform; the backend shows
// the bars and reports what the user does with them.

#include "views/win/api/WinDialog.h"
#include "views/win/api/WinUser.h"
#include "views/win/backend/internal/InstalledBackend.h"
#include "views/win/core/internal/WindowTable.h"

#include <algorithm>
#include <array>
#include <map>

namespace {

struct BarState {
    int min = 0;
    int max = 0;
    UINT page = 0;
    int pos = 0;
    int trackPos = 0;
    bool tracking = false;
};

std::map<HWND, std::array<BarState, 2>>& Bars() {
    static std::map<HWND, std::array<BarState, 2>> bars;
    return bars;
}

BarState* FindBar(HWND hwnd, int bar) {
    if (!IsWindow(hwnd) || (bar != SB_HORZ && bar != SB_VERT)) {
        return nullptr;
    }
    return &Bars()[hwnd][static_cast<std::size_t>(bar)];
}

void DropClosedWindows() {
    for (auto it = Bars().begin(); it != Bars().end();) {
        it = IsWindow(it->first) ? std::next(it) : Bars().erase(it);
    }
}

int MaxPos(const BarState& s) {
    const int span = s.page == 0 ? 0 : static_cast<int>(s.page) - 1;
    return std::max(s.min, s.max - span);
}

bool Needed(const BarState& s) {
    if (s.max <= s.min) {
        return false;
    }
    return s.page == 0 || static_cast<long long>(s.page) <= static_cast<long long>(s.max) - s.min;
}

DWORD StyleBit(int bar) {
    return bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
}

void NotifyHost(HWND hwnd) {
    if (kwin::IScrollBarHost* host = kwin::GetToolkitServices().scrollBars) {
        host->ScrollBarsChanged(hwnd);
    }
}

// Adds or removes the bars' style bits; the client area changes with them.
bool SetBarsShown(HWND hwnd, DWORD bits, bool show) {
    const DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    const DWORD wanted = show ? (style | bits) : (style & ~bits);
    if (wanted == style) {
        return false;
    }
    SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(wanted));
    NotifyHost(hwnd); // the backend makes room for the bars before the client area moves
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return true;
}

} // namespace

int SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL /*redraw*/) {
    BarState* s = FindBar(hwnd, bar);
    if (s == nullptr || info == nullptr) {
        return 0;
    }
    DropClosedWindows();
    s = FindBar(hwnd, bar);
    if (info->fMask & SIF_RANGE) {
        s->min = info->nMin;
        s->max = std::max(info->nMin, info->nMax);
    }
    if (info->fMask & SIF_PAGE) {
        s->page = info->nPage;
    }
    const long long range = static_cast<long long>(s->max) - s->min + 1;
    s->page = static_cast<UINT>(std::min<long long>(s->page, range));
    if (info->fMask & SIF_POS) {
        s->pos = info->nPos;
    }
    s->pos = std::clamp(s->pos, s->min, MaxPos(*s));
    if (!s->tracking) {
        s->trackPos = s->pos;
    }
    if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
        const bool show = Needed(*s) || (info->fMask & SIF_DISABLENOSCROLL);
        SetBarsShown(hwnd, StyleBit(bar), show);
    }
    NotifyHost(hwnd); // redrawn or not, a shown bar must not keep stale values
    return s->pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info) {
    const BarState* s = FindBar(hwnd, bar);
    if (s == nullptr || info == nullptr) {
        return FALSE;
    }
    if (info->fMask & SIF_RANGE) {
        info->nMin = s->min;
        info->nMax = s->max;
    }
    if (info->fMask & SIF_PAGE) {
        info->nPage = s->page;
    }
    if (info->fMask & SIF_POS) {
        info->nPos = s->pos;
    }
    if (info->fMask & SIF_TRACKPOS) {
        info->nTrackPos = s->trackPos;
    }
    return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
    if (!IsWindow(hwnd) || bar < SB_HORZ || bar == SB_CTL || bar > SB_BOTH) {
        return FALSE;
    }
    const DWORD bits = bar == SB_BOTH ? (WS_HSCROLL | WS_VSCROLL) : StyleBit(bar);
    SetBarsShown(hwnd, bits, show != FALSE);
    NotifyHost(hwnd);
    return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
    const BarState* s = FindBar(hwnd, bar);
    if (s == nullptr) {
        return 0;
    }
    const int previous = s->pos;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(hwnd, bar, &info, redraw);
    return previous;
}

int GetScrollPos(HWND hwnd, int bar) {
    const BarState* s = FindBar(hwnd, bar);
    return s == nullptr ? 0 : s->pos;
}

BOOL SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, min, max, 0, 0, 0};
    return FindBar(hwnd, bar) != nullptr && SetScrollInfo(hwnd, bar, &info, redraw) >= min;
}

BOOL GetScrollRange(HWND hwnd, int bar, LPINT min, LPINT max) {
    const BarState* s = FindBar(hwnd, bar);
    if (s == nullptr || min == nullptr || max == nullptr) {
        return FALSE;
    }
    *min = s->min;
    *max = s->max;
    return TRUE;
}

namespace kwin {

void ScrollBarAction(HWND hwnd, int bar, WORD code, int trackPos) {
    BarState* s = FindBar(hwnd, bar);
    if (s == nullptr) {
        return;
    }
    int reported = 0;
    if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) {
        s->tracking = true;
        s->trackPos = std::clamp(trackPos, s->min, MaxPos(*s));
        reported = s->trackPos;
    } else if (code == SB_ENDSCROLL) {
        s->tracking = false;
        s->trackPos = s->pos;
    }
    PostMessage(hwnd, bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL,
                MAKEWPARAM(code, static_cast<WORD>(reported)), 0);
}

} // namespace kwin

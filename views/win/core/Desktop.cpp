// System metrics and colours, SystemParametersInfo and monitors, with the
// values of the platform's default desktop where a toolkit has no answer.

#include "views/win/core/Desktop.h"
#include "views/win/backend/internal/InstalledBackend.h"

#include "views/win/api/WinGdi.h"
#include "views/win/api/WinKernel.h"
#include "views/win/api/WinUser.h"
#include "views/win/core/internal/WindowTable.h"
#include "views/win/gdi/internal/GdiObjects.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <optional>

using namespace kwin;

namespace {

std::optional<std::vector<MonitorDesc>>& TestMonitors() {
    static std::optional<std::vector<MonitorDesc>> monitors;
    return monitors;
}

RECT PrimaryRect() {
    for (const auto& m : CurrentMonitors()) {
        if (m.primary) {
            return m.monitor;
        }
    }
    return {0, 0, 1920, 1080};
}

RECT VirtualRect() {
    const auto monitors = CurrentMonitors();
    RECT r = monitors.empty() ? RECT{0, 0, 1920, 1080} : monitors.front().monitor;
    for (const auto& m : monitors) {
        UnionRect(&r, &r, &m.monitor);
    }
    return r;
}

HMONITOR HandleOf(std::size_t index) {
    return reinterpret_cast<HMONITOR>(static_cast<UINT_PTR>(index + 0x100));
}

long long DistanceSquared(const RECT& r, POINT p) {
    const LONG dx = p.x < r.left ? r.left - p.x : (p.x >= r.right ? p.x - r.right + 1 : 0);
    const LONG dy = p.y < r.top ? r.top - p.y : (p.y >= r.bottom ? p.y - r.bottom + 1 : 0);
    return static_cast<long long>(dx) * dx + static_cast<long long>(dy) * dy;
}

HMONITOR MonitorFor(const RECT& rect, DWORD flags) {
    const auto monitors = CurrentMonitors();
    if (monitors.empty()) {
        return nullptr;
    }
    // Largest overlap first, then nearest.
    long bestArea = -1;
    std::size_t best = 0;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        RECT inter;
        if (IntersectRect(&inter, &rect, &monitors[i].monitor)) {
            const long area =
                static_cast<long>(inter.right - inter.left) * (inter.bottom - inter.top);
            if (area > bestArea) {
                bestArea = area;
                best = i;
            }
        }
    }
    if (bestArea >= 0) {
        return HandleOf(best);
    }
    if (flags == MONITOR_DEFAULTTONULL) {
        return nullptr;
    }
    if (flags == MONITOR_DEFAULTTOPRIMARY) {
        for (std::size_t i = 0; i < monitors.size(); ++i) {
            if (monitors[i].primary) {
                return HandleOf(i);
            }
        }
        return HandleOf(0);
    }
    const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    long long bestDistance = LLONG_MAX;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const long long d = DistanceSquared(monitors[i].monitor, centre);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return HandleOf(best);
}

COLORREF DefaultSysColor(int index) {
    static constexpr std::array<COLORREF, 31> colors = {
        RGB(200, 200, 200), // COLOR_SCROLLBAR
        RGB(0, 0, 0),       // COLOR_BACKGROUND
        RGB(153, 180, 209), // COLOR_ACTIVECAPTION
        RGB(191, 205, 219), // COLOR_INACTIVECAPTION
        RGB(240, 240, 240), // COLOR_MENU
        RGB(255, 255, 255), // COLOR_WINDOW
        RGB(100, 100, 100), // COLOR_WINDOWFRAME
        RGB(0, 0, 0),       // COLOR_MENUTEXT
        RGB(0, 0, 0),       // COLOR_WINDOWTEXT
        RGB(0, 0, 0),       // COLOR_CAPTIONTEXT
        RGB(180, 180, 180), // COLOR_ACTIVEBORDER
        RGB(244, 247, 252), // COLOR_INACTIVEBORDER
        RGB(171, 171, 171), // COLOR_APPWORKSPACE
        RGB(0, 120, 215),   // COLOR_HIGHLIGHT
        RGB(255, 255, 255), // COLOR_HIGHLIGHTTEXT
        RGB(240, 240, 240), // COLOR_BTNFACE
        RGB(160, 160, 160), // COLOR_BTNSHADOW
        RGB(109, 109, 109), // COLOR_GRAYTEXT
        RGB(0, 0, 0),       // COLOR_BTNTEXT
        RGB(0, 0, 0),       // COLOR_INACTIVECAPTIONTEXT
        RGB(255, 255, 255), // COLOR_BTNHIGHLIGHT
        RGB(105, 105, 105), // COLOR_3DDKSHADOW
        RGB(227, 227, 227), // COLOR_3DLIGHT
        RGB(0, 0, 0),       // COLOR_INFOTEXT
        RGB(255, 255, 225), // COLOR_INFOBK
        RGB(0, 0, 0),       // 25, unused
        RGB(0, 102, 204),   // COLOR_HOTLIGHT
        RGB(185, 209, 234), // COLOR_GRADIENTACTIVECAPTION
        RGB(215, 228, 242), // COLOR_GRADIENTINACTIVECAPTION
        RGB(0, 120, 215),   // COLOR_MENUHILIGHT
        RGB(240, 240, 240), // COLOR_MENUBAR
    };
    if (index < 0 || index >= static_cast<int>(colors.size())) {
        return 0;
    }
    return colors[static_cast<std::size_t>(index)];
}

constexpr int SysColorCount = 31;

// The colours GetSysColor reports: the default desktop's until SetSysColors
// changes them.
std::array<COLORREF, SysColorCount>& SysColors() {
    static std::array<COLORREF, SysColorCount> colors = [] {
        std::array<COLORREF, SysColorCount> defaults{};
        for (int i = 0; i < SysColorCount; ++i) {
            defaults[static_cast<std::size_t>(i)] = DefaultSysColor(i);
        }
        return defaults;
    }();
    return colors;
}

std::array<HBRUSH, SysColorCount>& SysColorBrushes() {
    static std::array<HBRUSH, SysColorCount> brushes{};
    return brushes;
}

// The lines per wheel notch set through SystemParametersInfo, if any.
std::optional<UINT>& WheelLinesSetting() {
    static std::optional<UINT> lines;
    return lines;
}

LOGFONT UiFont(LONG height, LONG weight) {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    const std::string family =
        GetBackend() != nullptr ? GetBackend()->UiFontFamily() : "MS Shell Dlg";
    std::strncpy(lf.lfFaceName, family.c_str(), LF_FACESIZE - 1);
    return lf;
}

} // namespace

namespace kwin {

std::vector<MonitorDesc> CurrentMonitors() {
    if (TestMonitors()) {
        return *TestMonitors();
    }
    if (IBackend* backend = GetBackend()) {
        auto monitors = backend->Monitors();
        if (!monitors.empty()) {
            return monitors;
        }
    }
    return {MonitorDesc{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true}};
}

void SetMonitorsForTesting(std::vector<MonitorDesc> monitors) {
    TestMonitors() = std::move(monitors);
}
void ClearMonitorsForTesting() {
    TestMonitors().reset();
}

UINT WheelScrollLines() {
    if (WheelLinesSetting()) {
        return *WheelLinesSetting();
    }
    const int lines = GetBackend() != nullptr ? GetBackend()->WheelScrollLines() : 3;
    return static_cast<UINT>(lines > 0 ? lines : 3);
}

} // namespace kwin

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN: {
        const RECT r = PrimaryRect();
        return r.right - r.left;
    }
    case SM_CYSCREEN: {
        const RECT r = PrimaryRect();
        return r.bottom - r.top;
    }
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
        return 17;
    case SM_CYCAPTION:
        return 23;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXFIXEDFRAME:
    case SM_CYFIXEDFRAME:
        return 3;
    case SM_CXSIZEFRAME:
    case SM_CYSIZEFRAME:
        return 4;
    case SM_CXPADDEDBORDER:
        return 4;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CYSMCAPTION:
        return 23;
    case SM_CYMENU:
        return 20;
    case SM_CXSIZE:
    case SM_CYSIZE:
        return 36;
    case SM_CXMIN:
        return 136;
    case SM_CYMIN:
        return 39;
    case SM_CXMINTRACK:
        return 136;
    case SM_CYMINTRACK:
        return 39;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return 4;
    case SM_CXDRAG:
    case SM_CYDRAG:
        return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING:
        return 75;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK:
        return 15;
    case SM_MOUSEWHEELPRESENT:
        return 1;
    case SM_SWAPBUTTON:
        return 0;
    case SM_CXFULLSCREEN:
    case SM_CXMAXIMIZED: {
        const RECT r = PrimaryRect();
        return r.right - r.left;
    }
    case SM_CYFULLSCREEN:
    case SM_CYMAXIMIZED: {
        const RECT r = PrimaryRect();
        return r.bottom - r.top - 23;
    }
    case SM_XVIRTUALSCREEN:
        return VirtualRect().left;
    case SM_YVIRTUALSCREEN:
        return VirtualRect().top;
    case SM_CXVIRTUALSCREEN: {
        const RECT r = VirtualRect();
        return r.right - r.left;
    }
    case SM_CYVIRTUALSCREEN: {
        const RECT r = VirtualRect();
        return r.bottom - r.top;
    }
    case SM_CMONITORS:
        return static_cast<int>(CurrentMonitors().size());
    default:
        return 0;
    }
}

DWORD GetSysColor(int index) {
    if (index < 0 || index >= SysColorCount) {
        return 0;
    }
    return SysColors()[static_cast<std::size_t>(index)];
}

// The brushes of the colours change with them; every top-level window is
// told, and passes the news on to the children that need it.
BOOL SetSysColors(int count, const INT* elements, const COLORREF* values) {
    if (count < 0 || (count > 0 && (elements == nullptr || values == nullptr))) {
        return FALSE;
    }
    for (int i = 0; i < count; ++i) {
        const int index = elements[i];
        if (index < 0 || index >= SysColorCount) {
            continue;
        }
        SysColors()[static_cast<std::size_t>(index)] = values[i];
        if (HBRUSH brush = SysColorBrushes()[static_cast<std::size_t>(index)]) {
            FindGdiObject(brush)->color = values[i];
        }
    }
    for (HWND top : TopLevelWindows()) {
        SendMessage(top, WM_SYSCOLORCHANGE, 0, 0);
        RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    return TRUE;
}

HBRUSH GetSysColorBrush(int index) {
    if (index < 0 || index >= SysColorCount) {
        return nullptr;
    }
    auto& brush = SysColorBrushes()[static_cast<std::size_t>(index)];
    if (brush == nullptr) {
        brush = CreateSolidBrush(GetSysColor(index));
        FindGdiObject(brush)->stock = true;
    }
    return brush;
}

BOOL SystemParametersInfo(UINT action, UINT param, PVOID data, UINT) {
    switch (action) {
    case SPI_GETWORKAREA: {
        if (data == nullptr) {
            return FALSE;
        }
        for (const auto& m : CurrentMonitors()) {
            if (m.primary) {
                *static_cast<RECT*>(data) = m.work;
                return TRUE;
            }
        }
        *static_cast<RECT*>(data) = CurrentMonitors().front().work;
        return TRUE;
    }
    case SPI_GETWHEELSCROLLLINES:
        if (data == nullptr) {
            return FALSE;
        }
        *static_cast<UINT*>(data) = WheelScrollLines();
        return TRUE;
    case SPI_SETWHEELSCROLLLINES:
        WheelLinesSetting() = param;
        return TRUE;
    case SPI_GETWHEELSCROLLCHARS: {
        if (data == nullptr) {
            return FALSE;
        }
        const int chars = GetBackend() != nullptr ? GetBackend()->WheelScrollLines() : 3;
        *static_cast<UINT*>(data) = static_cast<UINT>(chars > 0 ? chars : 3);
        return TRUE;
    }
    case SPI_GETNONCLIENTMETRICS: {
        auto* m = static_cast<NONCLIENTMETRICS*>(data);
        if (m == nullptr) {
            return FALSE;
        }
        m->iBorderWidth = 1;
        m->iScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
        m->iScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
        m->iCaptionWidth = GetSystemMetrics(SM_CXSIZE);
        m->iCaptionHeight = GetSystemMetrics(SM_CYCAPTION);
        m->lfCaptionFont = UiFont(-12, FW_NORMAL);
        m->iSmCaptionWidth = GetSystemMetrics(SM_CXSIZE);
        m->iSmCaptionHeight = GetSystemMetrics(SM_CYSMCAPTION);
        m->lfSmCaptionFont = UiFont(-12, FW_NORMAL);
        m->iMenuWidth = GetSystemMetrics(SM_CXSIZE);
        m->iMenuHeight = GetSystemMetrics(SM_CYMENU);
        m->lfMenuFont = UiFont(-12, FW_NORMAL);
        m->lfStatusFont = UiFont(-12, FW_NORMAL);
        m->lfMessageFont = UiFont(-12, FW_NORMAL);
        m->iPaddedBorderWidth = GetSystemMetrics(SM_CXPADDEDBORDER);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

HMONITOR MonitorFromRect(const RECT* rect, DWORD flags) {
    return rect == nullptr ? nullptr : MonitorFor(*rect, flags);
}

HMONITOR MonitorFromPoint(POINT point, DWORD flags) {
    const RECT r{point.x, point.y, point.x + 1, point.y + 1};
    return MonitorFor(r, flags);
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
    RECT r;
    if (!GetWindowRect(hwnd, &r)) {
        return flags == MONITOR_DEFAULTTONULL
                   ? nullptr
                   : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    }
    if (IsRectEmpty(&r)) {
        r.right = r.left + 1;
        r.bottom = r.top + 1;
    }
    return MonitorFor(r, flags);
}

BOOL GetMonitorInfo(HMONITOR monitor, LPMONITORINFO info) {
    const auto monitors = CurrentMonitors();
    const auto index = reinterpret_cast<UINT_PTR>(monitor);
    if (info == nullptr || index < 0x100 || index - 0x100 >= monitors.size()) {
        return FALSE;
    }
    const auto& m = monitors[index - 0x100];
    info->rcMonitor = m.monitor;
    info->rcWork = m.work;
    info->dwFlags = m.primary ? MONITORINFOF_PRIMARY : 0;
    return TRUE;
}

HWND GetDesktopWindow() {
    return nullptr;
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    return init != nullptr ? TRUE : FALSE;
}
HRESULT CoInitialize(LPVOID) {
    return S_OK;
}
void CoUninitialize() {}

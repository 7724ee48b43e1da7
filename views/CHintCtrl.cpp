#include "views/CHintCtrl.h"

#include "engine/CCell.h"
#include "session/CGameFieldCtrl.h"
#include "session/FieldMessages.h"

#include <cstring>

namespace {

constexpr COLORREF Background = RGB(255, 255, 240);
constexpr COLORREF LineColor = RGB(127, 127, 127);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 240);
constexpr COLORREF Red = RGB(240, 64, 64);

int Trunc(double value) {
    return static_cast<int>(value);
}

} // namespace

bool CHintCtrl::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_HINT_CELLSTATE:
        OnCellState(wParam, lParam);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!OnClick(lParam)) {
            return false;
        }
        break;
    case WM_PAINT:
        OnPaint();
        break;
    default:
        return false;
    }
    result = 0;
    return true;
}

LRESULT CHintCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETOBJECT) {
        return OnGetObject(lParam);
    }
    LRESULT result = 0;
    if (ProcessMessage(message, wParam, lParam, result)) {
        return result;
    }
    return CWindow::WindowProc(message, wParam, lParam);
}

void CHintCtrl::OnCellState(WPARAM wParam, LPARAM lParam) {
    const bool nothingSelected = static_cast<std::uint32_t>(wParam) == 0xFFFFFFFFu &&
                                 static_cast<std::uint32_t>(lParam) == 0xFFFFFFFFu;
    m_shown = !nothingSelected;
    if (m_shown) {
        m_digit = static_cast<std::uint8_t>(wParam & 0xFF);
        m_inputMode = static_cast<std::uint32_t>((wParam >> 16) & 0xFFFF);
        m_flags = static_cast<std::uint16_t>(lParam & 0xFFFF);
    }
    Invalidate(TRUE);
    if (IsWinEventHookInstalled(EVENT_OBJECT_DESCRIPTIONCHANGE)) {
        for (LONG digit = 1; digit <= 9; ++digit) {
            NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, GetHwnd(), OBJID_CLIENT, digit);
        }
    }
}

LRESULT CHintCtrl::OnGetObject(LPARAM objectId) {
    return static_cast<LONG>(objectId) == OBJID_CLIENT ? LresultFromObject(&m_accessible) : 0;
}

bool CHintCtrl::OnClick(LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::MapWindowPoints(GetParent(), GetHwnd(), &point, 1);
    RECT client{0, 0, 0, 0};
    GetClientRect(&client);
    const int width = client.right - 2;
    const int height = client.bottom - 2;
    if (point.x < 0 || point.y < 0 || point.x >= width || point.y >= height) {
        return false;
    }
    EnterDigit(Trunc(static_cast<double>(point.x) / width * 9) + 1);
    return true;
}

void CHintCtrl::EnterDigit(int digit) {
    const auto fieldView =
        reinterpret_cast<HWND>(::SendMessage(GetParent(), WM_GET_FIELDVIEW, 0, 0));
    if (::IsWindow(fieldView)) {
        ::SendMessage(fieldView, WM_FIELD_ENTERDIGIT, 0, digit);
    }
}

void CHintCtrl::OnPaint() {
    RECT client;
    GetClientRect(&client);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(GetHwnd(), &ps);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    SetViewportOrgEx(memory, -client.left, -client.top, nullptr);
    PaintStrip(memory, client);
    BitBlt(dc, client.left, client.top, width, height, memory, client.left, client.top, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(GetHwnd(), &ps);
}

void CHintCtrl::PaintStrip(HDC dc, const RECT& client) const {
    const double slotWidth = (client.right - client.left) / 9.0;
    HPEN pen = CreatePen(PS_SOLID, 1, LineColor);
    HBRUSH brush = CreateSolidBrush(Background);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    Rectangle(dc, client.left, client.top, client.right, client.bottom);
    for (int k = 1; k <= 8; ++k) {
        const int x = client.left + Trunc(k * slotWidth);
        MoveToEx(dc, x, client.top, nullptr);
        LineTo(dc, x, client.bottom);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
    if (m_shown && !(m_digit != 0 && m_inputMode == CGameFieldCtrl::MarkEntry)) {
        PaintDigits(dc, client, slotWidth);
    }
}

void CHintCtrl::PaintDigits(HDC dc, const RECT& client, double slotWidth) const {
    LOGFONT lf{};
    lf.lfHeight = client.bottom - client.top;
    std::strncpy(lf.lfFaceName, "Arial", LF_FACESIZE - 1);
    HFONT font = CreateFontIndirect(&lf);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    const bool given = (m_flags & CCell::GivenBit) != 0;
    for (int d = 1; d <= 9; ++d) {
        if (given && d != m_digit) {
            continue;
        }
        COLORREF color = Red;
        if (given) {
            color = Black;
        } else if (m_inputMode != CGameFieldCtrl::MarkEntry && (m_flags & (1u << (d - 1))) == 0) {
            color = Blue;
        }
        const int left = client.left + Trunc((d - 1) * slotWidth);
        RECT slot{left, client.top, left + Trunc(slotWidth), client.bottom};
        SetTextColor(dc, color);
        const char digit = static_cast<char>('0' + d);
        DrawText(dc, &digit, 1, &slot, DT_CENTER | DT_VCENTER);
    }
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

#include "grid/CInPlaceEdit.h"

#include "grid/CGridCtrl.h"
#include "grid/InputClasses.h"

#include <algorithm>

namespace {

bool IsArrowOrPage(WPARAM key) {
    return key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT || key == VK_PRIOR ||
           key == VK_NEXT;
}

std::string WindowText(HWND hwnd) {
    const int length = GetWindowTextLength(hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowText(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

} // namespace

CInPlaceEdit::CInPlaceEdit(CGridCtrl& grid, const RECT& cellRect, DWORD style, UINT id, int row,
                           int col, std::string text, UINT firstChar)
    : m_grid(grid), m_row(row), m_col(col), m_initialText(std::move(text)),
      m_exitOnArrows(firstChar != VK_LBUTTON && firstChar != VK_RETURN),
      m_rect{cellRect.left, cellRect.top, cellRect.right + 1, cellRect.bottom + 1} {
    HWND hwnd = CreateWindowEx(0, "EDIT", "InPlaceEdit", style | WS_CHILD | WS_VISIBLE, m_rect.left,
                               m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top,
                               grid.GetHwnd(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                               GetModuleHandle(nullptr), nullptr);
    if (hwnd == nullptr) {
        return;
    }
    SubclassWindow(hwnd);
    SendMessage(WM_SETFONT, static_cast<WPARAM>(grid.SendMessage(WM_GETFONT)), FALSE);
    SetWindowText(hwnd, m_initialText.c_str());
    SetFocus(hwnd);
}

void CInPlaceEdit::Start(UINT firstChar) {
    const LPARAM end = static_cast<LPARAM>(m_initialText.size());
    switch (firstChar) {
    case VK_LBUTTON:
    case VK_RETURN:
        SendMessage(EM_SETSEL, static_cast<WPARAM>(end), end);
        break;
    case VK_BACK:
        SendMessage(EM_SETSEL, static_cast<WPARAM>(end), end);
        SendMessage(WM_CHAR, VK_BACK, 0);
        break;
    case VK_TAB:
    case VK_SPACE:
        SendMessage(EM_SETSEL, 0, -1);
        break;
    default:
        SendMessage(EM_SETSEL, 0, -1);
        SendMessage(WM_CHAR, firstChar, 0);
        break;
    }
}

void CInPlaceEdit::EndEdit() {
    if (m_ending || !IsWindow()) {
        return;
    }
    m_ending = true;
    const std::string text = WindowText(m_hWnd);
    HWND self = m_hWnd;
    InPlaceEditNotify notify{};
    notify.hdr.hwndFrom = self;
    notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(self));
    notify.hdr.code = GridNotifyCode::EndLabelEdit;
    notify.row = m_row;
    notify.col = m_col;
    notify.lastChar = m_lastChar;
    notify.text = text.c_str();
    if (GetFocus() == self) {
        SetFocus(m_grid.GetHwnd());
    }
    HWND grid = m_grid.GetHwnd();
    ::SendMessage(grid, WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
    // This object is gone once its window is.
    ::DestroyWindow(self);
}

void CInPlaceEdit::OnFinalMessage(HWND) {
    if (!m_ending) {
        // Destroyed with its grid: the cell is no longer being edited.
        if (CGridCellBase* cell = m_grid.GetCell(m_row, m_col)) {
            cell->OnEndEdit();
        }
    }
    delete this;
}

LRESULT CInPlaceEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        return OnKeyDown(wParam, lParam);
    case WM_CHAR:
        return OnChar(wParam, lParam);
    case WM_KILLFOCUS:
        DefWindowProc(message, wParam, lParam);
        EndEdit();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    default:
        return DefWindowProc(message, wParam, lParam);
    }
}

LRESULT CInPlaceEdit::OnKeyDown(WPARAM key, LPARAM lParam) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (IsArrowOrPage(key) && (m_exitOnArrows || ctrl)) {
        m_lastChar = static_cast<UINT>(key);
        EndEdit();
        return 0;
    }
    if (key == VK_ESCAPE) {
        SetWindowText(m_hWnd, m_initialText.c_str());
    }
    if (key == VK_RETURN || key == VK_TAB || key == VK_ESCAPE) {
        m_lastChar = static_cast<UINT>(key);
        EndEdit();
        return 0;
    }
    return DefWindowProc(WM_KEYDOWN, key, lParam);
}

LRESULT CInPlaceEdit::OnChar(WPARAM ch, LPARAM lParam) {
    if (ch == VK_RETURN || ch == VK_TAB || ch == VK_ESCAPE) {
        return 0;
    }
    const bool printable = ch >= 0x20;
    if (printable) {
        const CGridCellBase* cell = m_grid.GetCell(m_row, m_col);
        const WORD mask = cell != nullptr ? cell->GetInputMask() : GridInputClass::All;
        if ((InputClassesOf(static_cast<unsigned char>(ch)) & mask) == 0) {
            return 0;
        }
    }
    const LRESULT result = DefWindowProc(WM_CHAR, ch, lParam);
    Widen();
    return result;
}

// The box grows with its text, as far as the grid's right edge.
void CInPlaceEdit::Widen() {
    const std::string text = WindowText(m_hWnd);
    HDC dc = GetDC(m_hWnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    SIZE size{};
    GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SIZE space{};
    GetTextExtentPoint32(dc, "  ", 2, &space);
    SelectObject(dc, old);
    ReleaseDC(m_hWnd, dc);
    RECT client{};
    m_grid.GetClientRect(&client);
    const LONG wanted = std::min<LONG>(m_rect.left + size.cx + space.cx + 8, client.right);
    if (wanted > m_rect.right) {
        m_rect.right = wanted;
        MoveWindow(m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top,
                   TRUE);
    }
}

#include "grid/CGridCtrl.h"

#include <cstdlib>
#include <stdexcept>

CGridCtrl::CGridCtrl(int rows, int cols, int fixedRows, int fixedCols)
    : m_prototype(std::make_unique<CGridCell>()) {
    RegisterGridClass();
    if (FAILED(OleInitialize(nullptr))) {
        throw std::runtime_error("The grid control could not initialise the object services.");
    }
    m_windowText = GetSysColor(COLOR_WINDOWTEXT);
    m_window = GetSysColor(COLOR_WINDOW);
    m_face = GetSysColor(COLOR_3DFACE);
    m_shadow = GetSysColor(COLOR_3DSHADOW);
    m_rowsPerWheelNotch = ReadWheelScrollLines();
    InitDefaultCells();
    m_gridBkColor = m_shadow;
    SetRowCount(rows);
    SetColumnCount(cols);
    SetFixedRowCount(fixedRows);
    SetFixedColumnCount(fixedCols);
}

CGridCtrl::~CGridCtrl() {
    m_inDestructor = true;
    if (IsWindow()) {
        // A window still showing this table goes with it.
        ::DestroyWindow(m_hWnd);
    }
    m_cells.clear();
    m_prototype.reset();
    OleUninitialize();
    UnregisterClass(ClassName, GetModuleHandle(nullptr));
}

void CGridCtrl::RegisterGridClass() {
    WNDCLASSEX existing{};
    if (GetClassInfoEx(GetModuleHandle(nullptr), ClassName, &existing)) {
        return;
    }
    WNDCLASSEX wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = GetModuleHandle(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_3DFACE + 1));
    wc.lpszClassName = ClassName;
    RegisterClassEx(&wc);
}

// The desktop's "WheelScrollLines" setting; 3 when it cannot be read.
int CGridCtrl::ReadWheelScrollLines() {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &key) !=
        static_cast<LONG>(ERROR_SUCCESS)) {
        return 3;
    }
    char text[32] = {};
    DWORD size = sizeof(text);
    DWORD type = 0;
    const LONG result = RegQueryValueEx(key, "WheelScrollLines", nullptr, &type,
                                        reinterpret_cast<LPBYTE>(text), &size);
    RegCloseKey(key);
    if (result != static_cast<LONG>(ERROR_SUCCESS)) {
        return 3;
    }
    return static_cast<int>(std::strtoul(text, nullptr, 10));
}

bool CGridCtrl::Create(HWND parent, const RECT& rect, UINT id, DWORD style) {
    RegisterGridClass();
    HWND hwnd = CreateWindowEx(0, ClassName, "", style, rect.left, rect.top, rect.right - rect.left,
                               rect.bottom - rect.top, parent,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                               GetModuleHandle(nullptr), nullptr);
    if (hwnd == nullptr) {
        return false;
    }
    if (!Attach(hwnd)) {
        ::DestroyWindow(hwnd);
        return false;
    }
    return true;
}

bool CGridCtrl::Attach(HWND hwnd) {
    if (!SubclassWindow(hwnd)) {
        return false;
    }
    m_framed = false;
    GiveClientEdge();
    return true;
}

LRESULT CGridCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_PAINT:
        return OnPaint();
    case WM_ERASEBKGND:
        return TRUE;
    case WM_SIZE:
        return OnSize(wParam, lParam);
    case WM_HSCROLL:
        return OnScroll(SB_HORZ, wParam);
    case WM_VSCROLL:
        return OnScroll(SB_VERT, wParam);
    case WM_MOUSEWHEEL:
        return OnMouseWheel(wParam);
    case WM_SETFONT:
        return OnSetFont(wParam);
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_cellDefault.GetFontObject());
    case WM_SYSCOLORCHANGE:
        RefreshColors();
        return 0;
    case WM_SETTINGCHANGE:
        RefreshColors();
        m_rowsPerWheelNotch = ReadWheelScrollLines();
        return 0;
    case WM_MOUSEMOVE:
        return OnMouseMove(wParam, point);
    case WM_LBUTTONDOWN:
        return OnLButtonDown(wParam, point);
    case WM_LBUTTONUP:
        return OnLButtonUp(wParam, point);
    case WM_LBUTTONDBLCLK:
        return OnLButtonDblClk(wParam, point);
    case WM_RBUTTONUP:
        return OnRButtonUp(wParam, point);
    case WM_TIMER:
        return OnTimer(wParam);
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != m_hWnd) {
            StopDragTimer();
        }
        return 0;
    case WM_SETCURSOR:
        return OnSetCursor(wParam, lParam);
    case WM_GETDLGCODE:
        return OnGetDlgCode(wParam, lParam);
    case WM_KEYDOWN:
        return OnKeyDown(wParam, lParam);
    case WM_CHAR:
        return OnChar(wParam, lParam);
    case WM_COMMAND:
        return OnCommand(wParam, lParam);
    case WM_NOTIFY:
        return OnNotify(lParam);
    case WM_GETOBJECT:
        return static_cast<LONG>(lParam) == OBJID_CLIENT ? LresultFromObject(&m_accessible) : 0;
    case WM_DESTROY:
        EndFocusCellEdit();
        StopDragTimer();
        return DefWindowProc(message, wParam, lParam);
    default:
        return DefWindowProc(message, wParam, lParam);
    }
}

HWND CGridCtrl::NotifyTarget() const {
    if (!IsWindow()) {
        return nullptr;
    }
    HWND target = ::GetParent(m_hWnd);
    if (target == nullptr) {
        target = GetWindow(m_hWnd, GW_OWNER);
    }
    return target != nullptr && ::IsWindow(target) ? target : nullptr;
}

LRESULT CGridCtrl::SendMessageToParent(int row, int col, UINT code) const {
    HWND target = NotifyTarget();
    if (target == nullptr) {
        return 0;
    }
    GridNotify notify{};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(m_hWnd));
    notify.hdr.code = code;
    notify.row = row;
    notify.col = col;
    return ::SendMessage(target, WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
}

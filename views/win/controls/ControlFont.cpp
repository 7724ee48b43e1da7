#include "views/win/controls/internal/ControlFont.h"

#include "views/win/api/WinUser.h"

namespace kwin {

HFONT AcceptControlFont(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (LOWORD(static_cast<DWORD_PTR>(lParam))) {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    return reinterpret_cast<HFONT>(wParam);
}

} // namespace kwin

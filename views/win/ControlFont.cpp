#include "views/win/ControlFont.h"

#include "views/win/WinUser.h"

namespace kwin {

HFONT AcceptControlFont(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (LOWORD(static_cast<DWORD_PTR>(lParam))) {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    return reinterpret_cast<HFONT>(wParam);
}

} // namespace kwin

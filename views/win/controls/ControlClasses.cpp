// Registers the layer's controls once.

#include "views/win/api/WinDialog.h"
#include "views/win/api/WinUser.h"
#include "views/win/core/internal/WindowTable.h"

namespace kwin {

LRESULT EditWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ButtonWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT StatusBarWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

namespace {

void RegisterControl(const char* name, WNDPROC proc, UINT style, LPCSTR cursor) {
    WNDCLASSEX wc{};
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hCursor = LoadCursor(nullptr, cursor);
    wc.lpszClassName = name;
    RegisterSystemClass(wc);
}

} // namespace

void RegisterControlClasses() {
    RegisterControl("STATIC", StaticWndProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW);
    RegisterControl("EDIT", EditWndProc, CS_DBLCLKS | CS_PARENTDC, IDC_IBEAM);
    RegisterControl("BUTTON", ButtonWndProc, CS_DBLCLKS | CS_PARENTDC | CS_HREDRAW | CS_VREDRAW,
                    IDC_ARROW);
    RegisterControl(STATUSCLASSNAME, StatusBarWndProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                    IDC_ARROW);
}

} // namespace kwin

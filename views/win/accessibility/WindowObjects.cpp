// The objects windows own, and the events they announce.

#include "views/win/accessibility/internal/WindowObjects.h"

#include "views/win/api/WinUser.h"
#include "views/win/backend/AccessibilityHost.h"
#include "views/win/core/internal/WindowTable.h"

namespace kwin {
namespace {

IAccessibilityHost*& Host() {
    static IAccessibilityHost* host = nullptr;
    return host;
}

} // namespace

void InstallAccessibilityHost(IAccessibilityHost* host) {
    Host() = host;
}

LRESULT AnswerGetObject(HWND hwnd, LPARAM objectId, MakeAccessibleObject make) {
    const auto w = FindWindowObject(hwnd);
    if (!w || static_cast<LONG>(objectId) != OBJID_CLIENT) {
        return 0;
    }
    if (!w->accessible) {
        w->accessible = make(hwnd);
    }
    return LresultFromObject(w->accessible.get());
}

} // namespace kwin

void NotifyWinEvent(DWORD event, HWND hwnd, LONG idObject, LONG idChild) {
    kwin::IAccessibilityHost* host = kwin::Host();
    if (host != nullptr && host->IsActive()) {
        host->WinEvent(event, hwnd, idObject, idChild);
    }
}

BOOL IsWinEventHookInstalled(DWORD) {
    kwin::IAccessibilityHost* host = kwin::Host();
    return host != nullptr && host->IsActive() ? TRUE : FALSE;
}

LRESULT LresultFromObject(kwin::IAccessibleObject* object) {
    return reinterpret_cast<LRESULT>(object);
}

kwin::IAccessibleObject* ObjectFromLresult(LRESULT result) {
    return reinterpret_cast<kwin::IAccessibleObject*>(result);
}

kwin::IAccessibleObject* AccessibleObjectFromWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) {
        return nullptr;
    }
    return ObjectFromLresult(SendMessage(hwnd, WM_GETOBJECT, 0, OBJID_CLIENT));
}

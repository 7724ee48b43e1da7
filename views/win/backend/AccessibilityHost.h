#pragma once

// The contract between the layer's accessibility and a backend's bridge to
// the desktop's assistive technologies: the bridge says whether a client
// listens and takes the events windows announce with NotifyWinEvent; it
// reads the objects themselves through WM_GETOBJECT.

#include "views/win/api/WinTypes.h"

namespace kwin {

class IAccessibilityHost {
public:
    virtual ~IAccessibilityHost() = default;
    // A client (a screen reader) listens; cheap, asked before every event.
    virtual bool IsActive() = 0;
    virtual void WinEvent(DWORD event, HWND hwnd, LONG idObject, LONG idChild) = 0;
};

// Installs the host (nullptr: none); it stays until the next call.
void InstallAccessibilityHost(IAccessibilityHost* host);

} // namespace kwin

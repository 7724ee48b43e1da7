#pragma once

// Internal: the window classes and windows of the layer, looked up by handle.

#include "views/win/accessibility/IAccessibleObject.h"
#include "views/win/api/WinTypes.h"
#include "views/win/backend/Backend.h"
#include "views/win/gdi/Surface.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kwin {

struct WindowClass {
    std::string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int clsExtra = 0;
    int wndExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON iconSmall = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    std::string menuName;
    std::vector<BYTE> extra;
    int windowCount = 0;
    bool system = false;
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> cls;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr; // WS_CHILD windows only
    HWND owner = nullptr;  // top-level windows only
    HINSTANCE instance = nullptr;
    LONG_PTR id = 0;
    LONG_PTR userData = 0;
    HMENU menu = nullptr;
    std::vector<BYTE> extra;
    std::string text;
    std::map<std::string, HANDLE> props;
    std::vector<HWND> children; // front = top of the Z order

    // Outer rectangle: screen coordinates for a top-level window, parent
    // client coordinates for a child.
    RECT rect{};
    bool messageOnly = false;
    bool destroying = false;
    bool created = false;

    // Painting: whether the window has pixels at all (message-only windows
    // have none), the pixels while the layer holds them (a shown window's
    // peer keeps them between paints; see WindowPixels), and the pending
    // update rectangle.
    bool drawable = false;
    std::shared_ptr<Surface> surface;
    // The pixels are as the peer gave them back, nothing drawn since.
    bool pixelsFromPeer = false;
    RECT update{};
    bool erasePending = false;
    bool internalPaint = false;

    std::unique_ptr<IWindowPeer> peer;
    // What WM_GETOBJECT hands out, made when first asked for.
    std::unique_ptr<IAccessibleObject> accessible;
    HICON iconBig = nullptr;
    HICON iconSmall = nullptr;
};

using WindowPtr = std::shared_ptr<Window>;

WindowPtr FindWindowObject(HWND hwnd);
WindowPtr AddWindowObject(std::shared_ptr<Window> window);
void RemoveWindowObject(HWND hwnd);
std::vector<HWND> AllWindows();
std::vector<HWND> TopLevelWindows();

std::shared_ptr<WindowClass> FindWindowClass(LPCSTR nameOrAtom);
// Registers the layer's own classes ("STATIC") once.
void EnsureSystemClasses();
// A class every module can use and nobody can unregister (controls).
ATOM RegisterSystemClass(const WNDCLASSEX& wc);

// Geometry helpers.
RECT NonClientInsets(const Window& w);
RECT ClientRectOf(const Window& w); // 0, 0, width, height
POINT ClientOriginOnScreen(const Window& w);
bool IsVisibleChain(HWND hwnd);
HWND RootOf(HWND hwnd);
// Tells a window's peer where its client area now lies.
void ApplyPeerGeometry(const Window& w);

// A window's pixels (WindowSurfaces.cpp): made at its peer's device pixel
// ratio, then kept the size of its client area, the new part (or all of it
// with invalidateAll, or after a change of ratio) to paint unless redraw is
// false. Once the peer shows them, the peer's copy is the only one
// (ReleaseWindowPixels); WindowPixels takes them back from the peer when the
// layer draws or reads them again.
void GiveSurface(Window& w);
void ResizeSurface(Window& w, bool invalidateAll, bool redraw);
std::shared_ptr<Surface> WindowPixels(Window& w);
// Lets go of pixels taken back from the peer only to be read.
void LetGoOfUnchangedPixels(Window& w);

} // namespace kwin

// A window's pixels: made when the window is created, at the device pixel
// ratio its peer shows it at; kept the size of its client area; made anew
// when the ratio changes. Coordinates stay logical throughout: only the
// number of pixels behind each unit follows the screen.
//
// Once a peer shows a window, the toolkit keeps its pixels, and the layer
// lets go of its own copy (ReleaseWindowPixels); when the window is drawn or
// read again, the layer takes them back from the peer (WindowPixels). A
// window's pixels are so kept once, not twice, while it is on screen.

#include "views/win/api/WinUser.h"
#include "views/win/backend/Backend.h"
#include "views/win/core/internal/WindowTable.h"

using namespace kwin;

namespace {

constexpr std::uint32_t Blank = 0xFFFFFFFF;

double RatioOf(const Window& w) {
    return Surface::UsableRatio(w.peer ? w.peer->DevicePixelRatio() : 1.0);
}

// Blank pixels for the client area at the peer's ratio.
std::shared_ptr<Surface> BlankSurface(const Window& w) {
    const RECT client = ClientRectOf(w);
    return std::make_shared<Surface>(client.right, client.bottom, Blank, RatioOf(w));
}

// Nothing is let go while a DC draws into the pixels or more is to paint.
bool LetGo(Window& w) {
    if (!w.surface || w.surface.use_count() > 1 || !IsRectEmpty(&w.update) || w.internalPaint) {
        return false;
    }
    w.surface.reset();
    w.pixelsFromPeer = false;
    return true;
}

// True when the surface now has another ratio, or the peer holds the
// pixels; all of it is then to paint.
bool FollowRatio(Window& w) {
    if (!w.surface) {
        InvalidateRect(w.handle, nullptr, TRUE);
        return true;
    }
    if (RatioOf(w) == w.surface->Ratio()) {
        return false;
    }
    *w.surface = std::move(*BlankSurface(w));
    w.pixelsFromPeer = false;
    InvalidateRect(w.handle, nullptr, TRUE);
    return true;
}

void FollowRatioWithChildren(HWND hwnd) {
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        return;
    }
    if (w->drawable) {
        FollowRatio(*w);
    }
    const std::vector<HWND> children = w->children;
    for (HWND child : children) {
        FollowRatioWithChildren(child);
    }
}

} // namespace

namespace kwin {

void GiveSurface(Window& w) {
    w.drawable = true;
    w.surface = BlankSurface(w);
}

// Pixels the peer holds follow the window's size there; the toolkit asks
// for whatever it has not got.
void ResizeSurface(Window& w, bool invalidateAll, bool redraw) {
    if (!w.surface || FollowRatio(w)) {
        return;
    }
    const RECT client = ClientRectOf(w);
    const int oldW = w.surface->Width();
    const int oldH = w.surface->Height();
    if (oldW == client.right && oldH == client.bottom) {
        return;
    }
    w.surface->Resize(client.right, client.bottom);
    w.pixelsFromPeer = false;
    if (!redraw) {
        return;
    }
    if (invalidateAll) {
        InvalidateRect(w.handle, nullptr, TRUE);
        return;
    }
    if (client.right > oldW) {
        const RECT r{oldW, 0, client.right, client.bottom};
        InvalidateRect(w.handle, &r, TRUE);
    }
    if (client.bottom > oldH) {
        const RECT r{0, oldH, client.right, client.bottom};
        InvalidateRect(w.handle, &r, TRUE);
    }
}

void DeliverRatioChange(HWND topLevel) {
    FollowRatioWithChildren(topLevel);
}

// Pixels the peer cannot give back are lost: the window paints them again.
std::shared_ptr<Surface> WindowPixels(Window& w) {
    if (w.surface || !w.drawable) {
        return w.surface;
    }
    w.surface = BlankSurface(w);
    w.pixelsFromPeer = w.peer && w.peer->ReadPixels(*w.surface);
    if (!w.pixelsFromPeer) {
        InvalidateRect(w.handle, nullptr, TRUE);
    }
    return w.surface;
}

void LetGoOfUnchangedPixels(Window& w) {
    if (w.pixelsFromPeer) {
        LetGo(w);
    }
}

const Surface* GetWindowSurface(HWND hwnd) {
    const auto w = FindWindowObject(hwnd);
    return w ? WindowPixels(*w).get() : nullptr;
}

bool HoldsWindowPixels(HWND hwnd) {
    const auto w = FindWindowObject(hwnd);
    return w && w->surface;
}

bool ReleaseWindowPixels(HWND hwnd) {
    const auto w = FindWindowObject(hwnd);
    return w && w->peer && LetGo(*w);
}

} // namespace kwin

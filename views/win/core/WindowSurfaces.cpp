// A window's pixels: made when the window is created, at the device pixel
// ratio its peer shows it at; kept the size of its client area; made anew
// when the ratio changes. Coordinates stay logical throughout: only the
// number of pixels behind each unit follows the screen.

#include "views/win/api/WinUser.h"
#include "views/win/core/internal/WindowTable.h"

using namespace kwin;

namespace {

constexpr std::uint32_t Blank = 0xFFFFFFFF;

double RatioOf(const Window& w) {
    return Surface::UsableRatio(w.peer ? w.peer->DevicePixelRatio() : 1.0);
}

// True when the surface now has another ratio; all of it is then to paint.
bool FollowRatio(Window& w) {
    const double ratio = RatioOf(w);
    if (ratio == w.surface->Ratio()) {
        return false;
    }
    const RECT client = ClientRectOf(w);
    *w.surface = Surface(client.right, client.bottom, Blank, ratio);
    InvalidateRect(w.handle, nullptr, TRUE);
    return true;
}

void FollowRatioWithChildren(HWND hwnd) {
    const auto w = FindWindowObject(hwnd);
    if (!w) {
        return;
    }
    if (w->surface) {
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
    const RECT client = ClientRectOf(w);
    w.surface = std::make_shared<Surface>(client.right, client.bottom, Blank, RatioOf(w));
}

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

} // namespace kwin

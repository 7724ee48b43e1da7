// A device context's clip: the base rectangle (a paint's update rectangle or
// the whole surface) narrowed by IntersectClipRect, ExcludeClipRect and
// SelectClipRgn. The clip is kept as disjoint rectangles, so every drawing
// operation draws into each of them and nothing outside.

#include "views/win/gdi/internal/GdiObjects.h"

#include "views/win/api/WinGdi.h"
#include "views/win/api/WinUser.h"

#include <algorithm>

using namespace kwin;

namespace {

// The parts of r outside hole: at most four rectangles (above, below, left, right).
void Subtract(const RECT& r, const RECT& hole, std::vector<RECT>& out) {
    RECT overlap;
    if (!IntersectRect(&overlap, &r, &hole)) {
        out.push_back(r);
        return;
    }
    const RECT parts[] = {{r.left, r.top, r.right, overlap.top},
                          {r.left, overlap.bottom, r.right, r.bottom},
                          {r.left, overlap.top, overlap.left, overlap.bottom},
                          {overlap.right, overlap.top, r.right, overlap.bottom}};
    for (const RECT& part : parts) {
        if (!IsRectEmpty(&part)) {
            out.push_back(part);
        }
    }
}

bool Joinable(const RECT& a, const RECT& b) {
    const bool stacked =
        a.left == b.left && a.right == b.right && (a.bottom == b.top || b.bottom == a.top);
    const bool sideBySide =
        a.top == b.top && a.bottom == b.bottom && (a.right == b.left || b.right == a.left);
    return stacked || sideBySide;
}

// Joins neighbours that form one rectangle, so a clip that is one rectangle
// is kept (and reported) as one.
void Coalesce(std::vector<RECT>& rects) {
    for (bool joined = true; joined;) {
        joined = false;
        for (std::size_t i = 0; i < rects.size() && !joined; ++i) {
            for (std::size_t j = i + 1; j < rects.size() && !joined; ++j) {
                if (Joinable(rects[i], rects[j])) {
                    UnionRect(&rects[i], &rects[i], &rects[j]);
                    rects.erase(rects.begin() + static_cast<std::ptrdiff_t>(j));
                    joined = true;
                }
            }
        }
    }
}

std::vector<RECT> CurrentClip(const DeviceContext& dc) {
    return dc.state.clip ? *dc.state.clip : std::vector<RECT>{dc.baseClip};
}

int RegionKind(const std::vector<RECT>& rects) {
    return rects.empty() ? NULLREGION : rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

RECT LogicalToDevice(const DeviceContext& dc, int left, int top, int right, int bottom) {
    const POINT a = ToDevice(dc, left, top);
    const POINT b = ToDevice(dc, right, bottom);
    return {a.x, a.y, b.x, b.y};
}

} // namespace

namespace kwin {

std::vector<RECT> ClipRects(const DeviceContext& dc) {
    std::vector<RECT> rects;
    for (const RECT& r : CurrentClip(dc)) {
        RECT inside;
        if (IntersectRect(&inside, &r, &dc.baseClip)) {
            rects.push_back(inside);
        }
    }
    Coalesce(rects);
    return rects;
}

RECT EffectiveClip(const DeviceContext& dc) {
    RECT box{};
    for (const RECT& r : ClipRects(dc)) {
        UnionRect(&box, &box, &r);
    }
    return box;
}

bool InClip(const DeviceContext& dc, POINT devicePoint) {
    return InClip(ClipRects(dc), devicePoint);
}

bool InClip(const std::vector<RECT>& clipRects, POINT devicePoint) {
    return std::any_of(clipRects.begin(), clipRects.end(),
                       [&](const RECT& r) { return PtInRect(&r, devicePoint) != FALSE; });
}

void FillDeviceRect(DeviceContext& dc, RECT r, std::uint32_t pixel) {
    for (const RECT& clip : ClipRects(dc)) {
        RECT part;
        if (!IntersectRect(&part, &r, &clip)) {
            continue;
        }
        dc.surface->FillRect(part, pixel);
        MarkDirty(dc, part);
    }
}

std::vector<RECT> PixelClipRects(const DeviceContext& dc) {
    std::vector<RECT> rects = ClipRects(dc);
    for (RECT& r : rects) {
        r = dc.surface->ToPixels(r);
    }
    return rects;
}

} // namespace kwin

int GetClipBox(HDC hdc, LPRECT rect) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || rect == nullptr) {
        return ERROR_REGION;
    }
    *rect = EffectiveClip(*dc);
    const LONG dx = dc->state.windowOrg.x - dc->state.viewportOrg.x;
    const LONG dy = dc->state.windowOrg.y - dc->state.viewportOrg.y;
    OffsetRect(rect, dx, dy);
    return RegionKind(ClipRects(*dc));
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return ERROR_REGION;
    }
    const RECT keep = LogicalToDevice(*dc, left, top, right, bottom);
    std::vector<RECT> rects;
    for (const RECT& r : CurrentClip(*dc)) {
        RECT inside;
        if (IntersectRect(&inside, &r, &keep)) {
            rects.push_back(inside);
        }
    }
    Coalesce(rects);
    dc->state.clip = std::move(rects);
    return RegionKind(ClipRects(*dc));
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return ERROR_REGION;
    }
    const RECT hole = LogicalToDevice(*dc, left, top, right, bottom);
    std::vector<RECT> rects;
    for (const RECT& r : CurrentClip(*dc)) {
        Subtract(r, hole, rects);
    }
    Coalesce(rects);
    dc->state.clip = std::move(rects);
    return RegionKind(ClipRects(*dc));
}

int SelectClipRgn(HDC hdc, HRGN region) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return ERROR_REGION;
    }
    if (region == nullptr) {
        dc->state.clip.reset();
        return RegionKind(ClipRects(*dc));
    }
    GdiObject* obj = FindGdiObject(region);
    if (obj == nullptr || obj->kind != GdiKind::Region) {
        return ERROR_REGION;
    }
    // Region coordinates are device coordinates; the DC keeps a copy.
    dc->state.clip = std::vector<RECT>{obj->rect};
    return RegionKind(ClipRects(*dc));
}

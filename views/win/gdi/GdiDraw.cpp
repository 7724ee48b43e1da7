// Raster drawing into a DC's surface, with the platform's pixel rules:
// rectangles exclude their right and bottom edge, lines exclude their end
// point, and a pen of width w covers w pixels across its path, centred on it
// (w / 2 before the path and (w - 1) / 2 after). Rectangles, level lines and
// pens are laid out in device units and land on the pixels that cover them;
// curves, slanted lines and polygon edges are traced in the surface's own
// pixels, so they are as fine as the surface.

#include "views/win/api/WinGdi.h"
#include "views/win/api/WinUser.h"
#include "views/win/gdi/internal/GdiObjects.h"
#include "views/win/gdi/internal/PixelCanvas.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

using namespace kwin;

namespace {

struct PenInfo {
    bool visible;
    int width;
    bool insideFrame;
    std::uint32_t pixel;
};

PenInfo SelectedPen(const DeviceContext& dc) {
    GdiObject* pen = FindGdiObject(dc.state.pen);
    if (pen == nullptr || pen->penStyle == PS_NULL) {
        return {false, 0, false, 0};
    }
    COLORREF color = pen->color;
    if (dc.state.pen == GetStockObject(DC_PEN)) {
        color = dc.state.dcPenColor;
    }
    return {true, std::max(pen->penWidth, 1), pen->penStyle == PS_INSIDEFRAME,
            Surface::FromColorRef(color)};
}

// Covers the pen's square at every pixel of a horizontal or vertical run from
// (x0, y0) to (x1, y1), both included, in device coordinates.
void StampRun(DeviceContext& dc, const PenInfo& pen, int x0, int y0, int x1, int y1) {
    const int before = pen.width / 2;
    const int after = (pen.width - 1) / 2;
    const RECT r{std::min(x0, x1) - before, std::min(y0, y1) - before, std::max(x0, x1) + after + 1,
                 std::max(y0, y1) + after + 1};
    FillDeviceRect(dc, r, pen.pixel);
}

// A slanted line, traced in pixels with the pen's square at each of them.
void DrawSlantedLine(DeviceContext& dc, const PenInfo& pen, POINT from, POINT to) {
    PixelCanvas canvas(dc);
    const POINT a = canvas.ToPixels(from);
    const POINT b = canvas.ToPixels(to);
    const int width = canvas.PenPixels(pen.width);
    const int before = width / 2;
    const int after = (width - 1) / 2;
    int x = a.x;
    int y = a.y;
    const int dx = std::abs(b.x - a.x);
    const int dy = -std::abs(b.y - a.y);
    const int sx = a.x < b.x ? 1 : -1;
    const int sy = a.y < b.y ? 1 : -1;
    int err = dx + dy;
    while (x != b.x || y != b.y) {
        canvas.Fill(RECT{x - before, y - before, x + after + 1, y + after + 1}, pen.pixel);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

// A line from one point to another, the end point left out.
void DrawLine(DeviceContext& dc, const PenInfo& pen, POINT from, POINT to) {
    if (!pen.visible || (from.x == to.x && from.y == to.y)) {
        return;
    }
    if (from.y == to.y) {
        const int last = to.x > from.x ? to.x - 1 : to.x + 1;
        StampRun(dc, pen, from.x, from.y, last, from.y);
        return;
    }
    if (from.x == to.x) {
        const int last = to.y > from.y ? to.y - 1 : to.y + 1;
        StampRun(dc, pen, from.x, from.y, from.x, last);
        return;
    }
    DrawSlantedLine(dc, pen, from, to);
}

RECT DeviceRect(const DeviceContext& dc, const RECT& r) {
    const POINT a = ToDevice(dc, r.left, r.top);
    const POINT b = ToDevice(dc, r.right, r.bottom);
    return {a.x, a.y, b.x, b.y};
}

void ForEachPixel(DeviceContext& dc, const RECT& r, auto&& op) {
    for (const RECT& clip : ClipRects(dc)) {
        RECT part;
        if (!IntersectRect(&part, &r, &clip)) {
            continue;
        }
        const RECT pixels = dc.surface->ToPixels(part);
        for (LONG y = pixels.top; y < pixels.bottom; ++y) {
            std::uint32_t* row = dc.surface->PixelRow(y);
            for (LONG x = pixels.left; x < pixels.right; ++x) {
                row[x] = op(row[x]) | 0xFF000000u;
            }
        }
        MarkDirty(dc, part);
    }
}

void EdgeLine(DeviceContext& dc, RECT r, int sysColor) {
    FillDeviceRect(dc, r, Surface::FromColorRef(GetSysColor(sysColor)));
}

} // namespace

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || rect == nullptr) {
        return 0;
    }
    const auto color = BrushColor(brush, dc);
    if (!color) {
        return 1;
    }
    FillDeviceRect(*dc, DeviceRect(*dc, *rect), Surface::FromColorRef(*color));
    return 1;
}

int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || rect == nullptr) {
        return 0;
    }
    const auto color = BrushColor(brush, dc);
    if (!color || IsRectEmpty(rect)) {
        return 1;
    }
    const RECT r = DeviceRect(*dc, *rect);
    const std::uint32_t p = Surface::FromColorRef(*color);
    FillDeviceRect(*dc, {r.left, r.top, r.right, r.top + 1}, p);
    FillDeviceRect(*dc, {r.left, r.bottom - 1, r.right, r.bottom}, p);
    FillDeviceRect(*dc, {r.left, r.top, r.left + 1, r.bottom}, p);
    FillDeviceRect(*dc, {r.right - 1, r.top, r.right, r.bottom}, p);
    return 1;
}

BOOL InvertRect(HDC hdc, const RECT* rect) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || rect == nullptr) {
        return FALSE;
    }
    ForEachPixel(*dc, DeviceRect(*dc, *rect), [](std::uint32_t p) { return p ^ 0x00FFFFFFu; });
    return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    RECT r = DeviceRect(*dc, RECT{std::min(left, right), std::min(top, bottom),
                                  std::max(left, right), std::max(top, bottom)});
    const PenInfo pen = SelectedPen(*dc);
    if (const auto color = BrushColor(static_cast<HBRUSH>(dc->state.brush), dc)) {
        const RECT inner = pen.visible ? RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}
                                       : RECT{r.left, r.top, r.right - 1, r.bottom - 1};
        FillDeviceRect(*dc, inner, Surface::FromColorRef(*color));
    }
    if (!pen.visible || r.right - r.left < 1 || r.bottom - r.top < 1) {
        return TRUE;
    }
    if (pen.insideFrame && pen.width > 1) {
        const int w = pen.width;
        FillDeviceRect(*dc, {r.left, r.top, r.right, r.top + w}, pen.pixel);
        FillDeviceRect(*dc, {r.left, r.bottom - w, r.right, r.bottom}, pen.pixel);
        FillDeviceRect(*dc, {r.left, r.top, r.left + w, r.bottom}, pen.pixel);
        FillDeviceRect(*dc, {r.right - w, r.top, r.right, r.bottom}, pen.pixel);
        return TRUE;
    }
    const int x1 = r.right - 1;
    const int y1 = r.bottom - 1;
    StampRun(*dc, pen, r.left, r.top, x1, r.top);
    StampRun(*dc, pen, r.left, y1, x1, y1);
    StampRun(*dc, pen, r.left, r.top, r.left, y1);
    StampRun(*dc, pen, x1, r.top, x1, y1);
    return TRUE;
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    PixelCanvas canvas(*dc);
    const RECT r = canvas.ToPixels(DeviceRect(*dc, RECT{left, top, right, bottom}));
    const double cx = (r.left + r.right - 1) / 2.0;
    const double cy = (r.top + r.bottom - 1) / 2.0;
    const double rx = (r.right - r.left - 1) / 2.0;
    const double ry = (r.bottom - r.top - 1) / 2.0;
    if (rx <= 0 || ry <= 0) {
        return TRUE;
    }
    const PenInfo pen = SelectedPen(*dc);
    const auto brush = BrushColor(static_cast<HBRUSH>(dc->state.brush), dc);
    const double w = pen.visible ? canvas.PenPixels(pen.width) : 0;
    for (LONG y = r.top; y < r.bottom; ++y) {
        for (LONG x = r.left; x < r.right; ++x) {
            if (!canvas.Visible(x, y)) {
                continue;
            }
            const double nx = (x - cx) / (rx + 0.5);
            const double ny = (y - cy) / (ry + 0.5);
            const double d = nx * nx + ny * ny;
            if (d > 1.0) {
                continue;
            }
            const double ix = (x - cx) / std::max(rx + 0.5 - w, 0.01);
            const double iy = (y - cy) / std::max(ry + 0.5 - w, 0.01);
            const bool edge = w > 0 && ix * ix + iy * iy > 1.0;
            if (edge) {
                canvas.Set(x, y, pen.pixel);
            } else if (brush) {
                canvas.Set(x, y, Surface::FromColorRef(*brush));
            }
        }
    }
    return TRUE;
}

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT previous) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    if (previous != nullptr) {
        *previous = dc->state.position;
    }
    dc->state.position = {x, y};
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, LPPOINT point) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || point == nullptr) {
        return FALSE;
    }
    *point = dc->state.position;
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    const POINT from = ToDevice(*dc, dc->state.position.x, dc->state.position.y);
    const POINT to = ToDevice(*dc, x, y);
    DrawLine(*dc, SelectedPen(*dc), from, to);
    dc->state.position = {x, y};
    return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* points, int count) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || points == nullptr || count < 2) {
        return FALSE;
    }
    const PenInfo pen = SelectedPen(*dc);
    for (int i = 1; i < count; ++i) {
        DrawLine(*dc, pen, ToDevice(*dc, points[i - 1].x, points[i - 1].y),
                 ToDevice(*dc, points[i].x, points[i].y));
    }
    return TRUE;
}

namespace {

// Even-odd scanline fill through pixel centres, in the surface's pixels.
void FillPolygon(DeviceContext& dc, const std::vector<POINT>& points, std::uint32_t pixel) {
    PixelCanvas canvas(dc);
    std::vector<POINT> p;
    for (const POINT& point : points) {
        p.push_back(canvas.ToPixels(point));
    }
    LONG minY = p[0].y;
    LONG maxY = p[0].y;
    for (const auto& q : p) {
        minY = std::min(minY, q.y);
        maxY = std::max(maxY, q.y);
    }
    for (LONG y = minY; y < maxY; ++y) {
        const double sy = y + 0.5;
        std::vector<double> xs;
        for (std::size_t i = 0; i < p.size(); ++i) {
            const POINT a = p[i];
            const POINT b = p[(i + 1) % p.size()];
            if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy)) {
                xs.push_back(a.x + (sy - a.y) * (b.x - a.x) / static_cast<double>(b.y - a.y));
            }
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
            const LONG x0 = static_cast<LONG>(xs[i] + 0.5);
            const LONG x1 = static_cast<LONG>(xs[i + 1] + 0.5);
            canvas.Fill(RECT{x0, y, x1, y + 1}, pixel);
        }
    }
}

} // namespace

BOOL Polygon(HDC hdc, const POINT* points, int count) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || points == nullptr || count < 2) {
        return FALSE;
    }
    std::vector<POINT> p(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        p[static_cast<std::size_t>(i)] = ToDevice(*dc, points[i].x, points[i].y);
    }
    if (const auto brush = BrushColor(static_cast<HBRUSH>(dc->state.brush), dc)) {
        FillPolygon(*dc, p, Surface::FromColorRef(*brush));
    }
    const PenInfo pen = SelectedPen(*dc);
    for (int i = 0; i < count; ++i) {
        DrawLine(*dc, pen, p[static_cast<std::size_t>(i)],
                 p[static_cast<std::size_t>((i + 1) % count)]);
    }
    return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    const POINT d = ToDevice(*dc, x, y);
    if (!InClip(*dc, d)) {
        return CLR_INVALID;
    }
    const RECT unit{d.x, d.y, d.x + 1, d.y + 1};
    dc->surface->FillRect(unit, Surface::FromColorRef(color));
    MarkDirty(*dc, unit);
    return color & 0xFFFFFF;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    const POINT d = ToDevice(*dc, x, y);
    if (!InClip(*dc, d)) {
        return CLR_INVALID;
    }
    // The first of the pixels the unit covers.
    const Surface& s = *dc->surface;
    return Surface::ToColorRef(s.PixelRow(s.ToPixel(d.y))[s.ToPixel(d.x)]);
}

BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr) {
        return FALSE;
    }
    RECT r = DeviceRect(*dc, RECT{x, y, x + width, y + height});
    r = {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
         std::max(r.top, r.bottom)};
    const auto brush = BrushColor(static_cast<HBRUSH>(dc->state.brush), dc);
    const std::uint32_t pat = brush ? Surface::FromColorRef(*brush) : 0xFF000000u;
    switch (rop) {
    case BLACKNESS:
        FillDeviceRect(*dc, r, 0xFF000000u);
        return TRUE;
    case WHITENESS:
        FillDeviceRect(*dc, r, 0xFFFFFFFFu);
        return TRUE;
    case DSTINVERT:
        ForEachPixel(*dc, r, [](std::uint32_t p) { return p ^ 0x00FFFFFFu; });
        return TRUE;
    case PATINVERT:
        ForEachPixel(*dc, r, [pat](std::uint32_t p) { return p ^ (pat & 0x00FFFFFFu); });
        return TRUE;
    case PATCOPY:
        if (brush) {
            FillDeviceRect(*dc, r, pat);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || rect == nullptr) {
        return FALSE;
    }
    RECT r = DeviceRect(*dc, *rect);
    struct Border {
        UINT raised;
        UINT sunken;
        int raisedTopLeft, raisedBottomRight, sunkenTopLeft, sunkenBottomRight;
    };
    const Border borders[2] = {
        {BDR_RAISEDOUTER, BDR_SUNKENOUTER, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DSHADOW,
         COLOR_3DHILIGHT},
        {BDR_RAISEDINNER, BDR_SUNKENINNER, COLOR_3DHILIGHT, COLOR_3DSHADOW, COLOR_3DDKSHADOW,
         COLOR_3DLIGHT},
    };
    for (const auto& b : borders) {
        int tl = -1;
        int br = -1;
        if (edge & b.raised) {
            tl = b.raisedTopLeft;
            br = b.raisedBottomRight;
        } else if (edge & b.sunken) {
            tl = b.sunkenTopLeft;
            br = b.sunkenBottomRight;
        } else {
            continue;
        }
        if (flags & BF_MONO) {
            tl = br = COLOR_WINDOWFRAME;
        } else if (flags & BF_FLAT) {
            tl = br = COLOR_3DSHADOW;
        }
        if (r.right - r.left < 1 || r.bottom - r.top < 1) {
            break;
        }
        if (flags & BF_LEFT) {
            EdgeLine(*dc, {r.left, r.top, r.left + 1, r.bottom}, tl);
        }
        if (flags & BF_TOP) {
            EdgeLine(*dc, {r.left, r.top, r.right, r.top + 1}, tl);
        }
        if (flags & BF_RIGHT) {
            EdgeLine(*dc, {r.right - 1, r.top, r.right, r.bottom}, br);
        }
        if (flags & BF_BOTTOM) {
            EdgeLine(*dc, {r.left, r.bottom - 1, r.right, r.bottom}, br);
        }
        if (flags & BF_LEFT) {
            ++r.left;
        }
        if (flags & BF_TOP) {
            ++r.top;
        }
        if (flags & BF_RIGHT) {
            --r.right;
        }
        if (flags & BF_BOTTOM) {
            --r.bottom;
        }
    }
    if (flags & BF_MIDDLE) {
        EdgeLine(*dc, r, (flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
    }
    if (flags & BF_ADJUST) {
        const POINT shift{dc->state.viewportOrg.x - dc->state.windowOrg.x,
                          dc->state.viewportOrg.y - dc->state.windowOrg.y};
        *rect = {r.left - shift.x, r.top - shift.y, r.right - shift.x, r.bottom - shift.y};
    }
    return TRUE;
}

BOOL DrawFocusRect(HDC hdc, const RECT* rect) {
    DeviceContext* dc = FindDeviceContext(hdc);
    if (dc == nullptr || rect == nullptr) {
        return FALSE;
    }
    const RECT r = DeviceRect(*dc, *rect);
    const std::vector<RECT> clip = ClipRects(*dc);
    Surface& surface = *dc->surface;
    auto flip = [&](LONG x, LONG y) {
        if (!InClip(clip, POINT{x, y}) || (x + y) % 2 != 0) {
            return;
        }
        const RECT pixels = surface.ToPixels(RECT{x, y, x + 1, y + 1});
        for (LONG py = pixels.top; py < pixels.bottom; ++py) {
            for (LONG px = pixels.left; px < pixels.right; ++px) {
                surface.PixelRow(py)[px] ^= 0x00FFFFFFu;
            }
        }
    };
    for (LONG x = r.left; x < r.right; ++x) {
        flip(x, r.top);
        flip(x, r.bottom - 1);
    }
    for (LONG y = r.top + 1; y < r.bottom - 1; ++y) {
        flip(r.left, y);
        flip(r.right - 1, y);
    }
    MarkDirty(*dc, r);
    return TRUE;
}

// BitBlt: a block of pixels copied from one DC to another, or within one,
// combined with what is there by a raster operation. Rectangles are in
// device coordinates of each DC; the pixels behind them may differ in
// ratio. Where both surfaces have the same ratio and the block moves by
// whole pixels (always at ratio 1), every pixel is copied as it is, so a
// picture drawn off screen arrives unchanged; otherwise each target pixel
// takes the source pixel under its centre.

#include "views/win/api/WinGdi.h"
#include "views/win/api/WinUser.h"
#include "views/win/gdi/internal/GdiObjects.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

using namespace kwin;

namespace {

std::uint32_t Combine(DWORD rop, std::uint32_t dst, std::uint32_t src) {
    switch (rop) {
    case SRCPAINT:
        return (dst | src) | 0xFF000000u;
    case SRCAND:
        return (dst & src) | 0xFF000000u;
    case SRCINVERT:
        return (dst ^ src) | 0xFF000000u;
    case NOTSRCCOPY:
        return ~src | 0xFF000000u;
    default:
        return src | 0xFF000000u;
    }
}

// How far the source lies from the target: device units, and the same in
// pixels when that is a whole number of them on both surfaces.
struct Shift {
    POINT units;
    std::optional<POINT> pixels;
};

Shift ShiftBetween(const Surface& out, const Surface& in, POINT units) {
    const double x = units.x * out.Ratio();
    const double y = units.y * out.Ratio();
    if (out.Ratio() != in.Ratio() || x != std::floor(x) || y != std::floor(y)) {
        return {units, std::nullopt};
    }
    return {units, POINT{static_cast<LONG>(x), static_cast<LONG>(y)}};
}

// Copies the pixels of target (device units of out) from the pixels shift
// away in in.
void CopyPixels(Surface& out, const Surface& in, const RECT& target, POINT shift, DWORD rop) {
    const RECT t = out.ToPixels(target);
    const int w = t.right - t.left;
    // Rows of one surface may overlap: copy them in the order that reads each before it is written.
    const bool bottomUp = &out == &in && shift.y < 0;
    for (LONG i = 0; i < t.bottom - t.top; ++i) {
        const LONG y = bottomUp ? t.bottom - 1 - i : t.top + i;
        const std::uint32_t* from = in.PixelRow(y + shift.y) + t.left + shift.x;
        std::uint32_t* to = out.PixelRow(y) + t.left;
        if (rop == SRCCOPY) {
            std::memmove(to, from, static_cast<std::size_t>(w) * sizeof(std::uint32_t));
            continue;
        }
        const std::vector<std::uint32_t> line(from, from + w);
        for (int col = 0; col < w; ++col) {
            to[col] = Combine(rop, to[col], line[static_cast<std::size_t>(col)]);
        }
    }
}

// The source pixel under the centre of target pixel p, where a unit of the
// target lies at that unit plus shift in the source; a centre on an edge
// between two source pixels takes the first, so that from a source of one
// pixel per unit every target pixel takes the unit that covers it.
int SourcePixel(int p, double outRatio, double inRatio, int shift, int count) {
    const double at = ((p + 0.5) / outRatio + shift) * inRatio;
    return std::clamp(static_cast<int>(std::ceil(at)) - 1, 0, count - 1);
}

void SamplePixels(Surface& out, const Surface& in, const RECT& target, POINT shift, DWORD rop) {
    const RECT t = out.ToPixels(target);
    std::vector<int> columns;
    for (LONG x = t.left; x < t.right; ++x) {
        columns.push_back(SourcePixel(x, out.Ratio(), in.Ratio(), shift.x, in.PixelWidth()));
    }
    for (LONG y = t.top; y < t.bottom; ++y) {
        const std::uint32_t* from =
            in.PixelRow(SourcePixel(y, out.Ratio(), in.Ratio(), shift.y, in.PixelHeight()));
        std::uint32_t* to = out.PixelRow(y) + t.left;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            to[i] = Combine(rop, to[i], from[columns[i]]);
        }
    }
}

void Transfer(Surface& out, const Surface& in, const RECT& target, const Shift& shift, DWORD rop) {
    if (shift.pixels) {
        CopyPixels(out, in, target, *shift.pixels, rop);
    } else {
        SamplePixels(out, in, target, shift.units, rop);
    }
}

} // namespace

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop) {
    DeviceContext* d = FindDeviceContext(dst);
    if (d == nullptr) {
        return FALSE;
    }
    if (rop == BLACKNESS || rop == WHITENESS || rop == DSTINVERT || rop == PATCOPY ||
        rop == PATINVERT) {
        return PatBlt(dst, x, y, width, height, rop);
    }
    DeviceContext* s = FindDeviceContext(src);
    if (s == nullptr) {
        return FALSE;
    }
    const POINT dOrigin = ToDevice(*d, x, y);
    const POINT sOrigin = ToDevice(*s, srcX, srcY);
    const RECT target{dOrigin.x, dOrigin.y, dOrigin.x + width, dOrigin.y + height};
    // Only destination pixels whose source lies inside the source surface change.
    const RECT source{dOrigin.x - sOrigin.x, dOrigin.y - sOrigin.y,
                      dOrigin.x - sOrigin.x + s->surface->Width(),
                      dOrigin.y - sOrigin.y + s->surface->Height()};
    const Shift shift =
        ShiftBetween(*d->surface, *s->surface, POINT{sOrigin.x - dOrigin.x, sOrigin.y - dOrigin.y});
    const std::vector<RECT> clips = ClipRects(*d);
    // A copy within one surface through several clip rectangles, or one
    // that samples, must not read pixels it has already written.
    const bool copyFirst = d->surface == s->surface && (clips.size() > 1 || !shift.pixels);
    const std::shared_ptr<Surface> in =
        copyFirst ? std::make_shared<Surface>(*s->surface) : s->surface;
    for (const RECT& clip : clips) {
        RECT part;
        if (IntersectRect(&part, &target, &clip) && IntersectRect(&part, &part, &source)) {
            Transfer(*d->surface, *in, part, shift, rop);
            MarkDirty(*d, part);
        }
    }
    return TRUE;
}

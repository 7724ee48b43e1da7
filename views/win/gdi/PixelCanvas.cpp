#include "views/win/gdi/internal/PixelCanvas.h"

#include "views/win/api/WinUser.h"

#include <algorithm>

namespace kwin {

PixelCanvas::PixelCanvas(DeviceContext& dc)
    : m_dc(dc), m_surface(*dc.surface), m_clip(PixelClipRects(dc)) {}

PixelCanvas::~PixelCanvas() {
    if (IsRectEmpty(&m_touched)) {
        return;
    }
    // The device rectangle whose pixels hold every pixel touched.
    const double ratio = m_surface.Ratio();
    MarkDirty(m_dc, RECT{Surface::ToLogical(m_touched.left, ratio),
                         Surface::ToLogical(m_touched.top, ratio),
                         Surface::ToLogical(m_touched.right - 1, ratio) + 1,
                         Surface::ToLogical(m_touched.bottom - 1, ratio) + 1});
}

POINT PixelCanvas::ToPixels(POINT device) const {
    return {m_surface.ToPixel(device.x), m_surface.ToPixel(device.y)};
}

RECT PixelCanvas::ToPixels(const RECT& device) const {
    return m_surface.ToPixels(device);
}

int PixelCanvas::PenPixels(int width) const {
    return std::max(1, m_surface.ToPixel(width));
}

bool PixelCanvas::Visible(int x, int y) const {
    return InClip(m_clip, POINT{x, y});
}

void PixelCanvas::Set(int x, int y, std::uint32_t pixel) {
    if (Visible(x, y)) {
        m_surface.PixelRow(y)[x] = pixel;
        Touch(RECT{x, y, x + 1, y + 1});
    }
}

void PixelCanvas::Fill(const RECT& pixels, std::uint32_t pixel) {
    for (const RECT& clip : m_clip) {
        RECT part;
        if (!IntersectRect(&part, &pixels, &clip)) {
            continue;
        }
        const auto width = static_cast<std::size_t>(part.right - part.left);
        for (LONG y = part.top; y < part.bottom; ++y) {
            Surface::Fill(m_surface.PixelRow(y) + part.left, width, pixel);
        }
        Touch(part);
    }
}

void PixelCanvas::Touch(const RECT& pixels) {
    if (IsRectEmpty(&m_touched)) {
        m_touched = pixels;
    } else {
        UnionRect(&m_touched, &m_touched, &pixels);
    }
}

} // namespace kwin

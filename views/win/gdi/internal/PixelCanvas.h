#pragma once

// Internal: a DC's surface seen in its own pixels, for the drawing that is
// finer than one logical unit where the surface is (curves, slanted lines,
// polygon edges): device coordinates go in, pixels inside the clip come out.
// What it touched is marked dirty, in device coordinates, when it goes.

#include "views/win/gdi/internal/GdiObjects.h"

#include <vector>

namespace kwin {

class PixelCanvas {
public:
    explicit PixelCanvas(DeviceContext& dc);
    ~PixelCanvas();
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    // A device point or rectangle in pixels.
    POINT ToPixels(POINT device) const;
    RECT ToPixels(const RECT& device) const;
    // How many pixels a pen of this many units covers across its path.
    int PenPixels(int width) const;
    // Whether a pixel lies inside the clip.
    bool Visible(int x, int y) const;
    // Sets one pixel, or a rectangle of pixels, where the clip allows.
    void Set(int x, int y, std::uint32_t pixel);
    void Fill(const RECT& pixels, std::uint32_t pixel);

private:
    void Touch(const RECT& pixels);

    DeviceContext& m_dc;
    Surface& m_surface;
    std::vector<RECT> m_clip;
    RECT m_touched{};
};

} // namespace kwin

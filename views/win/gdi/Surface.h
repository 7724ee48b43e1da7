#pragma once

#include "views/win/api/WinTypes.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace kwin {

// A block of 32-bit pixels, 0xFFRRGGBB, rows top to bottom: the memory of a
// bitmap or of a window's client area. The Qt backend wraps the same memory
// in a QImage (Format_RGB32) to draw text and to show a window.
//
// A surface has a logical size, in the units every coordinate of the layer
// is given in, and a device pixel ratio: its pixels are the logical size
// times the ratio (1 by default, where both are the same). A logical edge x
// lies on pixel edge floor(x * ratio + 0.5), so a logical rectangle [l, r)
// covers the pixels [ToPixel(l), ToPixel(r)) and rectangles that meet in
// logical units meet in pixels, with neither a gap nor an overlap.
class Surface {
public:
    Surface() = default;
    Surface(int width, int height, std::uint32_t fill = 0xFF000000, double ratio = 1.0);
    Surface(const Surface& other);
    Surface& operator=(const Surface& other);
    Surface(Surface&&) noexcept = default;
    Surface& operator=(Surface&&) noexcept = default;

    // Logical size.
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    RECT Bounds() const { return {0, 0, m_width, m_height}; }
    double Ratio() const { return m_ratio; }

    // The pixels.
    int PixelWidth() const { return m_pixelWidth; }
    int PixelHeight() const { return m_pixelHeight; }
    std::uint32_t* Bits() { return m_pixels.get(); }
    const std::uint32_t* Bits() const { return m_pixels.get(); }
    int BytesPerLine() const { return m_pixelWidth * 4; }
    std::uint32_t* PixelRow(int py) {
        return m_pixels.get() + static_cast<std::size_t>(py) * m_pixelWidth;
    }
    const std::uint32_t* PixelRow(int py) const {
        return m_pixels.get() + static_cast<std::size_t>(py) * m_pixelWidth;
    }

    // Logical coordinates to pixels and back.
    int ToPixel(int logical) const { return ToPixel(logical, m_ratio); }
    RECT ToPixels(const RECT& logical) const;
    static int ToPixel(int logical, double ratio);
    // The logical unit whose pixels hold pixel px.
    static int ToLogical(int px, double ratio);
    // The ratio a surface takes when asked for this one: below one pixel per
    // unit it keeps one, and the toolkit scales it down.
    static double UsableRatio(double ratio) { return ratio >= 1.0 ? ratio : 1.0; }

    // Fills the pixels of a logical rectangle, which lies inside Bounds().
    void FillRect(const RECT& logical, std::uint32_t pixel);
    // Keeps the pixels that still fit; new pixels take the fill.
    void Resize(int width, int height, std::uint32_t fill = 0xFFFFFFFF);

    // Sets count pixels from first on; the fills of every drawing go here.
    static void Fill(std::uint32_t* first, std::size_t count, std::uint32_t pixel);

    static std::uint32_t FromColorRef(COLORREF c) {
        return 0xFF000000u | (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
               (static_cast<std::uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
    }
    static COLORREF ToColorRef(std::uint32_t p) {
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

private:
    int m_width = 0;
    int m_height = 0;
    double m_ratio = 1.0;
    int m_pixelWidth = 0;
    int m_pixelHeight = 0;
    std::unique_ptr<std::uint32_t[]> m_pixels;
};

} // namespace kwin

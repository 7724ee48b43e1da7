#pragma once

#include "views/win/api/WinTypes.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace kwin {

// A block of 32-bit pixels, 0xFFRRGGBB, rows top to bottom: the memory of a
// bitmap or of a window's client area. The Qt backend wraps the same memory
// in a QImage (Format_RGB32) to draw text and to show a window.
class Surface {
public:
    Surface() = default;
    Surface(int width, int height, std::uint32_t fill = 0xFF000000);
    Surface(const Surface& other);
    Surface& operator=(const Surface& other);
    Surface(Surface&&) noexcept = default;
    Surface& operator=(Surface&&) noexcept = default;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    std::uint32_t* Bits() { return m_pixels.get(); }
    const std::uint32_t* Bits() const { return m_pixels.get(); }
    int BytesPerLine() const { return m_width * 4; }
    RECT Bounds() const { return {0, 0, m_width, m_height}; }

    std::uint32_t* Row(int y) { return m_pixels.get() + static_cast<std::size_t>(y) * m_width; }
    const std::uint32_t* Row(int y) const {
        return m_pixels.get() + static_cast<std::size_t>(y) * m_width;
    }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

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
    std::unique_ptr<std::uint32_t[]> m_pixels;
};

} // namespace kwin

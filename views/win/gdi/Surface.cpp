#include "views/win/gdi/Surface.h"

#include <algorithm>

namespace kwin {

Surface::Surface(int width, int height, std::uint32_t fill)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_pixels(static_cast<std::size_t>(m_width) * m_height, fill) {}

void Surface::Resize(int width, int height, std::uint32_t fill) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == m_width && height == m_height) {
        return;
    }
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, fill);
    const int w = std::min(width, m_width);
    const int h = std::min(height, m_height);
    for (int y = 0; y < h; ++y) {
        std::copy_n(Row(y), w, pixels.data() + static_cast<std::size_t>(y) * width);
    }
    m_width = width;
    m_height = height;
    m_pixels = std::move(pixels);
}

} // namespace kwin

#include "views/win/gdi/Surface.h"

#include <algorithm>

namespace kwin {
namespace {

std::unique_ptr<std::uint32_t[]> FilledPixels(int width, int height, std::uint32_t fill) {
    const std::size_t count = static_cast<std::size_t>(width) * height;
    auto pixels = std::make_unique_for_overwrite<std::uint32_t[]>(count);
    Surface::Fill(pixels.get(), count, fill);
    return pixels;
}

} // namespace

Surface::Surface(int width, int height, std::uint32_t fill)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_pixels(FilledPixels(m_width, m_height, fill)) {}

Surface::Surface(const Surface& other)
    : m_width(other.m_width), m_height(other.m_height),
      m_pixels(std::make_unique_for_overwrite<std::uint32_t[]>(static_cast<std::size_t>(m_width) *
                                                               m_height)) {
    std::copy_n(other.m_pixels.get(), static_cast<std::size_t>(m_width) * m_height, m_pixels.get());
}

Surface& Surface::operator=(const Surface& other) {
    if (this != &other) {
        *this = Surface(other);
    }
    return *this;
}

void Surface::Resize(int width, int height, std::uint32_t fill) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == m_width && height == m_height) {
        return;
    }
    auto pixels = FilledPixels(width, height, fill);
    const int w = std::min(width, m_width);
    const int h = std::min(height, m_height);
    for (int y = 0; y < h; ++y) {
        std::copy_n(Row(y), w, pixels.get() + static_cast<std::size_t>(y) * width);
    }
    m_width = width;
    m_height = height;
    m_pixels = std::move(pixels);
}

void Surface::Fill(std::uint32_t* first, std::size_t count, std::uint32_t pixel) {
    // Blocks of a fixed size, which the compiler turns into wide stores; a
    // plain loop of unknown length stays one pixel at a time.
    constexpr std::size_t Block = 16;
    std::size_t i = 0;
    for (; i + Block <= count; i += Block) {
        for (std::size_t k = 0; k < Block; ++k) {
            first[i + k] = pixel;
        }
    }
    for (; i < count; ++i) {
        first[i] = pixel;
    }
}

} // namespace kwin

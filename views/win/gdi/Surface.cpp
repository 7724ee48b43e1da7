#include "views/win/gdi/Surface.h"

#include <algorithm>
#include <cmath>

namespace kwin {
namespace {

std::unique_ptr<std::uint32_t[]> FilledPixels(int width, int height, std::uint32_t fill) {
    const std::size_t count = static_cast<std::size_t>(width) * height;
    auto pixels = std::make_unique_for_overwrite<std::uint32_t[]>(count);
    Surface::Fill(pixels.get(), count, fill);
    return pixels;
}

} // namespace

Surface::Surface(int width, int height, std::uint32_t fill, double ratio)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)), m_ratio(UsableRatio(ratio)),
      m_pixelWidth(ToPixel(m_width)), m_pixelHeight(ToPixel(m_height)),
      m_pixels(FilledPixels(m_pixelWidth, m_pixelHeight, fill)) {}

Surface::Surface(const Surface& other)
    : m_width(other.m_width), m_height(other.m_height), m_ratio(other.m_ratio),
      m_pixelWidth(other.m_pixelWidth), m_pixelHeight(other.m_pixelHeight),
      m_pixels(std::make_unique_for_overwrite<std::uint32_t[]>(
          static_cast<std::size_t>(m_pixelWidth) * m_pixelHeight)) {
    std::copy_n(other.m_pixels.get(), static_cast<std::size_t>(m_pixelWidth) * m_pixelHeight,
                m_pixels.get());
}

Surface& Surface::operator=(const Surface& other) {
    if (this != &other) {
        *this = Surface(other);
    }
    return *this;
}

int Surface::ToPixel(int logical, double ratio) {
    if (ratio == 1.0) {
        return logical;
    }
    return static_cast<int>(std::floor(logical * ratio + 0.5));
}

// Pixel px belongs to unit k when ToPixel(k) <= px < ToPixel(k + 1), that is
// for the largest k below (px + 0.5) / ratio.
int Surface::ToLogical(int px, double ratio) {
    if (ratio == 1.0) {
        return px;
    }
    return static_cast<int>(std::ceil((px + 0.5) / ratio)) - 1;
}

RECT Surface::ToPixels(const RECT& logical) const {
    return {ToPixel(logical.left), ToPixel(logical.top), ToPixel(logical.right),
            ToPixel(logical.bottom)};
}

void Surface::FillRect(const RECT& logical, std::uint32_t pixel) {
    const RECT p = ToPixels(logical);
    const auto width = static_cast<std::size_t>(std::max<LONG>(p.right - p.left, 0));
    for (LONG y = p.top; y < p.bottom; ++y) {
        Fill(PixelRow(y) + p.left, width, pixel);
    }
}

void Surface::Resize(int width, int height, std::uint32_t fill) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == m_width && height == m_height) {
        return;
    }
    const int pixelWidth = ToPixel(width);
    const int pixelHeight = ToPixel(height);
    auto pixels = FilledPixels(pixelWidth, pixelHeight, fill);
    const int w = std::min(pixelWidth, m_pixelWidth);
    const int h = std::min(pixelHeight, m_pixelHeight);
    for (int y = 0; y < h; ++y) {
        std::copy_n(PixelRow(y), w, pixels.get() + static_cast<std::size_t>(y) * pixelWidth);
    }
    m_width = width;
    m_height = height;
    m_pixelWidth = pixelWidth;
    m_pixelHeight = pixelHeight;
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

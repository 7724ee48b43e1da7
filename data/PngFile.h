#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A minimal PNG writer: one 8-bit RGBA image, no interlacing, rows unfiltered.
namespace PngFile {

// `argb` holds width * height pixels as 0xAARRGGBB, row by row. Throws
// std::runtime_error when the file cannot be written.
void Write(const std::string& path, int width, int height, const std::vector<std::uint32_t>& argb);

} // namespace PngFile

#include "data/PngFile.h"

#include <zlib.h>

#include <fstream>
#include <stdexcept>

namespace PngFile {
namespace {

void PutBigEndian(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<char>(value >> shift & 0xFF));
    }
}

// Length, type, data, and the CRC over type and data.
void PutChunk(std::string& out, const char* type, const std::string& data) {
    PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::string typed = std::string(type, 4) + data;
    out += typed;
    const auto* bytes = reinterpret_cast<const Bytef*>(typed.data());
    PutBigEndian(out, static_cast<std::uint32_t>(crc32(0, bytes, static_cast<uInt>(typed.size()))));
}

std::string Header(int width, int height) {
    std::string header;
    PutBigEndian(header, static_cast<std::uint32_t>(width));
    PutBigEndian(header, static_cast<std::uint32_t>(height));
    header += std::string{8, 6, 0, 0, 0}; // 8 bits, RGBA, deflate, no filter, no interlace
    return header;
}

// Each row starts with filter type 0.
std::string RawRows(int width, int height, const std::vector<std::uint32_t>& argb) {
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back('\0');
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = argb[static_cast<std::size_t>(y * width + x)];
            for (const int shift : {16, 8, 0, 24}) {
                raw.push_back(static_cast<char>(pixel >> shift & 0xFF));
            }
        }
    }
    return raw;
}

std::string Compressed(const std::string& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                  reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                  Z_BEST_COMPRESSION) != Z_OK) {
        throw std::runtime_error("PNG compression failed");
    }
    out.resize(size);
    return out;
}

} // namespace

void Write(const std::string& path, int width, int height, const std::vector<std::uint32_t>& argb) {
    if (width <= 0 || height <= 0 || argb.size() != static_cast<std::size_t>(width * height)) {
        throw std::runtime_error("PNG image size does not match its pixels");
    }
    std::string png = "\x89PNG\r\n\x1a\n";
    PutChunk(png, "IHDR", Header(width, height));
    PutChunk(png, "IDAT", Compressed(RawRows(width, height, argb)));
    PutChunk(png, "IEND", "");
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(png.data(), static_cast<std::streamsize>(png.size()));
    file.close();
    if (!file) {
        throw std::runtime_error("Cannot write " + path);
    }
}

} // namespace PngFile

#include "StorageTestSupport.h"

#include <boost/filesystem/operations.hpp>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <zlib.h>

namespace fs = boost::filesystem;

ByteWriter& ByteWriter::ArchiveHeader() {
    const std::string signature = "serialization::archive";
    U64(signature.size()).Raw(signature);
    U16(19);
    U8(4).U8(8).U8(4).U8(8);
    return I32(1);
}

ByteWriter& ByteWriter::Number(std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i) {
        m_bytes.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
    }
    return *this;
}

namespace {

std::string RunDeflate(const std::string& bytes, int level, int windowBits, int memLevel,
                       int strategy) {
    z_stream stream{};
    if (deflateInit2(&stream, level, Z_DEFLATED, windowBits, memLevel, strategy) != Z_OK) {
        throw std::runtime_error("deflateInit2 failed");
    }
    std::string out(deflateBound(&stream, bytes.size()) + 64, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END) {
        throw std::runtime_error("deflate failed");
    }
    return out;
}

} // namespace

std::string Gzip(const std::string& bytes) {
    return RunDeflate(bytes, Z_DEFAULT_COMPRESSION, 15 + 16, 8, Z_DEFAULT_STRATEGY);
}

std::string Deflate(const std::string& bytes, int level, int windowBits, int memLevel,
                    int strategy) {
    return RunDeflate(bytes, level, -windowBits, memLevel, strategy);
}

std::string Gunzip(const std::string& compressed) {
    z_stream stream{};
    if (inflateInit2(&stream, 15 + 16) != Z_OK) {
        throw std::runtime_error("inflateInit2 failed");
    }
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    stream.avail_in = static_cast<uInt>(compressed.size());
    std::string out;
    int result = Z_OK;
    char chunk[4096];
    while (result == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(chunk);
        stream.avail_out = sizeof chunk;
        result = inflate(&stream, Z_NO_FLUSH);
        out.append(chunk, sizeof chunk - stream.avail_out);
    }
    const bool wholeMember = result == Z_STREAM_END && stream.avail_in == 0;
    inflateEnd(&stream);
    if (!wholeMember) {
        throw std::runtime_error("not one complete gzip member");
    }
    return out;
}

std::string ReadFileBytes(const fs::path& path) {
    std::ifstream in(path.string(), std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path.string(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

ScopedDataRoot::ScopedDataRoot()
    : m_path(fs::temp_directory_path() / fs::unique_path("kalmora-storage-%%%%-%%%%-%%%%")) {
    fs::create_directory(m_path);
    m_environment.Set("LOCALAPPDATA", m_path.string());
}

ScopedDataRoot::~ScopedDataRoot() {
    boost::system::error_code error;
    fs::permissions(m_path, fs::owner_all | fs::add_perms, error);
    fs::remove_all(m_path, error);
}

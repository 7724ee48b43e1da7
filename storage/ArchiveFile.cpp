// GCC 12 sees a false overlap in the footer code of Boost's gzip compressor once
// it is inlined at -O2 (GCC bug 105651); the warning says nothing about this file.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wrestrict"
#endif

#include "storage/ArchiveFile.h"

#include "storage/CSafeFileWriter.h"

#include <boost/archive/archive_exception.hpp>
#include <boost/filesystem/operations.hpp>
#include <boost/iostreams/filter/gzip.hpp>
#include <boost/iostreams/filtering_stream.hpp>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace ArchiveFile {
namespace {

namespace fs = boost::filesystem;
namespace io = boost::iostreams;

constexpr std::streamsize FilterBufferSize = 4096;
constexpr int WindowBits = 15;
constexpr int MemoryLevel = 8;

// zlib's default level, deflate, no name, no comment and time 0: the same
// content always gives the same bytes.
io::gzip_params CompressorParams() {
    return io::gzip_params(io::gzip::default_compression, io::gzip::deflated, WindowBits,
                           MemoryLevel, io::gzip::default_strategy, "", "", 0);
}

std::string Compress(const ArchiveWriter& write) {
    std::ostringstream compressed;
    io::filtering_ostream out;
    out.push(io::gzip_compressor(CompressorParams(), FilterBufferSize));
    out.push(compressed);
    {
        boost::archive::binary_oarchive archive(out, 0);
        write(archive);
    }
    // Closing the chain completes the gzip member: the rest of the deflate
    // stream, the checksum and the length.
    out.pop();
    return std::move(compressed).str();
}

std::uint64_t ReadLittleEndian(const std::string& bytes, std::size_t offset, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = width; i-- > 0;) {
        value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
    }
    return value;
}

// The archive trusts the length of its signature and would reserve memory for
// whatever a damaged file claims; archives older than library version 7 store
// flags in a form that trusts the byte to be 0 or 1. Both are refused here the
// way the archive refuses a foreign file.
void CheckArchiveHeader(const std::string& bytes) {
    constexpr std::size_t SignatureLengthSize = 8;
    constexpr std::uint64_t SignatureLength = 22;
    constexpr std::size_t VersionOffset = SignatureLengthSize + SignatureLength;
    constexpr std::uint64_t OldestLibraryVersion = 7;
    using boost::archive::archive_exception;
    if (bytes.size() >= SignatureLengthSize &&
        ReadLittleEndian(bytes, 0, SignatureLengthSize) != SignatureLength) {
        throw archive_exception(archive_exception::invalid_signature);
    }
    if (bytes.size() >= VersionOffset + 2 &&
        ReadLittleEndian(bytes, VersionOffset, 2) < OldestLibraryVersion) {
        throw archive_exception(archive_exception::unsupported_version);
    }
}

} // namespace

void Write(const fs::path& target, const ArchiveWriter& write) {
    const std::string compressed = Compress(write);
    CSafeFileWriter file(target);
    file.Write(compressed);
    file.Commit();
}

namespace {

std::string DecompressStream(std::istream& source) {
    io::filtering_istream in;
    in.push(io::gzip_decompressor(WindowBits, FilterBufferSize));
    in.push(source);
    // Let the gzip layer's own exception through instead of a bare bad state.
    in.exceptions(std::ios::badbit);

    std::string bytes;
    char chunk[FilterBufferSize];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > MaxArchiveBytes) {
            throw std::runtime_error("The file is too large");
        }
    }
    return bytes;
}

} // namespace

std::string Decompress(const fs::path& source) {
    boost::system::error_code error;
    std::ifstream file;
    if (!fs::is_directory(source, error)) {
        file.open(source.string(), std::ios::in | std::ios::binary);
    }
    if (!file.is_open()) {
        throw std::runtime_error("Can't read from file");
    }
    return DecompressStream(file);
}

std::string DecompressBytes(const std::string& fileBytes) {
    std::istringstream in(fileBytes);
    return DecompressStream(in);
}

void ReadArchive(const std::string& bytes, const ArchiveReader& read) {
    CheckArchiveHeader(bytes);
    std::istringstream in(bytes);
    boost::archive::binary_iarchive archive(in, 0);
    read(archive);
    // Whatever the archive left unread is damage, not content.
    if (in.rdbuf()->in_avail() > 0) {
        throw std::runtime_error("Unexpected data after the end of the stored content");
    }
}

void Read(const fs::path& source, const ArchiveReader& read) {
    ReadArchive(Decompress(source), read);
}

} // namespace ArchiveFile

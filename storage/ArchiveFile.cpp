// GCC 12 sees a false overlap in the footer code of Boost's gzip compressor once
// it is inlined at -O2 (GCC bug 105651); the warning says nothing about this file.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wrestrict"
#endif

#include "storage/ArchiveFile.h"

#include <boost/archive/archive_exception.hpp>
#include <boost/filesystem/operations.hpp>
#include <boost/iostreams/filter/gzip.hpp>
#include <boost/iostreams/filtering_stream.hpp>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

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

[[noreturn]] void ThrowStoreError() {
    throw std::system_error(errno, std::generic_category(), "Can't store to file");
}

// Owns the descriptor of the temporary file and removes the file unless it was
// renamed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const fs::path& target)
        : m_target(target), m_path(target.parent_path() / fs::unique_path(NamePattern(target))) {
        m_fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0) {
            throw std::runtime_error("Can't store to file");
        }
        KeepTargetPermissions();
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        if (!m_renamed) {
            ::unlink(m_path.c_str());
        }
    }

    void WriteAll(const std::string& bytes) {
        const char* next = bytes.data();
        std::size_t left = bytes.size();
        while (left > 0) {
            const ssize_t written = ::write(m_fd, next, left);
            if (written < 0 && errno == EINTR) {
                continue;
            }
            if (written < 0) {
                ThrowStoreError();
            }
            next += written;
            left -= static_cast<std::size_t>(written);
        }
    }

    // The data must be on disk before the rename makes it the target, or a
    // crash right after the rename could leave an empty file behind.
    void SyncAndRename() {
        if (::fsync(m_fd) != 0) {
            ThrowStoreError();
        }
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0) {
            ThrowStoreError();
        }
        if (::rename(m_path.c_str(), m_target.c_str()) != 0) {
            ThrowStoreError();
        }
        m_renamed = true;
        SyncFolder();
    }

private:
    static fs::path NamePattern(const fs::path& target) {
        fs::path pattern = target.filename();
        pattern += ".%%%%-%%%%-%%%%.tmp";
        return pattern;
    }

    // A user who made the file private keeps it private after the save.
    void KeepTargetPermissions() {
        struct stat status {};
        if (::stat(m_target.c_str(), &status) == 0) {
            ::fchmod(m_fd, status.st_mode & 07777);
        }
    }

    void SyncFolder() {
        const fs::path folder = m_target.has_parent_path() ? m_target.parent_path() : ".";
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }

    fs::path m_target;
    fs::path m_path;
    int m_fd = -1;
    bool m_renamed = false;
};

// A link is kept a link: the file it points to is the one replaced.
fs::path ResolveTarget(const fs::path& target) {
    boost::system::error_code error;
    if (fs::is_symlink(target, error)) {
        const fs::path resolved = fs::canonical(target, error);
        if (!error) {
            return resolved;
        }
    }
    return target;
}

// Renaming would replace a file the user may not write, so such a file is
// refused as opening it for writing would be; a folder is never a target.
bool MayReplace(const fs::path& target) {
    boost::system::error_code error;
    if (fs::is_directory(target, error)) {
        return false;
    }
    return !fs::exists(target, error) || ::access(target.c_str(), W_OK) == 0;
}

// Reads the archive straight from the decompressed bytes and can tell how many
// of them the archive left unread.
class MemoryBuffer : public std::streambuf {
public:
    explicit MemoryBuffer(const std::string& bytes) {
        char* begin = const_cast<char*>(bytes.data());
        setg(begin, begin, begin + bytes.size());
    }
    std::size_t Remaining() const { return static_cast<std::size_t>(egptr() - gptr()); }
};

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
    const fs::path resolved = ResolveTarget(target);
    if (!MayReplace(resolved)) {
        throw std::runtime_error("Can't store to file");
    }
    const std::string compressed = Compress(write);
    TemporaryFile file(resolved);
    file.WriteAll(compressed);
    file.SyncAndRename();
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
    MemoryBuffer buffer(bytes);
    boost::archive::binary_iarchive archive(buffer, 0);
    read(archive);
    if (buffer.Remaining() != 0) {
        throw std::runtime_error("Unexpected data after the end of the stored content");
    }
}

void Read(const fs::path& source, const ArchiveReader& read) {
    ReadArchive(Decompress(source), read);
}

} // namespace ArchiveFile

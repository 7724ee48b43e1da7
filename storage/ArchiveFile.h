#pragma once

#include <boost/archive/binary_iarchive.hpp>
#include <boost/archive/binary_oarchive.hpp>
#include <boost/filesystem/path.hpp>

#include <cstddef>
#include <functional>
#include <string>

// The stream stack shared by game files, the autosave and the winners file:
// a gzip member holding a Boost binary archive.
namespace ArchiveFile {

using ArchiveWriter = std::function<void(boost::archive::binary_oarchive&)>;
using ArchiveReader = std::function<void(boost::archive::binary_iarchive&)>;

// More decompressed data than any real session could hold; a larger file is
// refused instead of filling the memory.
constexpr std::size_t MaxArchiveBytes = std::size_t{256} << 20;

// Writes the archive into a new file beside `target` and renames it over the
// target only when it is complete and on disk, so a failed save leaves the old
// file whole. Throws std::runtime_error "Can't store to file" when the file
// cannot be created, and the gzip or archive layer's exceptions.
void Write(const boost::filesystem::path& target, const ArchiveWriter& write);

// Reads the whole gzip member (so a damaged checksum or a cut trailer is
// refused), then the archive from it. Throws std::runtime_error "Can't read
// from file" when the file cannot be opened, the gzip or archive layer's
// exceptions, and std::runtime_error when data follows the archive's content.
void Read(const boost::filesystem::path& source, const ArchiveReader& read);

// The decompressed content of a gzip file, checked to its trailer.
std::string Decompress(const boost::filesystem::path& source);

// The decompressed content of gzip data held in memory.
std::string DecompressBytes(const std::string& fileBytes);

// True when the bytes begin like a gzip member.
inline bool LooksLikeGzip(const std::string& fileBytes) {
    return fileBytes.size() >= 2 && fileBytes[0] == '\x1f' && fileBytes[1] == '\x8b';
}

// Reads an archive from already decompressed bytes, as Read does.
void ReadArchive(const std::string& bytes, const ArchiveReader& read);

} // namespace ArchiveFile

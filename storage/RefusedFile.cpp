#include "storage/RefusedFile.h"

#include <boost/filesystem/operations.hpp>

#include <cerrno>
#include <sys/stat.h>

namespace RefusedFile {
namespace {

namespace fs = boost::filesystem;

// Identifies what stands at a path, so that a file replaced by another copy
// of the program while it was being read is not mistaken for the refused one.
struct Identity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    bool regularOrLink = false;

    bool operator==(const Identity& other) const {
        return device == other.device && inode == other.inode && size == other.size &&
               modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec;
    }
};

enum class Presence { Absent, Present, Unknown };

Presence Look(const fs::path& target, Identity& identity) {
    struct stat status {};
    if (::lstat(target.c_str(), &status) != 0) {
        return errno == ENOENT ? Presence::Absent : Presence::Unknown;
    }
    identity = {status.st_dev, status.st_ino, status.st_size, status.st_mtim,
                S_ISREG(status.st_mode) || S_ISLNK(status.st_mode)};
    return Presence::Present;
}

// Only files are read: a folder, a pipe or a device is refused as it stands.
bool Refuses(const fs::path& target, const Identity& identity, const Reader& read) {
    if (!identity.regularOrLink) {
        return true;
    }
    try {
        read(target);
        return false;
    } catch (...) {
        return true;
    }
}

// A file replaces an older refused file in one step. A folder on either side
// cannot be renamed over, so the older one is removed first: only the latest
// refused one is kept.
bool MoveAside(const fs::path& target) {
    const fs::path aside = AsidePath(target);
    boost::system::error_code error;
    fs::rename(target, aside, error);
    if (!error) {
        return true;
    }
    error.clear();
    fs::remove_all(aside, error);
    if (error) {
        return false;
    }
    fs::rename(target, aside, error);
    return !error;
}

constexpr int Attempts = 3;

} // namespace

fs::path AsidePath(const fs::path& target) {
    fs::path aside = target;
    aside += Suffix;
    return aside;
}

bool MakeWay(const fs::path& target, const Reader& read) {
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        Identity before;
        const Presence presence = Look(target, before);
        if (presence != Presence::Present) {
            return presence == Presence::Absent;
        }
        if (!Refuses(target, before, read)) {
            return true;
        }
        Identity after;
        if (Look(target, after) == Presence::Present && after == before) {
            return MoveAside(target);
        }
        // Another copy replaced the file meanwhile: look at the new one.
    }
    return false;
}

} // namespace RefusedFile

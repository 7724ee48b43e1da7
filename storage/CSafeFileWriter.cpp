#include "storage/CSafeFileWriter.h"

#include <boost/filesystem/operations.hpp>

#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = boost::filesystem;

namespace {

[[noreturn]] void ThrowStoreError() {
    throw std::system_error(errno, std::generic_category(), "Can't store to file");
}

} // namespace

CSafeFileWriter::CSafeFileWriter(const fs::path& target) : m_target(ResolveTarget(target)) {
    if (!MayReplace(m_target)) {
        throw std::runtime_error("Can't store to file");
    }
    m_temporary = TemporaryPath(m_target);
    m_fd = ::open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (m_fd < 0) {
        throw std::runtime_error("Can't store to file");
    }
    KeepTargetPermissions();
}

CSafeFileWriter::~CSafeFileWriter() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
    if (!m_committed) {
        ::unlink(m_temporary.c_str());
    }
}

void CSafeFileWriter::Write(const std::string& bytes) {
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

// The data must be on disk before the rename makes it the target, or a crash
// right after the rename could leave an empty file behind.
void CSafeFileWriter::Commit() {
    if (::fsync(m_fd) != 0) {
        ThrowStoreError();
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        ThrowStoreError();
    }
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        ThrowStoreError();
    }
    m_committed = true;
    SyncFolder();
}

// A link is kept a link: the file it points to is the one replaced.
fs::path CSafeFileWriter::ResolveTarget(const fs::path& target) {
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
// refused as opening it for writing would be.
bool CSafeFileWriter::MayReplace(const fs::path& target) {
    boost::system::error_code error;
    if (fs::is_directory(target, error)) {
        return false;
    }
    return !fs::exists(target, error) || ::access(target.c_str(), W_OK) == 0;
}

fs::path CSafeFileWriter::TemporaryPath(const fs::path& target) {
    fs::path pattern = target.filename();
    pattern += ".%%%%-%%%%-%%%%.tmp";
    return target.parent_path() / fs::unique_path(pattern);
}

// A user who made the file private keeps it private after the save.
void CSafeFileWriter::KeepTargetPermissions() {
    struct stat status {};
    if (::stat(m_target.c_str(), &status) == 0) {
        ::fchmod(m_fd, status.st_mode & 07777);
    }
}

// The rename itself is on disk only once the folder is.
void CSafeFileWriter::SyncFolder() {
    const fs::path folder = m_target.has_parent_path() ? m_target.parent_path() : ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

#pragma once

#include <boost/filesystem/path.hpp>

#include <string>

// Writes a file so that its target is replaced only when the new content is
// complete and on disk: the bytes go to a temporary file in the same folder,
// which is flushed and renamed over the target by Commit. Until then, and
// whenever anything fails, the previous file stays whole and the temporary is
// removed again.
class CSafeFileWriter {
public:
    // Throws std::runtime_error "Can't store to file" when the target is a
    // folder, a file this user may not write, or the temporary cannot be made.
    explicit CSafeFileWriter(const boost::filesystem::path& target);
    ~CSafeFileWriter();
    CSafeFileWriter(const CSafeFileWriter&) = delete;
    CSafeFileWriter& operator=(const CSafeFileWriter&) = delete;

    // Both throw std::system_error "Can't store to file: <reason>".
    void Write(const std::string& bytes);
    void Commit();

private:
    static boost::filesystem::path ResolveTarget(const boost::filesystem::path& target);
    static bool MayReplace(const boost::filesystem::path& target);
    static boost::filesystem::path TemporaryPath(const boost::filesystem::path& target);
    void KeepTargetPermissions();
    void SyncFolder();

    boost::filesystem::path m_target;
    boost::filesystem::path m_temporary;
    int m_fd = -1;
    bool m_committed = false;
};

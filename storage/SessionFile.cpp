#include "storage/SessionFile.h"

#include "storage/ArchiveFile.h"
#include "storage/RefusedFile.h"
#include "storage/SessionRecord.h"

#include <limits>
#include <stdexcept>

namespace SessionFile {
namespace {

namespace fs = boost::filesystem;

std::int32_t Edge(std::int32_t start, std::int32_t size) {
    const std::int64_t edge = std::int64_t{start} + size;
    if (edge < std::numeric_limits<std::int32_t>::min() ||
        edge > std::numeric_limits<std::int32_t>::max()) {
        throw std::runtime_error("Window rectangle out of range");
    }
    return static_cast<std::int32_t>(edge);
}

std::int32_t Size(std::int32_t start, std::int32_t end) {
    return static_cast<std::int32_t>(std::int64_t{end} - start);
}

void ReadWindowRect(boost::archive::binary_iarchive& archive, StoredWindowRect& window) {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    archive >> left >> top >> width >> height;
    window = {left, top, Edge(left, width), Edge(top, height)};
}

bool ReadAutoCheck(boost::archive::binary_iarchive& archive) {
    unsigned char autoCheck = 0;
    archive >> autoCheck;
    if (autoCheck > 1) {
        throw std::runtime_error("Invalid Auto-Check flag");
    }
    return autoCheck == 1;
}

} // namespace

namespace {

SessionFileContent ReadArchive(const std::string& archiveBytes) {
    SessionFileContent content;
    ArchiveFile::ReadArchive(archiveBytes, [&](boost::archive::binary_iarchive& archive) {
        SessionRecord record{content.session};
        archive >> record;
        ReadWindowRect(archive, content.window);
        content.autoCheck = ReadAutoCheck(archive);
    });
    return content;
}

} // namespace

SessionFileContent Read(const fs::path& path) {
    return ReadArchive(ArchiveFile::Decompress(path));
}

SessionFileContent ReadBytes(const std::string& fileBytes) {
    return ReadArchive(ArchiveFile::DecompressBytes(fileBytes));
}

void Write(const fs::path& path, const CGameFieldSerialData& session,
           const StoredWindowRect& window, bool autoCheck) {
    ArchiveFile::Write(path, [&](boost::archive::binary_oarchive& archive) {
        // Saving only reads through the record.
        const SessionRecord record{const_cast<CGameFieldSerialData&>(session)};
        archive << record;
        const std::int32_t width = Size(window.left, window.right);
        const std::int32_t height = Size(window.top, window.bottom);
        const auto autoCheckByte = static_cast<unsigned char>(autoCheck ? 1 : 0);
        archive << window.left << window.top << width << height << autoCheckByte;
    });
}

bool Load(CGameFieldSerialData& session, StoredWindowRect& window, bool& autoCheck,
          std::string_view internalName) {
    try {
        const auto folder = DataFolder::Find(internalName);
        if (!folder) {
            return false;
        }
        SessionFileContent content = Read(*folder / FileName);
        session = std::move(content.session);
        window = content.window;
        autoCheck = content.autoCheck;
        return true;
    } catch (const std::exception&) {
        // A missing or damaged autosave simply means a fresh start.
        return false;
    }
}

bool Save(const CGameFieldSerialData& session, const StoredWindowRect& window, bool autoCheck,
          std::string_view internalName) {
    try {
        const auto folder = DataFolder::FindOrCreate(internalName);
        if (!folder) {
            return false;
        }
        const fs::path path = *folder / FileName;
        if (!RefusedFile::MakeWay(path, [](const fs::path& old) { Read(old); })) {
            return false;
        }
        Write(path, session, window, autoCheck);
        return true;
    } catch (const std::exception&) {
        // Nothing can be reported while the program closes; the old file stays whole.
        return false;
    }
}

} // namespace SessionFile

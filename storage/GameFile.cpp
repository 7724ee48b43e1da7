#include "storage/GameFile.h"

#include "storage/ArchiveFile.h"
#include "storage/ArchiveLayouts.h"

namespace GameFile {

void Write(const boost::filesystem::path& path, const CGameFieldFileData& data) {
    ArchiveFile::Write(path, [&](boost::archive::binary_oarchive& archive) { archive << data; });
}

CGameFieldFileData Read(const boost::filesystem::path& path) {
    CGameFieldFileData data;
    ArchiveFile::Read(path, [&](boost::archive::binary_iarchive& archive) { archive >> data; });
    return data;
}

} // namespace GameFile

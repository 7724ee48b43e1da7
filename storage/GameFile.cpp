#include "storage/GameFile.h"

#include "storage/ArchiveFile.h"
#include "storage/ArchiveLayouts.h"

namespace GameFile {

void Write(const boost::filesystem::path& path, const CGameFieldFileData& data) {
    ArchiveFile::Write(path, [&](boost::archive::binary_oarchive& archive) { archive << data; });
}

namespace {

CGameFieldFileData ReadArchive(const std::string& archiveBytes) {
    CGameFieldFileData data;
    ArchiveFile::ReadArchive(archiveBytes,
                             [&](boost::archive::binary_iarchive& archive) { archive >> data; });
    return data;
}

} // namespace

CGameFieldFileData Read(const boost::filesystem::path& path) {
    return ReadArchive(ArchiveFile::Decompress(path));
}

CGameFieldFileData ReadBytes(const std::string& fileBytes) {
    return ReadArchive(ArchiveFile::DecompressBytes(fileBytes));
}

} // namespace GameFile

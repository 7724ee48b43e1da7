#include "storage/WinnersFile.h"

#include "storage/ArchiveFile.h"
#include "storage/ArchiveLayouts.h"
#include "storage/RefusedFile.h"

#include <exception>

namespace WinnersFile {

namespace fs = boost::filesystem;

namespace {

WinnersLists ReadArchive(const std::string& archiveBytes) {
    WinnersLists lists;
    ArchiveFile::ReadArchive(archiveBytes, [&](boost::archive::binary_iarchive& archive) {
        for (WinnersList& list : lists) {
            archive >> list;
        }
    });
    return lists;
}

} // namespace

WinnersLists Read(const fs::path& path) {
    return ReadArchive(ArchiveFile::Decompress(path));
}

WinnersLists ReadBytes(const std::string& fileBytes) {
    return ReadArchive(ArchiveFile::DecompressBytes(fileBytes));
}

void Write(const fs::path& path, const WinnersLists& lists) {
    ArchiveFile::Write(path, [&](boost::archive::binary_oarchive& archive) {
        for (const WinnersList& list : lists) {
            archive << list;
        }
    });
}

bool Load(WinnersLists& lists, std::string_view internalName) {
    try {
        const auto folder = DataFolder::Find(internalName);
        if (!folder) {
            return false;
        }
        lists = Read(*folder / FileName);
        return true;
    } catch (const std::exception&) {
        // A missing or damaged file leaves the lists as they are.
        return false;
    }
}

bool Save(const WinnersLists& lists, std::string_view internalName) {
    try {
        const auto folder = DataFolder::FindOrCreate(internalName);
        if (!folder) {
            return false;
        }
        const fs::path path = *folder / FileName;
        if (!RefusedFile::MakeWay(path, [](const fs::path& old) { Read(old); })) {
            return false;
        }
        Write(path, lists);
        return true;
    } catch (const std::exception&) {
        // Nothing can be reported while the program closes; the old file stays whole.
        return false;
    }
}

} // namespace WinnersFile

#include "storage/DataFolder.h"

#include <boost/filesystem/operations.hpp>

#include <cstdlib>
#include <string>

namespace DataFolder {
namespace {

namespace fs = boost::filesystem;

// An empty variable names no folder.
std::optional<std::string> Environment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

bool IsFolder(const fs::path& path) {
    boost::system::error_code error;
    return fs::is_directory(path, error);
}

std::optional<fs::path> Locate(std::string_view internalName, bool create) {
    if (internalName.empty()) {
        return std::nullopt;
    }
    const std::optional<fs::path> base = BaseFolder();
    if (!base || !IsFolder(*base)) {
        return std::nullopt;
    }
    const fs::path folder = *base / std::string(internalName);
    if (IsFolder(folder)) {
        return folder;
    }
    if (!create) {
        return std::nullopt;
    }
    boost::system::error_code error;
    if (!fs::create_directory(folder, error) || error) {
        return std::nullopt;
    }
    return folder;
}

} // namespace

std::optional<fs::path> BaseFolder() {
    if (const auto localAppData = Environment("LOCALAPPDATA")) {
        return fs::path(*localAppData);
    }
    // The XDG rules ignore a relative XDG_DATA_HOME.
    if (const auto dataHome = Environment("XDG_DATA_HOME")) {
        if (fs::path(*dataHome).is_absolute()) {
            return fs::path(*dataHome);
        }
    }
    if (const auto home = Environment("HOME")) {
        return fs::path(*home) / ".local" / "share";
    }
    return std::nullopt;
}

std::optional<fs::path> Find(std::string_view internalName) {
    return Locate(internalName, false);
}

std::optional<fs::path> FindOrCreate(std::string_view internalName) {
    return Locate(internalName, true);
}

} // namespace DataFolder

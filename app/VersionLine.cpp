#include "app/VersionLine.h"

#include "app/CModuleVersion.h"
#include "app/ResourceIds.h"
#include "app/ResourceText.h"

std::string VersionLine() {
    CModuleVersion version;
    version.LoadVersionInfo(nullptr);
    LPCSTR internalName = "Sudoku";
    LPCSTR privateBuild = "Unknown";
    LPCSTR fileVersion = "Unknown";
    version.GetValue("InternalName", internalName);
    version.GetValue("PrivateBuild", privateBuild);
    version.GetValue("FileVersion", fileVersion);
    return FormatText(IDS_VERSION_FORMAT, internalName, privateBuild, fileVersion);
}

std::optional<std::string> InternalName() {
    CModuleVersion version;
    version.LoadVersionInfo(nullptr);
    LPCSTR name = nullptr;
    if (!version.GetValue("InternalName", name) || name == nullptr) {
        return std::nullopt;
    }
    return std::string(name);
}

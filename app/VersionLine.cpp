#include "app/VersionLine.h"

#include "app/CModuleVersion.h"
#include "app/ResourceText.h"
#include "app/ShellTextIds.h"

std::string VersionLine() {
    CModuleVersion version;
    version.LoadVersionInfo(nullptr);
    LPCSTR internalName = "Sudoku";
    LPCSTR privateBuild = "Unknown";
    LPCSTR fileVersion = "Unknown";
    version.GetValue("InternalName", internalName);
    version.GetValue("PrivateBuild", privateBuild);
    version.GetValue("FileVersion", fileVersion);
    return FormatText(IDS_VERSION_LINE, internalName, privateBuild, fileVersion);
}

#include "app/AppVersion.h"

#include "views/win/api/WinKernel.h"

namespace {

constexpr LANGID EnglishUnitedStates = 0x0409;
constexpr WORD WesternCodePage = 1252;
constexpr DWORD PreRelease = 0x00000002;   // VS_FF_PRERELEASE
constexpr DWORD PrivateBuild = 0x00000008; // VS_FF_PRIVATEBUILD

} // namespace

kwin::VersionResource AppVersionResource() {
    kwin::VersionResource resource;
    VS_FIXEDFILEINFO& fixed = resource.fixed;
    fixed.dwSignature = VS_FFI_SIGNATURE;
    fixed.dwStrucVersion = VS_FFI_STRUCVERSION;
    fixed.dwFileVersionMS = MAKELONG(0, 2); // 2.0
    fixed.dwFileVersionLS = MAKELONG(1, 0); // .0.1: beta 1
    fixed.dwProductVersionMS = fixed.dwFileVersionMS;
    fixed.dwProductVersionLS = fixed.dwFileVersionLS;
    fixed.dwFileFlagsMask = VS_FFI_FILEFLAGSMASK;
    fixed.dwFileFlags = PreRelease | PrivateBuild;
    fixed.dwFileOS = VOS_NT_WINDOWS32;
    fixed.dwFileType = VFT_APP;
    resource.stringTables.push_back({EnglishUnitedStates,
                                     WesternCodePage,
                                     {
                                         {"CompanyName", "Kalmora"},
                                         {"FileDescription", "Kalmora Sudoku"},
                                         {"FileVersion", "2.0 Beta 1"},
                                         {"InternalName", "Kalmora"},
                                         {"LegalCopyright", "Copyright (C) Kalmora developers"},
                                         {"OriginalFilename", "kalmora"},
                                         {"PrivateBuild", "2.0 Beta 1"},
                                         {"ProductName", "Kalmora"},
                                         {"ProductVersion", "2.0 Beta 1"},
                                     }});
    resource.translations.push_back({EnglishUnitedStates, WesternCodePage});
    return resource;
}

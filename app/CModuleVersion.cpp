#include "app/CModuleVersion.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr WORD WesternCodePage = 1252;
constexpr DWORD FileNameSize = MAX_PATH;
constexpr std::size_t QuerySize = 128;

} // namespace

CModuleVersion::CModuleVersion() : VS_FIXEDFILEINFO{} {}

CModuleVersion::~CModuleVersion() = default;

bool CModuleVersion::LoadVersionInfo(LPCSTR moduleName) {
    static_cast<VS_FIXEDFILEINFO&>(*this) = VS_FIXEDFILEINFO{};
    m_translation.codePage = WesternCodePage;

    HMODULE module = GetModuleHandle(moduleName);
    if (module == nullptr && moduleName != nullptr) {
        return false;
    }
    char fileName[FileNameSize] = {};
    if (GetModuleFileName(module, fileName, FileNameSize) == 0) {
        return false;
    }
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSize(fileName, &handle);
    if (size == 0) {
        return false;
    }
    m_versionInfo = std::make_unique<BYTE[]>(size);
    if (!GetFileVersionInfo(fileName, handle, size, m_versionInfo.get())) {
        return false;
    }
    LPVOID fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValue(m_versionInfo.get(), "\\", &fixed, &length) ||
        length < sizeof(VS_FIXEDFILEINFO)) {
        return false;
    }
    std::memcpy(static_cast<VS_FIXEDFILEINFO*>(this), fixed, sizeof(VS_FIXEDFILEINFO));

    LPVOID translation = nullptr;
    if (VerQueryValue(m_versionInfo.get(), "\\VarFileInfo\\Translation", &translation, &length) &&
        length >= 4) {
        std::memcpy(&m_translation.language, translation, sizeof(WORD));
        std::memcpy(&m_translation.codePage, static_cast<const BYTE*>(translation) + sizeof(WORD),
                    sizeof(WORD));
    }
    return dwSignature == VS_FFI_SIGNATURE;
}

bool CModuleVersion::GetValue(LPCSTR key, LPCSTR& value) const {
    if (!m_versionInfo || key == nullptr) {
        return false;
    }
    char query[QuerySize];
    std::snprintf(query, sizeof(query), "\\StringFileInfo\\%04x%04x\\%s", m_translation.language,
                  m_translation.codePage, key);
    LPVOID found = nullptr;
    UINT length = 0;
    if (!VerQueryValue(m_versionInfo.get(), query, &found, &length)) {
        return false;
    }
    value = static_cast<LPCSTR>(found);
    return true;
}

#pragma once

#include "views/win/Win32.h"

#include <memory>

// Reads a module's version resource: the fixed file information (the base
// record), the first translation, and string values by key. The texts
// GetValue hands out point into the block this object owns.
class CModuleVersion : public VS_FIXEDFILEINFO {
public:
    struct Translation {
        WORD language = 0;
        WORD codePage = 0;
    };

    CModuleVersion();
    CModuleVersion(const CModuleVersion&) = delete;
    CModuleVersion& operator=(const CModuleVersion&) = delete;
    virtual ~CModuleVersion();

    // moduleName null means the program's own executable.
    bool LoadVersionInfo(LPCSTR moduleName = nullptr);
    // On failure value is left as it was.
    bool GetValue(LPCSTR key, LPCSTR& value) const;

    const Translation& GetTranslation() const { return m_translation; }

private:
    std::unique_ptr<BYTE[]> m_versionInfo;
    Translation m_translation;
};

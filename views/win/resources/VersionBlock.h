#pragma once

// Builds a version-information block in the layout of the platform's version
// resource (nested nodes of length, value length, type, key, value and
// children, each aligned to 4 bytes), with narrow keys and texts. VerQueryValue
// walks the same layout.

#include "views/win/api/WinTypes.h"

#include <string>
#include <utility>
#include <vector>

namespace kwin {

struct VersionStringTable {
    LANGID language = 0;
    WORD codePage = 0;
    std::vector<std::pair<std::string, std::string>> values;
};

struct VersionResource {
    VS_FIXEDFILEINFO fixed{};
    std::vector<VersionStringTable> stringTables;
    // Entries of \VarFileInfo\Translation; none leaves the node out.
    std::vector<std::pair<LANGID, WORD>> translations;
};

std::vector<BYTE> BuildVersionBlock(const VersionResource& resource);

} // namespace kwin

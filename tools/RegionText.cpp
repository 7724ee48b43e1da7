#include "tools/RegionText.h"

std::string RegionText(const ConflictRegion& region) {
    const char* kind = region.kind == ConflictRegion::Row      ? "row"
                       : region.kind == ConflictRegion::Column ? "column"
                                                               : "box";
    return std::string(kind) + " " + std::to_string(region.number);
}

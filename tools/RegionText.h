#pragma once

#include "engine/ConflictRegion.h"

#include <string>

// "row N", "column N" or "box N" for a conflict region.
std::string RegionText(const ConflictRegion& region);

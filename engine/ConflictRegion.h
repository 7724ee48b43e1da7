#pragma once

#include <cstdint>

// The first unit that repeats a digit. A number of 0 means nothing is shown;
// the session hides a region by zeroing the number and keeping the kind.
struct ConflictRegion {
    enum Kind : std::uint32_t { None = 0, Row = 1, Column = 2, Box = 3 };

    std::uint32_t kind = None;
    std::uint32_t number = 0;

    friend bool operator==(const ConflictRegion&, const ConflictRegion&) = default;
};

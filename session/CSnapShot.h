#pragma once

#include "engine/CGameField.h"

#include <array>
#include <cstdint>

// A named copy of the board with the play time at which it was taken. The name
// is a fixed 20-byte field, zero-padded; a 20-byte name has no terminating zero.
struct CSnapShot {
    static constexpr std::size_t NameSize = 20;

    CGameField field;
    std::array<char, NameSize> name{};
    std::int64_t elapsed = 0;

    friend bool operator==(const CSnapShot&, const CSnapShot&) = default;
};

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// One winner of a level: the name typed in the winner dialog, zero-padded to
// its 40-byte field (a 40-byte name has no terminating zero), and the play time.
struct HiScoreEntry {
    static constexpr std::size_t NameSize = 40;

    std::array<char, NameSize> name{};
    std::int64_t time = 0;

    friend bool operator==(const HiScoreEntry&, const HiScoreEntry&) = default;
};

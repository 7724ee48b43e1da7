#pragma once

#include <cstdint>

// The identification record written in front of every stored game. It exists
// only while a CGameFieldFileData is written or read.
struct CGameFieldHeader {
    static constexpr std::uint32_t Magic = 0xAAFF55BB;
    // 81 cells of four bytes each, as the first version of the format laid them out.
    static constexpr std::uint64_t FieldSize = 324;

    std::uint32_t magic = Magic;
    std::uint64_t fieldSize = FieldSize;
    std::int64_t startTime = 0;
    std::int64_t finalTime = 0;
    std::int32_t level = 0;
    bool helpUsed = false;

    bool IsKnown() const { return magic == Magic && fieldSize == FieldSize; }
};

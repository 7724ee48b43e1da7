#pragma once

#include <cstdint>

// One cell of the board: its digit (0 when empty) and its flags.
// Bits 0-8 of the flags are pencil marks (bit d-1 for digit d), bit 15 marks a
// given cell, and bits 9-14 are carried along untouched by every operation.
struct CCell {
    static constexpr std::uint16_t MarkMask = 0x01FF;
    static constexpr std::uint16_t KeptMask = 0xFE00;
    static constexpr std::uint16_t GivenBit = 0x8000;

    std::uint8_t value = 0;
    std::uint16_t flags = 0;

    bool IsGiven() const { return (flags & GivenBit) != 0; }
    bool IsEmpty() const { return value == 0; }
    std::uint16_t Marks() const { return flags & MarkMask; }

    friend bool operator==(const CCell&, const CCell&) = default;
};

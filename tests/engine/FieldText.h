#pragma once

#include "engine/CGameField.h"
#include "engine/PuzzleDigits.h"

#include <string_view>

// 81 characters, digits with '.' or '0' for empty; anything else is skipped.
inline PuzzleDigits DigitsFromText(std::string_view text) {
    PuzzleDigits digits{};
    std::size_t i = 0;
    for (char c : text) {
        if (c == '.' || (c >= '0' && c <= '9')) {
            digits.at(i++) = c == '.' ? 0 : static_cast<std::uint8_t>(c - '0');
        }
    }
    return digits;
}

inline CGameField FieldFromText(std::string_view text) {
    CGameField field;
    field.LoadPuzzle(DigitsFromText(text));
    return field;
}

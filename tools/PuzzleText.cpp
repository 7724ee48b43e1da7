#include "tools/PuzzleText.h"

#include "tools/ToolErrors.h"

#include <string>

namespace {

bool IsIgnored(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v' || c == '|' ||
           c == '-' || c == '+';
}

std::string Describe(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
        return std::string("'") + c + "'";
    }
    static const char hex[] = "0123456789abcdef";
    return std::string("byte 0x") + hex[byte >> 4] + hex[byte & 0xF];
}

} // namespace

PuzzleDigits ParsePuzzleText(std::string_view text) {
    PuzzleDigits digits{};
    std::size_t count = 0;
    std::size_t line = 1;
    for (const char c : text) {
        if (c == '\n') {
            ++line;
        }
        if (IsIgnored(c)) {
            continue;
        }
        if (c != '.' && (c < '0' || c > '9')) {
            throw InputError("unexpected " + Describe(c) + " on line " + std::to_string(line) +
                             " of the puzzle");
        }
        if (count == digits.size()) {
            throw InputError("the puzzle has more than 81 cells");
        }
        digits[count++] = c == '.' ? 0 : static_cast<std::uint8_t>(c - '0');
    }
    if (count != digits.size()) {
        throw InputError("the puzzle has " + std::to_string(count) + " cells, expected 81");
    }
    return digits;
}

std::string FormatPuzzleText(const PuzzleDigits& digits) {
    std::string text;
    text.reserve(90);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        text += static_cast<char>('0' + digits[i] % 10);
        if (i % 9 == 8) {
            text += '\n';
        }
    }
    return text;
}

#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// Names stored in fixed byte fields (snapshot and winner names): zero-padded,
// and a name that fills the whole field has no terminating zero.

// The length of the longest prefix of `text` that fits `maxBytes` without
// ending inside a UTF-8 character. Bytes that are not well-formed UTF-8 are
// cut where they fall, since there is no character to keep whole.
inline std::size_t Utf8PrefixLength(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text.size();
    }
    const auto isContinuation = [&](std::size_t i) {
        return (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
    };
    // A character is at most four bytes long: a cut can fall at most three
    // continuation bytes after the character's first byte.
    std::size_t cut = maxBytes;
    while (cut > 0 && maxBytes - cut < 3 && isContinuation(cut)) {
        --cut;
    }
    return isContinuation(cut) ? maxBytes : cut;
}

template <std::size_t N> std::array<char, N> ToFixedName(std::string_view text) {
    std::array<char, N> name{};
    text = text.substr(0, text.find('\0'));
    const std::size_t length = Utf8PrefixLength(text, N);
    text.copy(name.data(), length);
    return name;
}

// Reads at most the N bytes of the field, stopping earlier at a zero.
template <std::size_t N> std::string FromFixedName(const std::array<char, N>& name) {
    std::size_t length = 0;
    while (length < N && name[length] != '\0') {
        ++length;
    }
    return std::string(name.data(), length);
}

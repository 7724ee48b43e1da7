#pragma once

#include "views/win/WinTypes.h"

#include <cstdio>
#include <string>

// A text of the string table; empty when the id has no entry.
std::string LoadText(UINT id);

// A string-table text used as a printf pattern ("%s", "%d") with `args`.
template <class... Args> std::string FormatText(UINT id, Args... args) {
    const std::string pattern = LoadText(id);
    const int length = std::snprintf(nullptr, 0, pattern.c_str(), args...);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), pattern.c_str(), args...);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

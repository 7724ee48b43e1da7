#include "session/PlayTimeText.h"

#include <cinttypes>
#include <cstdio>

std::string FormatPlayTime(std::int64_t seconds) {
    // Work on the magnitude in unsigned arithmetic so that even the most
    // negative value has one.
    const bool negative = seconds < 0;
    const std::uint64_t total =
        negative ? 0 - static_cast<std::uint64_t>(seconds) : static_cast<std::uint64_t>(seconds);
    char text[48];
    std::snprintf(text, sizeof text, "%s%02" PRIu64 ":%02" PRIu64 ":%02" PRIu64,
                  negative ? "-" : "", total / 3600, total / 60 % 60, total % 60);
    return text;
}

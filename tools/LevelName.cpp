#include "tools/LevelName.h"

#include "tools/ToolErrors.h"

#include <algorithm>
#include <array>
#include <cctype>

int ParseLevel(const std::string& text, const char* usage) {
    static constexpr std::array<const char*, 4> names = {"easy", "normal", "hard", "insane"};
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (int level = 1; level <= 4; ++level) {
        if (lower == std::to_string(level) || lower == names[level - 1]) {
            return level;
        }
    }
    throw UsageError("unknown level '" + text +
                     "' (use 1-4 or easy, normal, hard, insane)\nusage: kalmora-tool " + usage);
}

#include "tools/SeedOption.h"

#include "tools/ToolErrors.h"

#include <charconv>
#include <limits>

std::uint32_t ParseSeed(const std::string& text, const char* usage) {
    std::uint64_t seed = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, seed);
    if (text.empty() || error != std::errc() || stop != end ||
        seed > std::numeric_limits<std::uint32_t>::max()) {
        throw UsageError("the seed must be a whole number from 0 to 4294967295, not '" + text +
                         "'\nusage: kalmora-tool " + usage);
    }
    return static_cast<std::uint32_t>(seed);
}

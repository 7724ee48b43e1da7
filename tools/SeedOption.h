#pragma once

#include <cstdint>
#include <string>

// A seed given on the command line: a whole number 0-4294967295. Anything else
// is a UsageError with the command's usage line.
std::uint32_t ParseSeed(const std::string& text, const char* usage);

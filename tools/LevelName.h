#pragma once

#include <string>

// A level given as 1-4 or easy|normal|hard|insane (any letter case); anything
// else is a UsageError with the command's usage line.
int ParseLevel(const std::string& text, const char* usage);

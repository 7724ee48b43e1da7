#pragma once

#include <cstdint>
#include <string>

// A play time in whole seconds as hours, minutes and seconds, each at least two
// digits and zero-filled, joined by ":" ("01:02:05"); hours may grow beyond two
// digits. A negative time (a clock set back after the game started) keeps its
// sign in front: "-00:00:05".
std::string FormatPlayTime(std::int64_t seconds);

#pragma once

#include "storage/HiScoreEntry.h"

#include <array>
#include <cstddef>
#include <list>

// One list of winners, fastest first; equal times in the order they won.
using WinnersList = std::list<HiScoreEntry>;

// The four lists in their fixed order: Easy, Normal, Hard, Insane (levels 1-4).
constexpr std::size_t WinnersListCount = 4;
using WinnersLists = std::array<WinnersList, WinnersListCount>;

#pragma once

#include <array>

// Entry d-1 is true when digit d may still be placed in a cell.
using CandidateSet = std::array<bool, 9>;

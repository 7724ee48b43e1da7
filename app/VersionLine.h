#pragma once

#include <optional>
#include <string>

// "Kalmora version 2.0 Beta 1 (build 2.0 Beta 1)": the program's InternalName,
// PrivateBuild and FileVersion in the version line pattern. A value the
// version resource lacks is "Sudoku" for the name and "Unknown" otherwise.
std::string VersionLine();

// The InternalName of the program's version resource, which names its data
// folder; nothing when the resource has none.
std::optional<std::string> InternalName();

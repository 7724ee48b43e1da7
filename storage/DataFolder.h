#pragma once

#include <boost/filesystem/path.hpp>

#include <optional>
#include <string_view>

// The per-user folder that holds the autosave and the winners file: the base
// folder (LOCALAPPDATA when set, else XDG_DATA_HOME, else $HOME/.local/share)
// joined with the program's internal name. The base folder must exist; only
// the last level is ever created.
namespace DataFolder {

// The InternalName of the program's version block. The window layer reads it
// from there; storage takes it as a parameter so it needs no window layer.
constexpr std::string_view DefaultInternalName = "Kalmora";

// The base folder named by the environment, whether or not it exists.
std::optional<boost::filesystem::path> BaseFolder();

// The data folder when it exists; nothing when the internal name is empty,
// no base folder is named, or a folder is missing.
std::optional<boost::filesystem::path> Find(std::string_view internalName = DefaultInternalName);

// As Find, but creates the data folder inside an existing base folder.
std::optional<boost::filesystem::path>
FindOrCreate(std::string_view internalName = DefaultInternalName);

} // namespace DataFolder

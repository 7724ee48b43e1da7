#pragma once

#include "session/CGameFieldFileData.h"

#include <boost/filesystem/path.hpp>

// A game file (*.sdk): one CGameFieldFileData in a gzip member.
namespace GameFile {

// Throws on failure; the previous file at `path` then stays whole.
void Write(const boost::filesystem::path& path, const CGameFieldFileData& data);

// Throws on failure, "Unknown header" for a record that is not a game.
CGameFieldFileData Read(const boost::filesystem::path& path);

} // namespace GameFile

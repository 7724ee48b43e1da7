#pragma once

#include "session/CGameFieldFileData.h"

#include <boost/filesystem/path.hpp>

#include <string>

// A game file (*.sdk): one CGameFieldFileData in a gzip member.
namespace GameFile {

// Throws on failure; the previous file at `path` then stays whole.
void Write(const boost::filesystem::path& path, const CGameFieldFileData& data);

// Throws on failure, "Unknown header" for a record that is not a game.
CGameFieldFileData Read(const boost::filesystem::path& path);

// The same from the bytes of a game file held in memory.
CGameFieldFileData ReadBytes(const std::string& fileBytes);

} // namespace GameFile

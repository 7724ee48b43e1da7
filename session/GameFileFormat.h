#pragma once

// How a game is written to a game file and read back. The session knows
// nothing of the file's layout: the storage library, built on the session,
// provides the format when the program starts, so SaveToFile and
// LoadFromFile can be the session's own operations.

#include "session/CGameFieldFileData.h"

struct GameFileFormat {
    // Both throw an exception derived from std::exception on failure.
    void (*write)(const char* path, const CGameFieldFileData& data) = nullptr;
    CGameFieldFileData (*read)(const char* path) = nullptr;
};

void SetGameFileFormat(const GameFileFormat& format);
const GameFileFormat& GetGameFileFormat();

// The storage library gives the session its game file format when the
// program starts.

#include "session/GameFileFormat.h"
#include "storage/GameFile.h"

namespace {

void WriteGame(const char* path, const CGameFieldFileData& data) {
    GameFile::Write(path, data);
}

CGameFieldFileData ReadGame(const char* path) {
    return GameFile::Read(path);
}

const bool installed = [] {
    SetGameFileFormat({&WriteGame, &ReadGame});
    return true;
}();

} // namespace

// Named in the library's link options, so every program linking the library
// keeps this file and its start-up work.
extern "C" const bool kalmora_storage_game_file_format = installed;

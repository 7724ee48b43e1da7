// The game-file commands of the field control live with the file formats.

#include "session/CGameFieldCtrl.h"

#include "storage/GameFile.h"

#include <stdexcept>

void CGameFieldCtrl::SaveToFile(const char* path) {
    if (path == nullptr) {
        throw std::runtime_error("Can't store to file");
    }
    GameFile::Write(path, *this);
    ClearSelection();
}

// The file is read into a temporary first, so a file that fails at any point
// leaves the session exactly as it was.
void CGameFieldCtrl::LoadFromFile(const char* path) {
    if (path == nullptr) {
        throw std::runtime_error("Can't read from file");
    }
    const CGameFieldFileData loaded = GameFile::Read(path);
    static_cast<CGameFieldFileData&>(*this) = loaded;
    AfterLoad();
}

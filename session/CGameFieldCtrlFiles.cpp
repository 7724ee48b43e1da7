// The game-file commands of the field control, through the game file format
// the storage library provides.

#include "session/CGameFieldCtrl.h"
#include "session/GameFileFormat.h"

#include <stdexcept>

namespace {

GameFileFormat& Format() {
    static GameFileFormat format;
    return format;
}

const GameFileFormat& InstalledFormat() {
    if (Format().write == nullptr || Format().read == nullptr) {
        throw std::logic_error("No game file format: the storage library is not linked");
    }
    return Format();
}

} // namespace

void SetGameFileFormat(const GameFileFormat& format) {
    Format() = format;
}

const GameFileFormat& GetGameFileFormat() {
    return Format();
}

void CGameFieldCtrl::SaveToFile(const char* path) {
    if (path == nullptr) {
        throw std::runtime_error("Can't store to file");
    }
    InstalledFormat().write(path, *this);
    ClearSelection();
}

// The file is read into a temporary first, so a file that fails at any point
// leaves the session exactly as it was.
void CGameFieldCtrl::LoadFromFile(const char* path) {
    if (path == nullptr) {
        throw std::runtime_error("Can't read from file");
    }
    const CGameFieldFileData loaded = InstalledFormat().read(path);
    static_cast<CGameFieldFileData&>(*this) = loaded;
    AfterLoad();
}

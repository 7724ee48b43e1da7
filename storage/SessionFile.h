#pragma once

#include "session/CGameFieldSerialData.h"
#include "storage/DataFolder.h"

#include <boost/filesystem/path.hpp>

#include <cstdint>
#include <string>
#include <string_view>

// The main window's outer rectangle in screen coordinates. The file stores it
// as position and size.
struct StoredWindowRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const StoredWindowRect&, const StoredWindowRect&) = default;
};

struct SessionFileContent {
    CGameFieldSerialData session;
    StoredWindowRect window;
    bool autoCheck = false;
};

// The autosave "default.dat": the whole session, the window rectangle and the
// Auto-Check flag.
namespace SessionFile {

constexpr const char* FileName = "default.dat";

// Throws on failure, also for an Auto-Check byte other than 0 or 1 and for a
// rectangle whose edges do not fit.
SessionFileContent Read(const boost::filesystem::path& path);
SessionFileContent ReadBytes(const std::string& fileBytes);
void Write(const boost::filesystem::path& path, const CGameFieldSerialData& session,
           const StoredWindowRect& window, bool autoCheck);

// Restores the session at start. Everything is read before anything is handed
// over: on false nothing was changed. Only the stored part of `session` is
// replaced; the caller refreshes it and rebuilds its snapshot menu. Never throws.
bool Load(CGameFieldSerialData& session, StoredWindowRect& window, bool& autoCheck,
          std::string_view internalName = DataFolder::DefaultInternalName);

// Writes the session at exit, creating the data folder when it is missing. A
// file there that cannot be read is first kept aside as "default.dat.bad".
// True when the file was written. Never throws.
bool Save(const CGameFieldSerialData& session, const StoredWindowRect& window, bool autoCheck,
          std::string_view internalName = DataFolder::DefaultInternalName);

} // namespace SessionFile

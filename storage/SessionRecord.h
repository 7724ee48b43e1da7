#pragma once

#include "session/CGameFieldSerialData.h"
#include "storage/ArchiveLayouts.h"

#include <boost/serialization/level.hpp>
#include <boost/serialization/tracking.hpp>
#include <boost/serialization/version.hpp>

// The whole session as the autosave stores it. In the file this is the field
// control's archive form (its file data part with that type's own class
// information, then undo, then redo); the record lets the session data be read
// into, or written from, any CGameFieldSerialData without copying it and
// without a field control.
struct SessionRecord {
    CGameFieldSerialData& session;
};

BOOST_CLASS_VERSION(SessionRecord, 0)

template <class Archive> void SerializeSessionParts(Archive& ar, CGameFieldSerialData& session) {
    ar& static_cast<CGameFieldFileData&>(session);
    ar& session.undo;
    ar& session.redo;
}

template <class Archive> void serialize(Archive& ar, SessionRecord& record, const unsigned int) {
    SerializeSessionParts(ar, record.session);
}

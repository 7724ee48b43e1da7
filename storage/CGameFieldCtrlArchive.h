#pragma once

#include "session/CGameFieldCtrl.h"
#include "storage/SessionRecord.h"

#include <boost/serialization/base_object.hpp>

// The field control in the autosave: its file data part, stored as a
// CGameFieldFileData object, then the undo and redo lists. SessionRecord
// writes the same bytes for any CGameFieldSerialData.
BOOST_CLASS_VERSION(CGameFieldCtrl, 0)

template <class Archive> void serialize(Archive& ar, CGameFieldCtrl& session, const unsigned int) {
    ar& boost::serialization::base_object<CGameFieldFileData>(session);
    ar& session.undo;
    ar& session.redo;
}

#pragma once

#include "session/CGameFieldFileData.h"
#include "session/CUndo.h"

#include <deque>

// The whole stored session: the game file's data plus the undo and redo lists,
// each a stack with its top at the back.
class CGameFieldSerialData : public CGameFieldFileData {
public:
    std::deque<CUndo> undo;
    std::deque<CUndo> redo;

    friend bool operator==(const CGameFieldSerialData&, const CGameFieldSerialData&) = default;
};

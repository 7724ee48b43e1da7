#pragma once

#include "engine/CGameField.h"
#include "session/CSnapShot.h"

#include <cstdint>
#include <deque>

// What a game file holds: the board, the snapshots, the clock values, the level
// and whether help was used.
class CGameFieldFileData {
public:
    CGameField field;
    std::deque<CSnapShot> snapShots;
    std::int64_t startTime = 0; // calendar seconds at the start; 0 = never started
    std::int64_t finalTime = 0; // play time frozen at the win; 0 = not frozen
    std::int32_t level = 0;     // 0 none, 1 Easy, 2 Normal, 3 Hard, 4 Insane
    bool helpUsed = false;

    virtual ~CGameFieldFileData() = default;

    friend bool operator==(const CGameFieldFileData&, const CGameFieldFileData&) = default;
};

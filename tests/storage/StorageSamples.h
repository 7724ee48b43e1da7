#pragma once

#include "session/CGameFieldSerialData.h"
#include "storage/WinnersLists.h"

#include <string_view>

// Small stored data with every kind of content: givens, marks, the carried
// bits 9-14, digits, named snapshots, undo and redo records, winners.
CGameFieldFileData SampleGame();
CGameFieldSerialData SampleSession();
WinnersLists SampleWinners();

std::array<char, 20> SnapshotName(std::string_view text);
HiScoreEntry Winner(std::string_view name, std::int64_t time);

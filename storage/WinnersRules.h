#pragma once

#include "storage/HiScoreEntry.h"
#include "storage/WinnersLists.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Who enters a winners list when a game is won, and where.
namespace WinnersRules {

// A list with fewer entries takes every winner; a full one only a faster one.
// The lists themselves are never cut to this length.
constexpr std::size_t OpenPlaces = 10;

// The index in WinnersLists of level 1-4; nothing for any other level.
std::optional<std::size_t> ListIndex(int level);

enum class GameOverOutcome {
    Ignored,   // no level or help used: nothing is shown
    GameOver,  // too slow for the list: only "Game over"
    NewWinner, // ask for the name, then "Game over"
};

// The decision for a won game of `level` played in `time` seconds. Unless the
// outcome is Ignored, the caller then sets the session's help-used flag, so
// that the same game announced again after an undo and a redo is ignored.
GameOverOutcome Judge(const WinnersLists& lists, int level, bool helpUsed, std::int64_t time);

// Fewer than OpenPlaces entries, or some entry strictly slower than `time`.
bool Qualifies(const WinnersList& list, std::int64_t time);

// The typed name up to its first zero, cut to the 40-byte field without
// splitting a UTF-8 character, zero-padded.
HiScoreEntry MakeEntry(std::string_view typedName, std::int64_t time);

// Appends the entry and sorts by time, stably: a time equal to existing ones
// goes after them.
void Insert(WinnersList& list, const HiScoreEntry& entry);

// The entry's name as shown: at most the 40 bytes, stopping at a zero.
std::string NameText(const HiScoreEntry& entry);

} // namespace WinnersRules

#include "storage/WinnersRules.h"

#include "session/FixedName.h"

#include <algorithm>

namespace WinnersRules {

std::optional<std::size_t> ListIndex(int level) {
    if (level < 1 || level > static_cast<int>(WinnersListCount)) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(level - 1);
}

GameOverOutcome Judge(const WinnersLists& lists, int level, bool helpUsed, std::int64_t time) {
    const auto index = ListIndex(level);
    if (!index || helpUsed) {
        return GameOverOutcome::Ignored;
    }
    return Qualifies(lists[*index], time) ? GameOverOutcome::NewWinner : GameOverOutcome::GameOver;
}

bool Qualifies(const WinnersList& list, std::int64_t time) {
    if (list.size() < OpenPlaces) {
        return true;
    }
    return std::any_of(list.begin(), list.end(),
                       [time](const HiScoreEntry& entry) { return entry.time > time; });
}

HiScoreEntry MakeEntry(std::string_view typedName, std::int64_t time) {
    HiScoreEntry entry;
    entry.name = ToFixedName<HiScoreEntry::NameSize>(typedName);
    entry.time = time;
    return entry;
}

void Insert(WinnersList& list, const HiScoreEntry& entry) {
    list.push_back(entry);
    // std::list::sort is stable.
    list.sort([](const HiScoreEntry& a, const HiScoreEntry& b) { return a.time < b.time; });
}

std::string NameText(const HiScoreEntry& entry) {
    return FromFixedName(entry.name);
}

} // namespace WinnersRules

#include "StorageSamples.h"

#include <algorithm>

namespace {

void PutName(char* field, std::size_t size, std::string_view text) {
    std::fill(field, field + size, '\0');
    std::copy_n(text.begin(), std::min(size, text.size()), field);
}

} // namespace

std::array<char, 20> SnapshotName(std::string_view text) {
    std::array<char, 20> name{};
    PutName(name.data(), name.size(), text);
    return name;
}

HiScoreEntry Winner(std::string_view name, std::int64_t time) {
    HiScoreEntry entry;
    PutName(entry.name.data(), entry.name.size(), name);
    entry.time = time;
    return entry;
}

CGameFieldFileData SampleGame() {
    CGameFieldFileData game;
    game.field.cells[0] = {5, 0x8000};  // a given 5
    game.field.cells[1] = {0, 0x2203};  // marks 1 and 2, carried bits 9 and 13
    game.field.cells[40] = {7, 0x4000}; // a digit with a carried bit
    game.field.cells[80] = {9, 0x81FF}; // a given 9 with stale marks
    CSnapShot first;
    first.field = game.field;
    first.field.cells[2] = {3, 0};
    first.name = SnapshotName("Start");
    first.elapsed = 65;
    CSnapShot second;
    second.field = game.field;
    second.name = SnapshotName("ABCDEFGHIJKLMNOPQRST"); // all 20 bytes, no zero
    second.elapsed = 3725;
    game.snapShots = {first, second};
    game.startTime = 1700000000;
    game.finalTime = 0;
    game.level = 2;
    game.helpUsed = true;
    return game;
}

CGameFieldSerialData SampleSession() {
    CGameFieldSerialData session;
    static_cast<CGameFieldFileData&>(session) = SampleGame();
    session.snapShots.clear();
    session.finalTime = 754;
    session.level = 4;
    session.helpUsed = false;
    session.undo = {{{0, 0x0001}, 2, 1}, {{4, 0x0000}, 9, 9}};
    session.redo = {{{6, 0x0100}, 5, 3}};
    return session;
}

WinnersLists SampleWinners() {
    WinnersLists lists;
    lists[0] = {Winner("Ann", 65), Winner("Bob", 301)};
    lists[2] = {Winner("Chloé", 3609)};
    return lists;
}

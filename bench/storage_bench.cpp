// Saving and loading the stored files: a session with 100,000 undo records
// (a very long game) and a game file with the full 20 snapshots.

#include "storage/GameFile.h"
#include "storage/SessionFile.h"

#include <benchmark/benchmark.h>
#include <boost/filesystem/operations.hpp>

namespace fs = boost::filesystem;

namespace {

CGameFieldSerialData LongSession() {
    CGameFieldSerialData session;
    for (std::size_t i = 0; i < session.field.cells.size(); ++i) {
        session.field.cells[i] = {static_cast<std::uint8_t>(i % 10), static_cast<std::uint16_t>(i)};
    }
    for (std::uint32_t i = 0; i < 100000; ++i) {
        session.undo.push_back(
            {{static_cast<std::uint8_t>(i % 10), static_cast<std::uint16_t>(i & 0x1FF)},
             i % 9 + 1,
             i / 9 % 9 + 1});
    }
    session.startTime = 1700000000;
    session.level = 3;
    return session;
}

CGameFieldFileData GameWithTwentySnapshots() {
    CGameFieldFileData game;
    for (int i = 0; i < 20; ++i) {
        CSnapShot snapshot;
        snapshot.field.cells[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i % 9 + 1),
                                                             0x8000};
        snapshot.name[0] = static_cast<char>('A' + i);
        snapshot.elapsed = i * 60;
        game.snapShots.push_back(snapshot);
    }
    return game;
}

// A scratch folder for the files of one benchmark.
class ScratchFolder {
public:
    ScratchFolder()
        : m_path(fs::temp_directory_path() / fs::unique_path("kalmora-bench-%%%%-%%%%")) {
        fs::create_directory(m_path);
    }
    ~ScratchFolder() { fs::remove_all(m_path); }
    fs::path File(const char* name) const { return m_path / name; }

private:
    fs::path m_path;
};

void BM_SaveSession100kUndo(benchmark::State& state) {
    const CGameFieldSerialData session = LongSession();
    ScratchFolder folder;
    for (auto _ : state) {
        SessionFile::Write(folder.File("default.dat"), session, {0, 0, 640, 480}, true);
    }
    state.counters["fileBytes"] = static_cast<double>(fs::file_size(folder.File("default.dat")));
}
BENCHMARK(BM_SaveSession100kUndo)->Unit(benchmark::kMillisecond);

void BM_LoadSession100kUndo(benchmark::State& state) {
    ScratchFolder folder;
    SessionFile::Write(folder.File("default.dat"), LongSession(), {0, 0, 640, 480}, true);
    for (auto _ : state) {
        SessionFileContent content = SessionFile::Read(folder.File("default.dat"));
        benchmark::DoNotOptimize(content.session.undo.size());
    }
}
BENCHMARK(BM_LoadSession100kUndo)->Unit(benchmark::kMillisecond);

void BM_SaveGameTwentySnapshots(benchmark::State& state) {
    const CGameFieldFileData game = GameWithTwentySnapshots();
    ScratchFolder folder;
    for (auto _ : state) {
        GameFile::Write(folder.File("game.sdk"), game);
    }
}
BENCHMARK(BM_SaveGameTwentySnapshots)->Unit(benchmark::kMicrosecond);

void BM_LoadGameTwentySnapshots(benchmark::State& state) {
    ScratchFolder folder;
    GameFile::Write(folder.File("game.sdk"), GameWithTwentySnapshots());
    for (auto _ : state) {
        CGameFieldFileData game = GameFile::Read(folder.File("game.sdk"));
        benchmark::DoNotOptimize(game.snapShots.size());
    }
}
BENCHMARK(BM_LoadGameTwentySnapshots)->Unit(benchmark::kMicrosecond);

} // namespace

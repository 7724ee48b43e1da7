#include "engine/PuzzleTable.h"
#include "session/CGameFieldCtrl.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

// Bytes the C heap has handed out and not yet taken back.
namespace {
std::size_t HeapInUse() {
    return mallinfo2().uordblks;
}
} // namespace

namespace {

constexpr int UndoRecords = 100'000;

// "Try to Solve" on one stored puzzle in a session with no window, including
// the undo record of every change it makes.
void BM_TrySolve(benchmark::State& state) {
    const int level = static_cast<int>(state.range(0));
    const int number = static_cast<int>(state.range(1));
    std::size_t records = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CGameFieldCtrl session;
        session.SetClock([] { return std::int64_t{1}; });
        session.StartPuzzle(PuzzleTable::Get(level, number), level);
        state.ResumeTiming();
        session.TrySolve();
        records = session.undo.size();
        benchmark::DoNotOptimize(session.field);
    }
    state.counters["undo_records"] = static_cast<double>(records);
}
BENCHMARK(BM_TrySolve)
    ->ArgsProduct({{1, 2, 3, 4}, {0, 1, 2, 3, 4, 5, 6, 7}})
    ->ArgNames({"level", "puzzle"})
    ->Unit(benchmark::kMicrosecond);

// A session whose undo list holds 100,000 records: the player toggles one
// mark over and over.
void FillHistory(CGameFieldCtrl& session) {
    session.NewBlankGame();
    session.SelectCell({5, 5});
    for (int i = 0; i < UndoRecords; ++i) {
        session.ToggleMark(i % 9 + 1);
    }
}

void BM_RecordHundredThousandChanges(benchmark::State& state) {
    std::size_t heapBytes = 0;
    for (auto _ : state) {
        CGameFieldCtrl session;
        session.SetClock([] { return std::int64_t{1}; });
        const std::size_t before = HeapInUse();
        FillHistory(session);
        heapBytes = HeapInUse() - before;
        benchmark::DoNotOptimize(session.undo);
    }
    state.counters["undo_records"] = UndoRecords;
    state.counters["heap_bytes"] = static_cast<double>(heapBytes);
    state.counters["bytes_per_record"] = static_cast<double>(heapBytes) / UndoRecords;
}
BENCHMARK(BM_RecordHundredThousandChanges)->Unit(benchmark::kMillisecond);

void BM_UndoAndRedoHundredThousandChanges(benchmark::State& state) {
    CGameFieldCtrl session;
    session.SetClock([] { return std::int64_t{1}; });
    FillHistory(session);
    for (auto _ : state) {
        for (int i = 0; i < UndoRecords; ++i) {
            session.Undo();
        }
        for (int i = 0; i < UndoRecords; ++i) {
            session.Redo();
        }
    }
    state.counters["undo_records"] = static_cast<double>(session.undo.size());
}
BENCHMARK(BM_UndoAndRedoHundredThousandChanges)->Unit(benchmark::kMillisecond);

} // namespace

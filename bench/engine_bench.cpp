#include "engine/CGameField.h"
#include "engine/PuzzleGenerator.h"
#include "engine/PuzzleTable.h"

#include <benchmark/benchmark.h>

namespace {

CGameField LoadedField(int level, int number) {
    CGameField field;
    field.LoadPuzzle(PuzzleTable::Get(level, number));
    return field;
}

void BM_CheckAll(benchmark::State& state) {
    const CGameField field = LoadedField(1, 0);
    for (auto _ : state) {
        ConflictRegion region;
        benchmark::DoNotOptimize(field.CheckAll(region));
        benchmark::DoNotOptimize(region);
    }
}
BENCHMARK(BM_CheckAll);

void BM_GetCandidatesWholeBoard(benchmark::State& state) {
    const CGameField field = LoadedField(4, 0);
    for (auto _ : state) {
        for (std::uint32_t r = 1; r <= 9; ++r) {
            for (std::uint32_t c = 1; c <= 9; ++c) {
                CandidateSet candidates;
                benchmark::DoNotOptimize(field.GetCandidates({c, r}, candidates));
                benchmark::DoNotOptimize(candidates);
            }
        }
    }
}
BENCHMARK(BM_GetCandidatesWholeBoard);

// A board whose empty cells carry all their candidates as marks, as the
// solver leaves it; the search runs through every unit before giving up or
// finding its answer.
void BM_FindHiddenSingle(benchmark::State& state) {
    CGameField field = LoadedField(4, 0);
    for (std::size_t i = 0; i < CGameField::CellCount; ++i) {
        CandidateSet candidates;
        if (field.GetCandidates(CGameField::PosOf(i), candidates)) {
            for (int d = 0; d < 9; ++d) {
                if (candidates[d]) {
                    field.cells[i].flags |= static_cast<std::uint16_t>(1u << d);
                }
            }
        }
    }
    for (auto _ : state) {
        CellPos pos;
        benchmark::DoNotOptimize(field.FindHiddenSingle(pos));
        benchmark::DoNotOptimize(pos);
    }
}
BENCHMARK(BM_FindHiddenSingle);

void BM_GeneratePuzzle(benchmark::State& state) {
    std::uint32_t seed = 1;
    for (auto _ : state) {
        PuzzleDigits digits{};
        benchmark::DoNotOptimize(GeneratePuzzle(digits, 3, seed++));
        benchmark::DoNotOptimize(digits);
    }
}
BENCHMARK(BM_GeneratePuzzle);

} // namespace

// Throughput of the game loop: Play alone, Play plus twelve appends into
// column vectors whose capacity is reused, and the real run into RunRecords.
#include <benchmark/benchmark.h>

#include <array>
#include <vector>

#include "RunRecords.h"
#include "SingleRun.h"
#include "Slot.h"

using namespace sorimu;

namespace {

constexpr int32_t kGames = 1'000'000;

void PlayOnly(benchmark::State& state) {
  Slot slot(1);
  for (auto _ : state) {
    slot.SetFlevel(1);
    slot.SetStock(255, 255);
    slot.Reset();
    while (slot.PlayCount < kGames) slot.Play();
    benchmark::DoNotOptimize(slot.Medal);
  }
  state.SetItemsProcessed(state.iterations() * kGames);
}
BENCHMARK(PlayOnly)->Unit(benchmark::kMillisecond);

void PlayIntoColumns(benchmark::State& state) {
  Slot slot(1);
  std::array<std::vector<int32_t>, 12> columns;
  for (auto _ : state) {
    for (auto& column : columns) column.clear();
    slot.SetFlevel(1);
    slot.SetStock(255, 255);
    slot.Reset();
    while (slot.PlayCount < kGames) {
      slot.Play();
      columns[0].push_back(slot.GamesSinceBonus);
      columns[1].push_back(slot.Medal);
      columns[2].push_back(slot.PlayCount);
      columns[3].push_back(slot.BonusKind);
      columns[4].push_back(slot.LastOutcome);
      columns[5].push_back(slot.RTCancel);
      columns[6].push_back(slot.BonusGames);
      columns[7].push_back(slot.RenCause);
      columns[8].push_back(slot.Punk);
      columns[9].push_back(slot.ZtCount);
      columns[10].push_back(slot.BigStock);
      columns[11].push_back(slot.RegStock);
    }
    benchmark::DoNotOptimize(columns[1].back());
  }
  state.SetItemsProcessed(state.iterations() * kGames);
}
BENCHMARK(PlayIntoColumns)->Unit(benchmark::kMillisecond);

// The run as the program plays it: the records keep their memory across runs.
void SimulateIntoRecords(benchmark::State& state) {
  Slot slot(1);
  RunRecords records;
  StartInputs inputs;
  inputs.PlayNum = kGames;
  for (auto _ : state) {
    Simulate(slot, records, inputs);
    benchmark::DoNotOptimize(records.RowCount());
  }
  state.SetItemsProcessed(state.iterations() * kGames);
}
BENCHMARK(SimulateIntoRecords)->Unit(benchmark::kMillisecond);

}  // namespace

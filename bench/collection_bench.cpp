// Building the collection's radio list and the exit question's change summary at scale.
#include <benchmark/benchmark.h>

#include "collection/changes.h"
#include "collection_generator.h"

namespace korvel::bench {
namespace {

// Radios arriving in no particular order, sorted into radio order in one go.
void BM_BuildRadioListShuffled(benchmark::State& state) {
  Collection c;
  FillTables(c);
  auto radios = GenerateRadios(c, static_cast<int>(state.range(0)));
  std::vector<RadioRecord*> records;
  for (auto& r : radios) records.push_back(r.get());
  for (auto _ : state) {
    RadioList list = BuildRadioList(c.tables, records);
    benchmark::DoNotOptimize(list.Count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BuildRadioListShuffled)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Radios inserted one by one as the data file gives them: already in radio order.
void BM_InsertRadiosInFileOrder(benchmark::State& state) {
  Collection c;
  FillTables(c);
  auto radios = GenerateRadios(c, static_cast<int>(state.range(0)));
  std::vector<RadioRecord*> records;
  for (auto& r : radios) records.push_back(r.get());
  const std::vector<RadioRecord*> ordered = BuildRadioList(c.tables, records).Records();
  for (auto _ : state) {
    RadioList list;
    for (RadioRecord* r : ordered) InsertRadio(c.tables, r, list);
    benchmark::DoNotOptimize(list.Count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_InsertRadiosInFileOrder)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The exit question: every radio against its as-loaded copy, after a session's worth of edits
// (some radios changed, some added, some deleted).
void BM_ChangeSummary(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  Collection c = GenerateCollection(count);
  for (int i = 0; i < c.radios.Count(); i += 97) {
    PrepareRadioChange(c, *c.radios[i]);
    c.radios[i]->value += 10;
  }
  for (int i = 0; i < 50; ++i) {
    auto extra = std::make_unique<RadioRecord>(*c.radios[i]);
    extra->id = c.nextId++;
    AddRadio(c, std::move(extra));
  }
  for (int i = 0; i < 20; ++i) DeleteRadio(c, c.radios[c.radios.Count() / 2]);
  for (auto _ : state) {
    ChangeSummary summary = SummarizeChanges(c);
    benchmark::DoNotOptimize(summary.changedRadios.Count());
  }
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ChangeSummary)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel::bench

BENCHMARK_MAIN();

// Edit > Undo on 100,000 radios: a Table Insert taken back (every radio's references move back
// one place) and done again, and the Undo of a Modify of one radio, which must not cost the size
// of the collection in memory.
#include <benchmark/benchmark.h>

#include "collection/history.h"
#include "collection/radio_ops.h"
#include "collection_generator.h"

namespace korvel::bench {
namespace {

void BM_UndoTableInsert(benchmark::State& state) {
  Collection collection = GenerateCollection(static_cast<int>(state.range(0)));
  UndoHistory history;
  history.Begin(collection, "Table Insert");
  // "Aaa" sorts before every brand: every radio's brand moves.
  AddTableEntry(collection, kTableBrandName, "Aaa Undo", 0);
  history.End(collection);
  for (auto _ : state) {
    history.Undo(collection);
    state.PauseTiming();
    history.Redo(collection);
    state.ResumeTiming();
  }
  benchmark::DoNotOptimize(collection.radios.Count());
}
BENCHMARK(BM_UndoTableInsert)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_UndoModifyOne(benchmark::State& state) {
  Collection collection = GenerateCollection(static_cast<int>(state.range(0)));
  UndoHistory history;
  RadioRecord* radio = collection.radios[collection.radios.Count() / 2];
  history.Begin(collection, "Modify");
  PrepareRadioChange(collection, *radio);
  radio->comments = "Recapped";
  history.End(collection);
  for (auto _ : state) {
    history.Undo(collection);
    history.Redo(collection);
  }
  benchmark::DoNotOptimize(collection.radios.Count());
}
BENCHMARK(BM_UndoModifyOne)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel::bench

BENCHMARK_MAIN();

// The search field and the table view over 100,000 radios: folding every radio's texts (done when
// the field takes the cursor), one keystroke in the field, and sorting the table by a column.
#include <benchmark/benchmark.h>

#include "collection_generator.h"
#include "reports/radio_table.h"
#include "selection/quick_filter.h"

namespace korvel::bench {
namespace {

const Collection& Large() {
  static const Collection collection = GenerateCollection(100000);
  return collection;
}

void BM_PrepareTexts(benchmark::State& state) {
  const Collection& c = Large();
  for (auto _ : state) {
    QuickFilter filter;
    filter.Prepare(c.tables, c.radios);
    benchmark::DoNotOptimize(filter);
  }
}
BENCHMARK(BM_PrepareTexts)->Unit(benchmark::kMillisecond);

// The first letter typed: every radio is tested.
void BM_FirstKeystroke(benchmark::State& state) {
  const Collection& c = Large();
  QuickFilter filter;
  filter.Prepare(c.tables, c.radios);
  for (auto _ : state) {
    benchmark::DoNotOptimize(filter.Narrow(c.tables, c.radios, "p").Count());
    state.PauseTiming();
    filter.Narrow(c.tables, c.radios, "");
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstKeystroke)->Unit(benchmark::kMillisecond);

// Arg 0: typing on ("phil" then "philc"); 1: a word taken back, every radio tested again.
void BM_NextKeystroke(benchmark::State& state) {
  const Collection& c = Large();
  QuickFilter filter;
  filter.Narrow(c.tables, c.radios, "p");
  const bool typingOn = state.range(0) == 0;
  for (auto _ : state) {
    state.PauseTiming();
    filter.Narrow(c.tables, c.radios, typingOn ? "phil" : "philco cathedral walnut");
    state.ResumeTiming();
    benchmark::DoNotOptimize(
        filter.Narrow(c.tables, c.radios, typingOn ? "philc" : "philco cathedral wal").Count());
  }
}
BENCHMARK(BM_NextKeystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Columns: 4 Year, 29 Value, 1 Brand, 2 Model, 22 Date Acquired.
void BM_SortTable(benchmark::State& state) {
  const Collection& c = Large();
  const int column = static_cast<int>(state.range(0));
  for (auto _ : state) {
    std::vector<RadioRecord*> rows = c.radios.Records();
    SortRadioRows(c.tables, rows, column, state.range(1) != 0);
    benchmark::DoNotOptimize(rows.data());
  }
}
BENCHMARK(BM_SortTable)
    ->Args({4, 0})
    ->Args({29, 1})
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({22, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel::bench

BENCHMARK_MAIN();

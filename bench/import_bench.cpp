// File > Import CSV of 100,000 rows: the export of a generated collection read, checked and added to
// a new collection (the save that follows is timed by data_file_bench).
#include <benchmark/benchmark.h>

#include "collection/radio_ops.h"
#include "collection_generator.h"
#include "import/apply_import.h"
#include "reports/csv_file.h"

namespace korvel::bench {
namespace {

void BM_ImportCsv(benchmark::State& state) {
  const std::string csv = [&] {
    Collection source = GenerateCollection(static_cast<int>(state.range(0)));
    return RadioCsvText(source, source.radios);
  }();
  for (auto _ : state) {
    state.PauseTiming();
    auto* collection = new Collection;  // freeing it is not part of an import
    StartNewCollection(*collection);
    state.ResumeTiming();
    const ImportOutcome outcome = ApplyImport(*collection, PlanImport(*collection, ReadCsv(csv)), false);
    if (outcome.radios.size() != static_cast<std::size_t>(state.range(0)))
      state.SkipWithError("rows were lost");
    state.PauseTiming();
    delete collection;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ImportCsv)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

// Its parts: reading the file, and checking every value.
void BM_ReadCsv(benchmark::State& state) {
  Collection source = GenerateCollection(static_cast<int>(state.range(0)));
  const std::string csv = RadioCsvText(source, source.radios);
  for (auto _ : state) benchmark::DoNotOptimize(ReadCsv(csv).rows.size());
}
BENCHMARK(BM_ReadCsv)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PlanImport(benchmark::State& state) {
  Collection source = GenerateCollection(static_cast<int>(state.range(0)));
  const CsvTable table = ReadCsv(RadioCsvText(source, source.radios));
  Collection collection;
  StartNewCollection(collection);
  for (auto _ : state) benchmark::DoNotOptimize(PlanImport(collection, table).rows.size());
}
BENCHMARK(BM_PlanImport)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace korvel::bench

BENCHMARK_MAIN();

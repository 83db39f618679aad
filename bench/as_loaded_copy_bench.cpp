// What File > Save adds to the save itself on 100,000 radios: the saved collection becoming the
// reference for changes.
#include <benchmark/benchmark.h>

#include "collection/collection.h"
#include "collection_generator.h"

namespace korvel::bench {
namespace {

void BM_RetakeAsLoadedCopy(benchmark::State& state) {
  Collection collection = GenerateCollection(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    RetakeAsLoadedCopy(collection);
    benchmark::DoNotOptimize(collection.asLoaded.Count());
  }
}
BENCHMARK(BM_RetakeAsLoadedCopy)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel::bench

BENCHMARK_MAIN();

// Selections over a 100,000-radio collection: one criterion, and a fresh four-row evaluation.
#include <benchmark/benchmark.h>

#include "collection_generator.h"
#include "selection/criteria.h"

namespace korvel::bench {
namespace {

const Collection& Large() {
  static const Collection collection = GenerateCollection(100000);
  return collection;
}

void BM_OneCriterion(benchmark::State& state) {
  const Collection& c = Large();
  const Criterion criteria[] = {MakeCriterion(kActionAdd, kFieldYear, kRelationLess, 1940),
                                MakeCriterion(kActionAdd, kFieldDateAcquired, kRelationGreater, 20000101),
                                MakeCriterion(kActionAdd, kFieldTube, kRelationEqual, 0, "6V6")};
  const Criterion& criterion = criteria[state.range(0)];
  for (auto _ : state) {
    SelectionState s;
    ApplyCriterion(criterion, c, s);
    benchmark::DoNotOptimize(s.current.Count());
  }
}
BENCHMARK(BM_OneCriterion)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_FreshFourRows(benchmark::State& state) {
  const Collection& c = Large();
  SelectionParameters p;
  p.rows = {MakeCriterion(kActionAdd, kFieldTechnology, kRelationEqual, kTechTube),
            MakeCriterion(kActionAnd, kFieldYear, kRelationLess, 1950),
            MakeCriterion(kActionSubtract, kFieldStatus, kRelationEqual, kStatusSold),
            MakeCriterion(kActionOr, kFieldModel, kRelationEqual, 0, "5A")};
  for (auto _ : state) {
    SelectionState s;
    EvaluateParameters(p, Evaluation::kFresh, c, s);
    benchmark::DoNotOptimize(s.current.Count());
  }
}
BENCHMARK(BM_FreshFourRows)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel::bench

BENCHMARK_MAIN();

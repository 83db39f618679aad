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

Criterion Row(int action, int field, int relation, int value, std::string text = {}) {
  Criterion c;
  c.action = action;
  c.field = field;
  c.relation = relation;
  c.value = value;
  c.hasText = !text.empty();
  c.text = std::move(text);
  return c;
}

void BM_OneCriterion(benchmark::State& state) {
  const Collection& c = Large();
  const Criterion criteria[] = {Row(kActionAdd, kFieldYear, kRelationLess, 1940),
                                Row(kActionAdd, kFieldDateAcquired, kRelationGreater, 20000101),
                                Row(kActionAdd, kFieldTube, kRelationEqual, 0, "6V6")};
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
  p.rows = {Row(kActionAdd, kFieldTechnology, kRelationEqual, kTechTube),
            Row(kActionAnd, kFieldYear, kRelationLess, 1950),
            Row(kActionSubtract, kFieldStatus, kRelationEqual, kStatusSold),
            Row(kActionOr, kFieldModel, kRelationEqual, 0, "5A")};
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

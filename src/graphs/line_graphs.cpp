#include "graphs/line_graphs.h"

#include <algorithm>
#include <limits>
#include <new>

#include "util/message.h"

namespace korvel::graphs {
namespace {

constexpr const char* kCostValueNames[] = {"Acquisition Cost", "Repair Cost", "Total Cost", "Value"};
constexpr const char* kHistoryNames[] = {"Collection", "For Sale",       "Other",
                                         "Sold",       "To Be Restored", "Total"};
constexpr const char* kSalesProfitNames[] = {"Acquisition Cost", "Repair Cost", "Sales Income", "Total Cost",
                                             "Total Profit"};
static_assert(std::size(kCostValueNames) == kCostValueSeriesCount);
static_assert(std::size(kHistoryNames) == kHistorySeriesCount);
static_assert(std::size(kSalesProfitNames) == kSalesProfitSeriesCount);

const LineGraphDefinition kDefinitions[kLineGraphKinds] = {
    {"CommandGraphCostValue", "Cost/Value of Radio Collection", "$", kCostValueNames},
    {"CommandGraphHistory", "History of Radio Collection", "Radios", kHistoryNames},
    {"CommandGraphSalesProfit", "Sales/Profit of Radio Collection", "$", kSalesProfitNames},
};

// The integer series keep the most negative value as their missing marker.
std::int32_t ToSeriesValue(std::int64_t total) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      total, std::numeric_limits<std::int32_t>::min() + 1, std::numeric_limits<std::int32_t>::max()));
}

void Accumulate(LineGraphKind kind, const std::vector<GraphFacts>& radios, CounterTable& table) {
  switch (kind) {
    case LineGraphKind::kCostValue:
      AccumulateCostValue(radios, table);
      break;
    case LineGraphKind::kHistory:
      AccumulateHistory(radios, table);
      break;
    case LineGraphKind::kSalesProfit:
      AccumulateSalesProfit(radios, table);
      break;
  }
}

}  // namespace

const LineGraphDefinition& LineGraphDefinitionOf(LineGraphKind kind) {
  return kDefinitions[static_cast<int>(kind)];
}

BuildOutcome BuildLineGraph(LineGraphKind kind, const RadioList& radios, std::unique_ptr<LineGraph>& built) {
  built.reset();
  const LineGraphDefinition& definition = LineGraphDefinitionOf(kind);
  const int seriesCount = static_cast<int>(definition.series.size());
  std::vector<GraphFacts> facts;
  std::optional<MonthRange> range;
  std::unique_ptr<LineGraph> graph;
  try {
    facts = GraphFactsOf(radios);
    range = GraphDateRange(facts);
    if (!range) return BuildOutcome::kNoDates;
    graph = std::make_unique<LineGraph>();
    graph->counters = MakeCounterTable(*range, seriesCount);
  } catch (const std::bad_alloc&) {
    ShowMessage(kError, kButtonsOk, "'AluMalloc' failure in '%s'.", definition.command);
    return BuildOutcome::kNoMemory;
  }
  Accumulate(kind, facts, graph->counters);
  const int months = range->Months();

  graph->symbols = CreateSymbolTable();
  if (!graph->symbols) return BuildOutcome::kNoMemory;
  Symbol* year = LookupSymbol("Year", *graph->symbols);
  if (year == nullptr) return BuildOutcome::kNoMemory;
  year->value = CreateValue(kValueInt, months);
  if (!year->value) return BuildOutcome::kNoMemory;
  year->value->flags = kValueMonthAxis;
  for (int m = 0; m < months; ++m) year->value->ints[m] = range->first + m;

  std::vector<Series> series;
  try {
    series.reserve(static_cast<std::size_t>(seriesCount));
  } catch (const std::bad_alloc&) {
    ShowMessage(kError, kButtonsOk, "'AluMalloc' failure in '%s'.", definition.command);
    return BuildOutcome::kNoMemory;
  }
  for (int s = 0; s < seriesCount; ++s) {
    std::unique_ptr<Series> one = CreateSeries(months, kValueInt);
    if (!one) return BuildOutcome::kNoMemory;
    one->name = definition.series[s];
    for (int m = 0; m < months; ++m)
      one->value->ints[m] = ToSeriesValue(graph->counters.At(range->first + m, s));
    series.push_back(std::move(*one));
  }
  graph->graph = CreateGraph(std::move(series), year, definition.title, "", definition.yUnit);
  if (!graph->graph) return BuildOutcome::kNoMemory;
  graph->graph->options = kLegendTopLeft;
  built = std::move(graph);
  return BuildOutcome::kBuilt;
}

}  // namespace korvel::graphs

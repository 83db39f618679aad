#include "graphs/current_graph.h"

#include <algorithm>

#include "graphs/blank_graph.h"

namespace korvel::graphs {
namespace {

CurrentGraph CurrentOf(LineGraphKind kind) {
  switch (kind) {
    case LineGraphKind::kCostValue:
      return CurrentGraph::kCostValue;
    case LineGraphKind::kHistory:
      return CurrentGraph::kHistory;
    default:
      return CurrentGraph::kSalesProfit;
  }
}

// What the view says instead of a line graph that has nothing to draw.
std::string LineGraphBlankReason(LineGraphKind kind, const RadioList& radios, Graph* graph) {
  if (graph == nullptr) {
    return radios.Empty()
               ? "The collection has no radios yet: there is nothing to draw."
               : "No radio has a date acquired, restored or disposed of: there is nothing to draw.";
  }
  std::string reason = BlankGraphReason(*graph);
  const bool sold = std::any_of(radios.begin(), radios.end(), [](const RadioRecord* radio) {
    return radio->status == kStatusSold || radio->status == kStatusRestoredAndSold;
  });
  if (kind == LineGraphKind::kSalesProfit && !sold && !reason.empty()) {
    reason = "No radio has been sold (status Sold or Restored and Sold): there are no sales to draw.";
  }
  return reason.empty() ? "There is nothing to draw." : reason;
}

}  // namespace

bool RunLineGraph(GraphState& state, LineGraphKind kind, const Collection& collection,
                  draw::Surface& surface) {
  state.current = CurrentGraph::kNone;
  state.blankReason.clear();
  std::unique_ptr<LineGraph>& kept = state.lineGraphs[static_cast<int>(kind)];
  const BuildOutcome outcome = BuildLineGraph(kind, collection.radios, kept);
  if (outcome == BuildOutcome::kNoMemory) return false;
  if (outcome != BuildOutcome::kBuilt || !DrawGraph(*kept->graph, surface)) {
    state.blankReason = LineGraphBlankReason(kind, collection.radios, kept ? kept->graph.get() : nullptr);
    DrawBlankGraph(surface, LineGraphDefinitionOf(kind).title, state.blankReason);
  }
  state.current = CurrentOf(kind);
  return true;
}

bool RunDistribution(GraphState& state, int field, const RadioList& radios, const TableSet& tables,
                     draw::Surface& surface) {
  state.current = CurrentGraph::kNone;
  state.distribution.field = field;
  if (!AllocateCounters(field, tables, state.distribution.counters)) return false;
  CountDistribution(radios, field, state.distribution.counters);
  DrawDistribution(field, state.distribution.counters, tables, surface);
  state.current = CurrentGraph::kDistribution;
  return true;
}

bool RedrawGraph(GraphState& state, const TableSet& tables, draw::Surface& surface) {
  switch (state.current) {
    case CurrentGraph::kCostValue:
    case CurrentGraph::kHistory:
    case CurrentGraph::kSalesProfit: {
      const LineGraphKind kind = state.current == CurrentGraph::kCostValue ? LineGraphKind::kCostValue
                                 : state.current == CurrentGraph::kHistory ? LineGraphKind::kHistory
                                                                           : LineGraphKind::kSalesProfit;
      if (!state.blankReason.empty()) {
        DrawBlankGraph(surface, LineGraphDefinitionOf(kind).title, state.blankReason);
        return true;
      }
      const std::unique_ptr<LineGraph>& kept = state.lineGraphs[static_cast<int>(kind)];
      return kept && kept->graph && DrawGraph(*kept->graph, surface);
    }
    case CurrentGraph::kDistribution:
      DrawDistribution(state.distribution.field, state.distribution.counters, tables, surface);
      return true;
    default:
      return false;
  }
}

void TableEntryInserted(GraphState& state, int kind, int position) {
  std::vector<std::uint32_t>& counters = state.distribution.counters;
  if (counters.empty() || kind < 0 || DistributionTableKind(state.distribution.field) != kind) return;
  if (position < 0 || position > static_cast<int>(counters.size())) {
    // Counters that no longer fit their table are not worth keeping.
    if (state.current == CurrentGraph::kDistribution) state.current = CurrentGraph::kNone;
    counters.clear();
    return;
  }
  counters.insert(counters.begin() + position, 0);
}

void ForgetGraphs(GraphState& state) {
  state = GraphState{};
}

}  // namespace korvel::graphs

// The Cost/Value, History and Sales/Profit graphs: their series, titles and units, and the graph
// object built from a collection's running totals.
#pragma once

#include <memory>
#include <span>

#include "collection/radio_list.h"
#include "graphs/graph_data.h"
#include "graphs/plot_graph.h"
#include "graphs/symbol_table.h"

namespace korvel::graphs {

enum class LineGraphKind : int { kCostValue = 0, kHistory = 1, kSalesProfit = 2 };
inline constexpr int kLineGraphKinds = 3;

struct LineGraphDefinition {
  const char* command;  // names the command in its failure message
  const char* title;
  const char* yUnit;
  std::span<const char* const> series;
};
const LineGraphDefinition& LineGraphDefinitionOf(LineGraphKind kind);

// What a line graph keeps between drawings: its totals, the symbol table of its x variable and the
// graph object.
struct LineGraph {
  CounterTable counters;
  std::unique_ptr<SymbolTable> symbols;
  std::unique_ptr<Graph> graph;
};

enum class BuildOutcome { kBuilt, kNoDates, kNoMemory };

// The graph of the kind over every radio of the list: the month range, the totals, one integer series
// per total and the x variable "Year" holding the month numbers, legend at the top left.
BuildOutcome BuildLineGraph(LineGraphKind kind, const RadioList& radios, std::unique_ptr<LineGraph>& built);

}  // namespace korvel::graphs

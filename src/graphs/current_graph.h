// The graph the view shows, with the data it was drawn from, so that a redraw (a resize, a font
// change, a printed page) draws it again without recounting.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "collection/collection.h"
#include "draw/surface.h"
#include "graphs/distribution.h"
#include "graphs/line_graphs.h"

namespace korvel::graphs {

enum class CurrentGraph : int { kNone, kCostValue, kDistribution, kHistory, kSalesProfit };

struct GraphState {
  CurrentGraph current = CurrentGraph::kNone;
  std::array<std::unique_ptr<LineGraph>, kLineGraphKinds> lineGraphs;  // by LineGraphKind
  DistributionData distribution;
  // Why the current line graph draws nothing (no sale, a single month, a mistyped year); the view
  // shows its title and this line instead. Empty when the graph draws.
  std::string blankReason;
};

// Builds the line graph of the kind over the whole collection, replacing the one kept before, and
// draws it, or, when there is nothing to draw (no dates, a single month, no sale), its title and
// the reason. False only when memory ran out, and then no graph is current.
bool RunLineGraph(GraphState& state, LineGraphKind kind, const Collection& collection,
                  draw::Surface& surface);

// Counts the radios over the field and draws the pie. False when the counters could not be made.
bool RunDistribution(GraphState& state, int field, const RadioList& radios, const TableSet& tables,
                     draw::Surface& surface);

// Draws the current graph again from its kept data; false when no graph is current.
bool RedrawGraph(GraphState& state, const TableSet& tables, draw::Surface& surface);

// A lookup table gained an entry at `position`: a kept distribution over that table gains its
// (empty) counter there, so that every other counter stays with its entry's name.
void TableEntryInserted(GraphState& state, int kind, int position);

// Forgets every kept graph.
void ForgetGraphs(GraphState& state);

}  // namespace korvel::graphs

// The Graphs menu: Cost/Value, Distribution, History and Sales/Profit drawn in the view, and the
// "Distribution of Radios" dialog whose choice the settings file keeps.
#pragma once

#include <functional>

#include "app/program_state.h"
#include "app/selection_dialog.h"
#include "draw/surface.h"
#include "graphs/current_graph.h"

namespace korvel {

struct GraphCommandHooks {
  SelectionDialogHooks selection;            // for a distribution over a selection
  std::function<void()> selectionChanged{};  // the selection dialog changed the current selection
};

// Each gives true when it drew its graph.
bool CommandGraphCostValue(ProgramState& state, graphs::GraphState& graphs, draw::Surface& surface);
bool CommandGraphHistory(ProgramState& state, graphs::GraphState& graphs, draw::Surface& surface);
bool CommandGraphSalesProfit(ProgramState& state, graphs::GraphState& graphs, draw::Surface& surface);
// The dialog, the selection dialog when "Selected" is ticked, then the count and the pie.
bool CommandGraphDistribution(ProgramState& state, graphs::GraphState& graphs, draw::Surface& surface,
                              const GraphCommandHooks& hooks);

// The dialog on the settings' field and "Selected" choice; OK keeps the new choice there. False on
// Cancel.
bool RunDistributionDialog(Settings& settings, void* parent);

// Commands 401-404. True when the view now belongs to the graphs: a line graph command always
// (with nothing to draw the view is left empty), a distribution when its dialogs were not
// cancelled.
bool RunGraphCommand(int id, ProgramState& state, graphs::GraphState& graphs, draw::Surface& surface,
                     const GraphCommandHooks& hooks);

}  // namespace korvel

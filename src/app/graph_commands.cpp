#include "app/graph_commands.h"

#include <cstdint>
#include <string>
#include <vector>

#include "app/program.h"
#include "dal/dal.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui/frame/command_ids.h"

namespace korvel {

using graphs::LineGraphKind;

bool CommandGraphCostValue(ProgramState& state, graphs::GraphState& graphs, draw::Surface& surface) {
  return graphs::RunLineGraph(graphs, LineGraphKind::kCostValue, state.collection, surface);
}

bool CommandGraphHistory(ProgramState& state, graphs::GraphState& graphs, draw::Surface& surface) {
  return graphs::RunLineGraph(graphs, LineGraphKind::kHistory, state.collection, surface);
}

bool CommandGraphSalesProfit(ProgramState& state, graphs::GraphState& graphs, draw::Surface& surface) {
  return graphs::RunLineGraph(graphs, LineGraphKind::kSalesProfit, state.collection, surface);
}

bool RunDistributionDialog(Settings& settings, void* parent) {
  static const std::vector<std::string> fields = graphs::DistributionFieldNames();
  // A settings file may name a field that does not exist: the list then starts on the first.
  const bool known = settings.graphField >= 0 && settings.graphField < graphs::kDistributionFieldCount;
  std::int32_t field = known ? settings.graphField : 0;
  std::int32_t selected = settings.graphSelected ? 1 : 0;
  DalDialog dialog{
      .templateId = kDialogDistribution,
      .fields = {
          {.kind = kDalPlainList, .controlId = kIdDistributionField, .value = &field, .items = &fields},
          {.kind = kDalCheck, .controlId = kIdDistributionSelected, .value = &selected}}};
  if (DalRunDialog(dialog, parent) != 1) return false;
  if (field < 0 || field >= graphs::kDistributionFieldCount) return false;
  settings.graphField = field;
  settings.graphSelected = selected != 0;
  return true;
}

bool CommandGraphDistribution(ProgramState& state, graphs::GraphState& graphs, draw::Surface& surface,
                              const GraphCommandHooks& hooks) {
  if (!RunDistributionDialog(state.settings, hooks.selection.parent)) return false;
  const RadioList* radios = &state.collection.radios;
  if (state.settings.graphSelected) {
    const bool chosen = RunSelectionDialog(state, hooks.selection);
    // Even a cancelled dialog may have changed the selection with its select buttons.
    if (hooks.selectionChanged) hooks.selectionChanged();
    if (!chosen) return false;
    radios = &state.selection.current;
  }
  return graphs::RunDistribution(graphs, state.settings.graphField, *radios, state.collection.tables,
                                 surface);
}

bool RunGraphCommand(int id, ProgramState& state, graphs::GraphState& graphs, draw::Surface& surface,
                     const GraphCommandHooks& hooks) {
  bool drawn = false;
  switch (id) {
    case kCommandGraphCostValue:
      drawn = CommandGraphCostValue(state, graphs, surface);
      break;
    case kCommandGraphHistory:
      drawn = CommandGraphHistory(state, graphs, surface);
      break;
    case kCommandGraphSalesProfit:
      drawn = CommandGraphSalesProfit(state, graphs, surface);
      break;
    case kCommandGraphDistribution:
      return CommandGraphDistribution(state, graphs, surface, hooks);
    default:
      return false;
  }
  // A view in graph mode with no graph shows nothing rather than a radio it no longer answers for.
  if (!drawn) surface.Clear();
  return true;
}

// The program's side of the graph commands.
GraphCommandHooks Program::GraphHooks() {
  GraphCommandHooks hooks;
  hooks.selection = DialogHooks();
  hooks.selectionChanged = [this] {
    RebuildPane();
    pane_.Highlight(state_.selection.currentRadio);
    DrawPane(true);
    SetPaneScroll();
    if (state_.viewMode == kViewDescription) RedrawView();
  };
  return hooks;
}

}  // namespace korvel

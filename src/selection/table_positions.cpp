#include "selection/table_positions.h"

namespace korvel {
namespace {

// A criterion on the table `kind` whose value is `from` or beyond moves by `delta`.
void Move(Criterion& criterion, int kind, int from, int delta) {
  // Stack steps carry no test: their field and value mean nothing.
  if (criterion.action > kActionSubtract) return;
  if (FieldTableKind(criterion.field) == kind && criterion.value >= from) criterion.value += delta;
}

void MoveAll(SelectionState& selection, std::vector<SelectionMacro>& macros, int kind, int from, int delta) {
  const auto rows = [&](SelectionParameters& parameters) {
    for (Criterion& row : parameters.rows) Move(row, kind, from, delta);
  };
  rows(selection.parameters);
  for (SelectionParameters& saved : selection.saved) rows(saved);
  for (SelectionMacro& macro : macros) {
    for (MacroEntry& entry : macro.entries) {
      if (entry.parsed) Move(entry.criterion, kind, from, delta);
    }
  }
}

}  // namespace

void RenumberCriterion(Criterion& criterion, int kind, int position) {
  Move(criterion, kind, position, 1);
}

void RenumberCriteria(SelectionState& selection, std::vector<SelectionMacro>& macros, int kind,
                      int position) {
  MoveAll(selection, macros, kind, position, 1);
}

void RenumberCriteriaBack(SelectionState& selection, std::vector<SelectionMacro>& macros, int kind,
                          int position) {
  MoveAll(selection, macros, kind, position + 1, -1);
}

}  // namespace korvel

#include "selection/table_positions.h"

namespace korvel {
namespace {

void RenumberRows(SelectionParameters& parameters, int kind, int position) {
  for (Criterion& row : parameters.rows) RenumberCriterion(row, kind, position);
}

}  // namespace

void RenumberCriterion(Criterion& criterion, int kind, int position) {
  // Stack steps carry no test: their field and value mean nothing.
  if (criterion.action > kActionSubtract) return;
  if (FieldTableKind(criterion.field) == kind && criterion.value >= position) ++criterion.value;
}

void RenumberCriteria(SelectionState& selection, std::vector<SelectionMacro>& macros, int kind,
                      int position) {
  RenumberRows(selection.parameters, kind, position);
  for (SelectionParameters& saved : selection.saved) RenumberRows(saved, kind, position);
  for (SelectionMacro& macro : macros) {
    for (MacroEntry& entry : macro.entries) {
      if (entry.parsed) RenumberCriterion(entry.criterion, kind, position);
    }
  }
}

}  // namespace korvel

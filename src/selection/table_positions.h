// Criteria hold positions of the lookup tables; when a table gains an entry, those positions move
// up with the radios' references, so that every selection still picks the radios it picked.
#pragma once

#include <vector>

#include "collection/macro.h"
#include "selection/selection.h"

namespace korvel {

// The criterion, when it tests a field of the table `kind` at `position` or beyond, follows the
// entry it meant to the place one further on.
void RenumberCriterion(Criterion& criterion, int kind, int position);

// Every holder of such criteria: the current parameters, the saved selections and the macros.
void RenumberCriteria(SelectionState& selection, std::vector<SelectionMacro>& macros, int kind, int position);
// The entry at `position` is taken out again (Undo): criteria beyond it move back one place.
void RenumberCriteriaBack(SelectionState& selection, std::vector<SelectionMacro>& macros, int kind,
                          int position);

}  // namespace korvel

// The selection stack: whole selections set aside and combined.
#pragma once

#include "selection/selection.h"

namespace korvel {

// Carries out a stack action (And-Combine, Clear, Copy, Or-Combine, Push, Swap) on the current
// selection. An action the stack cannot take warns and changes nothing.
void ApplyStackAction(int action, const Collection& collection, SelectionState& state);

}  // namespace korvel

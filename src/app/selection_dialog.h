// The "Select Radio(s)" dialog: four criteria rows and a filter, the members of the current
// selection as text lines and as snapshot pictures side by side, and the buttons that narrow,
// rebuild and save the selection.
#pragma once

#include <functional>

#include "app/program_state.h"

namespace korvel {

class SelectionPane;

struct SelectionDialogHooks {
  SelectionPane* pane = nullptr;         // kept from drawing while the lists are refilled
  std::function<void()> savedChanged{};  // a selection was saved: the View > Saved menu follows
  void* parent = nullptr;                // the owner window
};

// Runs the dialog on the current selection. OK: the rows, filter and name shown become the current
// parameters and the selection is cut down to the highlighted members; true. Cancel: the
// parameters stay, the selection keeps what the select buttons did to it, no radio is current;
// false.
bool RunSelectionDialog(ProgramState& state, const SelectionDialogHooks& hooks);

// View > New: the dialog, then the first member becomes the current radio (OK only).
bool SelectNew(ProgramState& state, const SelectionDialogHooks& hooks);

}  // namespace korvel

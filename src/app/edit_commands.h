// The Edit menu's radio commands: Add, Modify (also for one radio from a right click), Copy, Delete
// and Update. Each goes through the radio notebook's work record (Update through its own dialog),
// keeps the collection in radio order and its pictures registered, and marks it changed.
#pragma once

#include <functional>

#include "app/program_state.h"
#include "app/radio_notebook.h"
#include "app/selection_dialog.h"

namespace korvel {

// What the commands need of the program's windows.
struct EditContext {
  ProgramState& state;
  RadioNotebook& notebook;
  SelectionDialogHooks selectionHooks;
  void* parent = nullptr;
  std::function<void(const RadioRecord*)> highlightInPane;
  std::function<void()> redrawView;
  // Rebuilds the pane from the current selection and draws it.
  std::function<void()> rebuildPane;
  // Takes every pane entry of a radio away (it is being deleted).
  std::function<void(const RadioRecord*)> forgetInPane;
};

// Edit > Add. True when a radio was added (it is then the current selection alone).
bool CommandAdd(EditContext& edit);
// Edit > Modify: the selection dialog, then each member. True when the current radio was modified.
bool CommandModify(EditContext& edit);
// One radio (command 209). True when it is the current radio.
bool ModifyRadio(EditContext& edit, RadioRecord& radio);
// Edit > Copy: each member of the chosen selection gives a new radio; the copies become the
// current selection.
void CommandCopy(EditContext& edit);
// Edit > Delete: each member of the chosen selection after a question.
void CommandDelete(EditContext& edit);
// Edit > Update: value, source of value and references of each member. True when the current
// radio was updated.
bool CommandUpdate(EditContext& edit);

}  // namespace korvel

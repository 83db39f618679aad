// Saved selections and the View > Saved menu that mirrors them.
#pragma once

#include <string>

#include "selection/selection.h"

namespace korvel {

// The part of the menu the saved selections use: items with command ids 310, 311, ...
class SavedMenu {
 public:
  virtual ~SavedMenu() = default;
  // Items under View > Saved; the menu starts with one, "<empty>" (id 310).
  virtual int ItemCount() const = 0;
  virtual void RenameItem(int id, const std::string& name) = 0;
  virtual void AppendItem(int id, const std::string& name) = 0;
};

// Saves the parameters under their name: an equal name is replaced in place, a new one goes in
// at its place in byte order. Refused with a warning beyond 30 saved selections. Gives the
// position, or -1.
int SaveSelection(SelectionState& state, const SelectionParameters& parameters);

// Brings the menu in line with the saved selections.
void RebuildSavedMenu(const SelectionState& state, SavedMenu& menu);

// Commands 310-339: the saved selection k is evaluated afresh and becomes the current parameters;
// the first member becomes the current radio. False for a k that holds nothing.
bool RecallSavedSelection(int k, const Collection& collection, SelectionState& state);

}  // namespace korvel

// The current selection, the selection stack and the saved selections: one instance per run,
// owned by the program's state and handed to the commands.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "collection/collection.h"
#include "collection/macro.h"

namespace korvel {

constexpr int kCriteriaRows = 4;
constexpr int kStackDepth = 10;
constexpr int kSavedSelectionLimit = 30;  // the View > Saved menu reaches commands 310 to 339
constexpr int kCommandSavedFirst = 310;

// What the selection dialog shows and the settings file keeps.
struct SelectionParameters {
  std::string name;
  const SelectionMacro* filter = nullptr;  // a macro of the collection, or none
  std::string filterName;                  // between reading the settings and resolving it
  std::array<Criterion, kCriteriaRows> rows{};

  SelectionParameters() {
    for (Criterion& row : rows) row.action = kActionNone;
  }
};

struct SelectionStack {
  std::array<std::unique_ptr<RadioList>, kStackDepth> selections;
  int depth = 0;
};

struct SelectionState {
  RadioList current;                    // the current selection, in radio order
  RadioRecord* currentRadio = nullptr;  // the radio on view, or none
  SelectionParameters parameters;       // the dialog's current rows and filter
  SelectionStack stack;
  std::vector<SelectionParameters> saved;  // ascending byte order of the names
};

// Makes the radio the current one, showing its main picture (none: no radio is current).
void SetCurrentRadio(SelectionState& state, RadioRecord* radio);
// The first member becomes the current radio, or none.
void ShowFirstMember(SelectionState& state);

// Empties the current selection and the stack (a new collection was loaded).
void ResetSelection(SelectionState& state);

// Removes every pointer to a radio that leaves the collection: current selection, stack selections,
// current radio.
void ForgetRadio(SelectionState& state, const RadioRecord* radio);

// After loading: the stored identifiers that exist become the current selection, the stored
// current radio becomes current (or none), the stored filter names are resolved by exact name.
void RestoreSelection(SelectionState& state, const Collection& collection, const std::vector<int>& ids,
                      int currentRadioId);
void ResolveSavedFilters(SelectionState& state, const Collection& collection);

// The macro named exactly so, or none (always none for an empty name: that is no filter).
const SelectionMacro* FindMacro(const Collection& collection, const std::string& name);

// The macros offered as filters: those before the first one whose name begins with "*".
std::vector<const SelectionMacro*> FilterList(const Collection& collection);

}  // namespace korvel

#include "selection/selection.h"

#include <unordered_map>

namespace korvel {

void SetCurrentRadio(SelectionState& state, RadioRecord* radio) {
  state.currentRadio = radio;
  if (radio != nullptr) radio->currentPicture = -1;
}

void ShowFirstMember(SelectionState& state) {
  SetCurrentRadio(state, state.current.Empty() ? nullptr : state.current[0]);
}

void ResetSelection(SelectionState& state) {
  state.current.Clear();
  state.currentRadio = nullptr;
  for (auto& slot : state.stack.selections) slot.reset();
  state.stack.depth = 0;
}

void ForgetRadio(SelectionState& state, const RadioRecord* radio) {
  state.current.Remove(radio);
  for (auto& slot : state.stack.selections) {
    if (slot) slot->Remove(radio);
  }
  if (state.currentRadio == radio) state.currentRadio = nullptr;
}

void RestoreSelection(SelectionState& state, const Collection& collection, const std::vector<int>& ids,
                      int currentRadioId) {
  std::unordered_map<int, RadioRecord*> byId;
  byId.reserve(collection.radios.Count());
  for (RadioRecord* r : collection.radios) byId.try_emplace(r->id, r);

  RadioList stored;
  for (int id : ids) {
    const auto it = byId.find(id);
    if (it != byId.end()) InsertRadio(collection.tables, it->second, stored);
  }
  state.current = std::move(stored);
  const auto current = byId.find(currentRadioId);
  SetCurrentRadio(state, current == byId.end() ? nullptr : current->second);
}

const SelectionMacro* FindMacro(const Collection& collection, const std::string& name) {
  // A selection saved without a filter stores an empty name; a data file may hold a macro whose
  // name is empty, which must not become every such selection's filter.
  if (name.empty()) return nullptr;
  for (const SelectionMacro& macro : collection.macros) {
    if (macro.name == name) return &macro;
  }
  return nullptr;
}

void ResolveSavedFilters(SelectionState& state, const Collection& collection) {
  for (SelectionParameters& saved : state.saved) saved.filter = FindMacro(collection, saved.filterName);
  state.parameters.filter = FindMacro(collection, state.parameters.filterName);
}

std::vector<const SelectionMacro*> FilterList(const Collection& collection) {
  std::vector<const SelectionMacro*> filters;
  for (const SelectionMacro& macro : collection.macros) {
    if (!macro.name.empty() && macro.name[0] == '*') break;
    filters.push_back(&macro);
  }
  return filters;
}

}  // namespace korvel

#include "selection/saved_selections.h"

#include "selection/criteria.h"
#include "util/message.h"

namespace korvel {

int SaveSelection(SelectionState& state, const SelectionParameters& parameters) {
  if (parameters.name.empty()) {
    ShowMessage(kWarning, kButtonsOk, "Please give the selection a name before saving it.");
    return -1;
  }
  auto& saved = state.saved;
  std::size_t at = 0;
  for (; at < saved.size(); ++at) {
    if (saved[at].name == parameters.name) {
      saved[at].filter = parameters.filter;
      saved[at].filterName = parameters.filter != nullptr ? parameters.filter->name : std::string();
      saved[at].rows = parameters.rows;
      return static_cast<int>(at);
    }
    if (saved[at].name > parameters.name) break;
  }
  // The menu reaches 30 saved selections: a 31st could never be recalled.
  if (saved.size() >= static_cast<std::size_t>(kSavedSelectionLimit)) {
    ShowMessage(kWarning, kButtonsOk, "No more than %d selections can be saved; \"%s\" was not saved.",
                kSavedSelectionLimit, parameters.name.c_str());
    return -1;
  }
  SelectionParameters record = parameters;
  record.filterName = parameters.filter != nullptr ? parameters.filter->name : std::string();
  saved.insert(saved.begin() + static_cast<std::ptrdiff_t>(at), std::move(record));
  return static_cast<int>(at);
}

void RebuildSavedMenu(const SelectionState& state, SavedMenu& menu) {
  for (std::size_t k = 0; k < state.saved.size(); ++k) {
    const int id = kCommandSavedFirst + static_cast<int>(k);
    if (menu.ItemCount() > static_cast<int>(k)) {
      menu.RenameItem(id, state.saved[k].name);
    } else {
      menu.AppendItem(id, state.saved[k].name);
    }
  }
}

bool RecallSavedSelection(int k, const Collection& collection, SelectionState& state) {
  if (k < 0 || k >= static_cast<int>(state.saved.size())) return false;
  SetCurrentRadio(state, nullptr);
  const SelectionParameters record = state.saved[k];
  EvaluateParameters(record, Evaluation::kFresh, collection, state);
  state.parameters = record;
  ShowFirstMember(state);
  return true;
}

}  // namespace korvel

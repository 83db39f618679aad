#include "app/selection_dialog.h"

#include <array>
#include <unordered_set>

#include "app/selection_pane.h"
#include "collection/money_totals.h"
#include "dal/dal.h"
#include "selection/criteria.h"
#include "selection/saved_selections.h"
#include "ui/dialogs/dialog_ids.h"
#include "util/alu_date.h"

namespace korvel {
namespace {

constexpr int kUserActions = 5;  // Add, And, None, Or, Subtract
constexpr const char* kNoFilter = "(No Filter)";

std::vector<std::string> Names(const char* (*name)(int), int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.emplace_back(name(i));
  return names;
}

bool IsDateField(int field) {
  return field == kFieldDateAcquired || field == kFieldDateDisposed || field == kFieldDateRestored;
}

bool IsTextField(int field) {
  return field == kFieldModel || field == kFieldTube;
}

// How a row's Value control shows and reads its field: a table's entries by position, a date
// text, a number, or free text.
struct ValueBinding {
  const std::vector<std::string>* items = nullptr;
  std::uint32_t flags = 0;
  DalVariable variable{};
};

ValueBinding BindingFor(const Collection& collection, Criterion& row) {
  const int kind = FieldTableKind(row.field);
  if (kind >= 0 && kind < static_cast<int>(collection.tables.size())) {
    return {&collection.tables[kind].entries, 0, &row.value};
  }
  if (IsDateField(row.field)) return {nullptr, DAL_DATE, &row.text};
  if (IsTextField(row.field)) return {nullptr, DAL_STRING, &row.text};
  return {nullptr, DAL_INT, &row.value};
}

class SelectionDialog {
 public:
  SelectionDialog(ProgramState& state, const SelectionDialogHooks& hooks)
      : state_(state), hooks_(hooks), shown_(state.selection.parameters) {
    filters_ = FilterList(state.collection);
    filterItems_.push_back(kNoFilter);
    for (const SelectionMacro* macro : filters_) filterItems_.push_back(macro->name);
    for (std::size_t i = 0; i < filters_.size(); ++i) {
      if (filters_[i] == shown_.filter) filterChoice_ = static_cast<std::int32_t>(i + 1);
    }
    name_ = shown_.name;
    BuildFields();
  }

  int Run() {
    // Keep/Select and Clear/Select change the selection while the dialog is open; Cancel takes
    // back what they did, so that the pane and the selection agree again.
    const RadioList before = state_.selection.current;
    const int result = DalRunDialog(dialog_, hooks_.parent);
    if (result == 1) {
      FinishRows();
      shown_.name = name_;
      state_.selection.parameters = shown_;
      KeepHighlighted(finalHighlight_);
    } else {
      state_.selection.current = before;
    }
    return result;
  }

 private:
  Criterion& Row(int i) { return shown_.rows[static_cast<std::size_t>(i)]; }
  DalFieldInfo* Field(int id) { return DalFindField(id, dialog_); }

  void BuildFields() {
    std::vector<DalFieldInfo>& fields = dialog_.fields;
    fields.reserve(4 * kCriteriaRows + 12);
    for (int i = 0; i < kCriteriaRows; ++i) {
      Criterion& row = Row(i);
      if (row.action < 0 || row.action >= kUserActions) row.action = kActionNone;
      fields.push_back({.kind = kDalCombo,
                        .controlId = SelectActionId(i),
                        .value = &row.action,
                        .items = &actions_,
                        .change = [this, i](DalFieldInfo& f) { ActionChanged(i, f); }});
      fields.push_back({.kind = kDalCombo,
                        .controlId = SelectFieldId(i),
                        .value = &row.field,
                        .items = &fieldNames_,
                        .change = [this, i](DalFieldInfo& f) { FieldChanged(i, f); }});
      fields.push_back({.kind = kDalCombo,
                        .controlId = SelectRelationId(i),
                        .value = &row.relation,
                        .items = &relations_});
      const ValueBinding binding = BindingFor(state_.collection, row);
      boundField_[static_cast<std::size_t>(i)] = row.field;
      fields.push_back({.kind = kDalCombo,
                        .controlId = SelectValueId(i),
                        .value = binding.variable,
                        .flags = binding.flags,
                        .items = binding.items});
    }
    fields.push_back(
        {.kind = kDalCombo, .controlId = kIdSelectFilter, .value = &filterChoice_, .items = &filterItems_});
    fields.push_back(
        {.kind = kDalEdit, .controlId = kIdSelectCount, .value = &count_, .flags = DAL_INT | DAL_NO_READ});
    fields.push_back({.kind = kDalEdit,
                      .controlId = kIdSelectTotals,
                      .value = &totals_,
                      .flags = DAL_STRING | DAL_NO_READ});
    fields.push_back(
        {.kind = kDalList,
         .controlId = kIdSelectRadios,
         .flags = DAL_SCROLL_NOTIFY,
         .fill = [this](DalFieldInfo&) { return FillLists(); },
         .read = [this](DalFieldInfo&) { finalHighlight_ = Highlighted(); },
         .change = [this](DalFieldInfo&) { CopyHighlights(kIdSelectRadios, kIdSelectPictures); }});
    fields.push_back(
        {.kind = kDalList,
         .controlId = kIdSelectPictures,
         .flags = DAL_PICTURES | DAL_SCROLL_NOTIFY,
         .itemHeight = kSelectPictureHeight,
         .fill = [](DalFieldInfo&) { return true; },
         .read = [](DalFieldInfo&) {},
         .change = [this](DalFieldInfo&) { CopyHighlights(kIdSelectPictures, kIdSelectRadios); }});
    auto button = [&](int id, std::function<void()> action) {
      fields.push_back(
          {.kind = kDalButton, .controlId = id, .change = [action](DalFieldInfo&) { action(); }});
    };
    button(kIdSelectKeep, [this] { Evaluate(Evaluation::kKeep); });
    button(kIdSelectClear, [this] { Evaluate(Evaluation::kFresh); });
    button(kIdSelectDiscardAll, [this] { HighlightAll(false); });
    button(kIdSelectKeepAll, [this] { HighlightAll(true); });
    button(kIdSelectSave, [this] { Save(); });
    fields.push_back({.kind = kDalEdit, .controlId = kIdSelectName, .value = &name_, .flags = DAL_STRING});
    // Once every control is filled: rows whose action is None are switched off.
    fields.push_back({.kind = kDalNoControl, .fill = [this](DalFieldInfo&) {
                        for (int i = 0; i < kCriteriaRows; ++i) EnableRow(i, Row(i).action != kActionNone);
                        return true;
                      }});
  }

  void EnableRow(int i, bool on) {
    for (int id : {SelectFieldId(i), SelectRelationId(i), SelectValueId(i)}) {
      if (DalFieldInfo* f = Field(id)) DalEnableField(*f, on);
    }
  }

  void ActionChanged(int i, DalFieldInfo& field) {
    DalReadField(field);
    EnableRow(i, Row(i).action != kActionNone);
  }

  void FieldChanged(int i, DalFieldInfo& field) {
    DalReadField(field);
    const std::size_t k = static_cast<std::size_t>(i);
    if (Row(i).field == boundField_[k]) return;
    boundField_[k] = Row(i).field;
    // The value word stays as it was; only the control follows the new field.
    const ValueBinding binding = BindingFor(state_.collection, Row(i));
    if (DalFieldInfo* value = Field(SelectValueId(i))) {
      DalResetComboField(*value, binding.items, binding.flags, binding.variable);
    }
  }

  // The rows and the filter as the controls show them (rows switched off are not read). False when
  // a value was refused: the user has been told and nothing is selected until it is mended.
  bool ReadShown() {
    bool refused = false;
    for (int i = 0; i < kCriteriaRows; ++i) {
      for (int id : {SelectActionId(i), SelectFieldId(i), SelectRelationId(i), SelectValueId(i)}) {
        if (DalFieldInfo* f = Field(id); f != nullptr && !DalReadField(*f) && (f->state & kDalRefused)) {
          refused = true;
        }
      }
    }
    if (DalFieldInfo* f = Field(kIdSelectFilter)) DalReadField(*f);
    FinishRows();
    return !refused;
  }

  // Dates become their numbers (0, which matches nothing, when they are not dates); the texts of
  // Model and Tube rows are what the criterion tests.
  void FinishRows() {
    for (int i = 0; i < kCriteriaRows; ++i) {
      Criterion& row = Row(i);
      if (IsDateField(row.field)) {
        row.value = AluDateNumber(row.text);
        row.hasText = !row.text.empty();
      } else if (IsTextField(row.field)) {
        row.hasText = !row.text.empty();
      } else {
        row.text.clear();
        row.hasText = false;
      }
    }
    const std::size_t choice = static_cast<std::size_t>(filterChoice_);
    shown_.filter = choice >= 1 && choice <= filters_.size() ? filters_[choice - 1] : nullptr;
    shown_.filterName = shown_.filter != nullptr ? shown_.filter->name : std::string();
  }

  std::vector<bool> Highlighted() {
    std::vector<bool> on(members_.size(), false);
    DalFieldInfo* list = Field(kIdSelectRadios);
    for (std::size_t i = 0; list != nullptr && i < members_.size(); ++i) {
      const auto item = DalGetListItem(*list, static_cast<int>(i));
      on[i] = item && item->selected;
    }
    return on;
  }

  void KeepHighlighted(const std::vector<bool>& on) {
    std::unordered_set<const RadioRecord*> kept;
    for (std::size_t i = 0; i < members_.size() && i < on.size(); ++i) {
      if (on[i]) kept.insert(members_[i]);
    }
    state_.selection.current.KeepOnly([&](const RadioRecord* r) { return kept.count(r) != 0; });
  }

  void Evaluate(Evaluation mode) {
    if (!ReadShown()) return;
    std::unordered_set<const RadioRecord*> kept;
    if (mode == Evaluation::kKeep) {
      const std::vector<bool> on = Highlighted();
      for (std::size_t i = 0; i < members_.size(); ++i) {
        if (on[i]) kept.insert(members_[i]);
      }
    }
    EvaluateParameters(shown_, mode, state_.collection, state_.selection,
                       [&](const RadioRecord* r) { return kept.count(r) != 0; });
    FillLists();
  }

  // Both lists from the current selection, every entry highlighted, and the count.
  bool FillLists() {
    DalFieldInfo* text = Field(kIdSelectRadios);
    DalFieldInfo* pictures = Field(kIdSelectPictures);
    if (text == nullptr || pictures == nullptr) return false;
    if (hooks_.pane != nullptr) hooks_.pane->filling = true;
    copying_ = true;
    DalClearListItems(*text);
    DalClearListItems(*pictures);
    members_.assign(state_.selection.current.Records().begin(), state_.selection.current.Records().end());
    std::int64_t position = 0;
    for (const RadioRecord* radio : members_) {
      // A plain list shows the "file name" it is given: here the member's line.
      DalAddListItem(*text, {}, MemberText(state_.collection, *radio), position, false);
      // Relative to the data directory, which the picture drawer knows.
      DalAddListItem(*pictures, {}, radio->thumbnailFile, position, false);
      ++position;
    }
    if (!members_.empty()) {
      const int last = static_cast<int>(members_.size()) - 1;
      DalSelectListItemRange(*text, 0, last, true);
      DalSelectListItemRange(*pictures, 0, last, true);
    }
    copying_ = false;
    if (hooks_.pane != nullptr) hooks_.pane->filling = false;
    count_ = static_cast<std::int32_t>(members_.size());
    if (DalFieldInfo* count = Field(kIdSelectCount)) DalSetField(*count);
    totals_ = MoneyTotalsText(SumMoney(members_));
    if (DalFieldInfo* totals = Field(kIdSelectTotals)) DalSetField(*totals);
    return true;
  }

  void CopyHighlights(int from, int to) {
    if (copying_) return;
    DalControl* source = DalFindControl(dialog_, from);
    DalControl* target = DalFindControl(dialog_, to);
    if (source == nullptr || target == nullptr) return;
    copying_ = true;
    // Runs of items whose highlight differs are copied a run at a time.
    const int count = std::min(source->ItemCount(), target->ItemCount());
    for (int i = 0; i < count;) {
      const bool on = source->IsItemSelected(i);
      if (target->IsItemSelected(i) == on) {
        ++i;
        continue;
      }
      int last = i;
      while (last + 1 < count && source->IsItemSelected(last + 1) == on &&
             target->IsItemSelected(last + 1) != on) {
        ++last;
      }
      target->SelectItemRange(i, last, on);
      i = last + 1;
    }
    target->SetTopItem(source->TopItem());
    copying_ = false;
  }

  void HighlightAll(bool on) {
    copying_ = true;
    for (int id : {kIdSelectRadios, kIdSelectPictures}) {
      DalFieldInfo* list = Field(id);
      if (list != nullptr && !members_.empty()) {
        DalSelectListItemRange(*list, 0, static_cast<int>(members_.size()) - 1, on);
      }
    }
    copying_ = false;
  }

  void Save() {
    if (!ReadShown()) return;
    if (DalFieldInfo* name = Field(kIdSelectName)) DalReadField(*name);
    SelectionParameters saved = shown_;
    saved.name = name_;
    if (SaveSelection(state_.selection, saved) >= 0 && hooks_.savedChanged) hooks_.savedChanged();
  }

  ProgramState& state_;
  SelectionDialogHooks hooks_;
  SelectionParameters shown_;
  const std::vector<std::string> actions_ = Names(ActionName, kUserActions);
  const std::vector<std::string> fieldNames_ = Names(FieldName, kFieldCount);
  const std::vector<std::string> relations_ = Names(RelationName, kRelationCount);
  std::array<int, kCriteriaRows> boundField_{};
  std::vector<const SelectionMacro*> filters_;
  std::vector<std::string> filterItems_;
  std::int32_t filterChoice_ = 0;
  std::int32_t count_ = 0;
  std::string name_;
  std::vector<RadioRecord*> members_;  // list position -> radio, as last filled
  std::string totals_;
  std::vector<bool> finalHighlight_;
  bool copying_ = false;
  DalDialog dialog_{.templateId = kDialogSelectRadios, .mode = kDalModal};
};

}  // namespace

bool RunSelectionDialog(ProgramState& state, const SelectionDialogHooks& hooks) {
  SelectionDialog dialog(state, hooks);
  const bool ok = dialog.Run() == 1;
  if (!ok) SetCurrentRadio(state.selection, nullptr);
  return ok;
}

bool SelectNew(ProgramState& state, const SelectionDialogHooks& hooks) {
  if (!RunSelectionDialog(state, hooks)) return false;
  ShowFirstMember(state.selection);
  return true;
}

}  // namespace korvel

#include "app/table_insert.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/field_checks.h"
#include "collection/radio_ops.h"
#include "collection/storable_text.h"
#include "dal/dal.h"
#include "selection/table_positions.h"
#include "ui/dialogs/dialog_ids.h"
#include "util/alu_string.h"
#include "util/message.h"

namespace korvel {
namespace {

struct InsertValues {
  std::int32_t kind = kTableBrandName;
  std::string entry;
  std::string extra;
};

std::vector<std::string> ChooserNames() {
  std::vector<std::string> names;
  for (int kind = 0; kind < kTableKindCount; ++kind) names.emplace_back(TableChooserName(kind));
  return names;
}

// The new entry must fit its line at the place it would take: checked while the dialog is open.
bool CheckNewEntry(DalDialog& dialog, const Collection& collection) {
  if (!CheckDialogFields(dialog)) return false;
  DalControl* table = DalFindControl(dialog, kIdTableName);
  DalControl* entry = DalFindControl(dialog, kIdNewEntry);
  if (table == nullptr || entry == nullptr) return true;
  const int kind = table->CurrentItem();
  if (!IsTableKind(kind) || IsBuiltInTable(kind)) return true;
  std::string text = entry->Text();
  AluCapitalizeWords(text);
  if (text.empty()) return true;
  const std::vector<std::string>& entries = collection.tables[kind].entries;
  const int position =
      static_cast<int>(std::lower_bound(entries.begin(), entries.end(), text) - entries.begin());
  const std::string problem = TableEntryProblem(text, position);
  if (problem.empty()) return true;
  ShowMessage(kWarning, kButtonsOk, "%s: %s", FieldLabel(dialog.templateId, kIdNewEntry).c_str(),
              problem.c_str());
  entry->SetFocus();
  return false;
}

// Read back at OK: an entry that cannot be inserted keeps the dialog open with what was typed.
bool Acceptable(const InsertValues& values, const Collection& collection, int& manufacturer) {
  const int kind = values.kind;
  const auto refuse = [](MessageSeverity severity, const char* text) {
    ShowMessage(severity, kButtonsOk, "%s", text);
    return false;
  };
  if (!IsTableKind(kind) || IsBuiltInTable(kind)) return refuse(kError, "cannot alter this table.");
  if (kind == kTableBrandName) {
    if (values.entry.empty()) return refuse(kError, "You didn't specify a new entry.");
    const TableMatch match = FindTableEntry(values.extra, collection.tables[kTableManufacturer]);
    if (values.extra.empty() || !match.found)
      return refuse(kError, "You must specify a default manufacturer.");
    manufacturer = match.position;
  }
  const std::vector<std::string>& entries = collection.tables[kind].entries;
  if (!values.entry.empty() && std::find(entries.begin(), entries.end(), values.entry) != entries.end())
    return refuse(kWarning, "this entry already present.");
  return true;
}

}  // namespace

TableInsertion CommandTableInsert(ProgramState& state, RadioNotebook& notebook, void* parent) {
  Collection& collection = state.collection;
  static const std::vector<std::string> names = ChooserNames();
  InsertValues values;
  DalDialog dialog;
  dialog.templateId = kDialogInsertTableItem;
  dialog.mode = kDalModal;
  dialog.validate = [&collection](DalDialog& d) { return CheckNewEntry(d, collection); };
  dialog.fields = {
      {.kind = kDalCombo, .controlId = kIdTableName, .value = &values.kind, .items = &names},
      {.kind = kDalEdit,
       .controlId = kIdNewEntry,
       .value = &values.entry,
       .flags = DAL_STRING | DAL_CAPITALIZE},
      {.kind = kDalEdit,
       .controlId = kIdExtraInformation,
       .value = &values.extra,
       .flags = DAL_STRING | DAL_CAPITALIZE},
  };
  int manufacturer = 0;
  dialog.accept = [&](DalDialog&) { return Acceptable(values, collection, manufacturer); };
  if (DalRunDialog(dialog, parent) != 1) return {};
  if (values.entry.empty()) return {};  // an empty entry ends the command quietly
  const int kind = values.kind;
  const int position = AddTableEntry(collection, kind, values.entry, manufacturer);
  if (position < 0) return {};
  // The selections name radios by these positions too: "Catalin sets" must not become Bakelite ones.
  RenumberCriteria(state.selection, collection.macros, kind, position);
  notebook.TableEntryInserted(kind, position);
  return {kind, position};
}

}  // namespace korvel

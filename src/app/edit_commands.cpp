#include "app/edit_commands.h"

#include <memory>
#include <new>
#include <vector>

#include "app/field_checks.h"
#include "collection/radio_ops.h"
#include "dal/dal.h"
#include "pictures/picture_files.h"
#include "pictures/picture_registration.h"
#include "ui/dialogs/dialog_ids.h"
#include "util/message.h"

namespace korvel {
namespace {

// A record whose sort fields were edited goes back to its place in every list that holds it, so
// that the lists stay in radio order.
void Reorder(ProgramState& state, RadioRecord* radio) {
  const TableSet& tables = state.collection.tables;
  const auto reinsert = [&](RadioList& list) {
    if (list.Remove(radio)) InsertRadio(tables, radio, list);
  };
  reinsert(state.collection.radios);
  reinsert(state.selection.current);
  for (auto& slot : state.selection.stack.selections) {
    if (slot) reinsert(*slot);
  }
}

// The members the selection dialog leaves, or nothing when it was cancelled.
bool ChooseRadios(EditContext& edit, std::vector<RadioRecord*>& members) {
  const bool chosen = RunSelectionDialog(edit.state, edit.selectionHooks);
  edit.rebuildPane();
  if (!chosen) {
    edit.redrawView();
    return false;
  }
  members = edit.state.selection.current.Records();
  return true;
}

std::unique_ptr<RadioRecord> NewRecordFrom(const RadioRecord& work) {
  try {
    auto record = std::make_unique<RadioRecord>();
    CopyRadio(work, *record);
    return record;
  } catch (const std::bad_alloc&) {
    ShowMessage(kError, kButtonsOk, "'AluMalloc' failure in 'CommandAdd'.");
    return nullptr;
  }
}

// The values of the Update dialog beside the work record.
struct UpdateValues {
  std::int32_t value = 0;
  std::string source;
  std::int32_t page = 0;
};

// A new value or page means nothing without the source it came from: OK asks for it and the dialog
// stays open with everything typed.
bool UpdateHasSource(DalDialog& dialog, const UpdateValues& updated, std::int32_t oldValue) {
  if (!updated.source.empty() || (updated.value == oldValue && updated.page <= 0)) return true;
  ShowMessage(kWarning, kButtonsOk, "Please enter the Updated Source of the new value or page.");
  if (DalControl* source = DalFindControl(dialog, kIdUpdatedSource)) source->SetFocus();
  return false;
}

DalDialog UpdateDialog(ProgramState& state, RadioRecord& work, UpdateValues& updated) {
  DalDialog dialog;
  dialog.templateId = kDialogUpdateRadio;
  dialog.mode = kDalModal;
  dialog.validate = [](DalDialog& d) { return CheckDialogFields(d); };
  dialog.accept = [&updated, oldValue = updated.value](DalDialog& d) {
    return UpdateHasSource(d, updated, oldValue);
  };
  dialog.fields = {
      {.kind = kDalCombo,
       .controlId = kIdUpdateBrand,
       .value = &work.brand,
       .items = &state.collection.tables[kTableBrandName].entries},
      {.kind = kDalEdit,
       .controlId = kIdUpdateModel,
       .value = &work.model,
       .flags = DAL_STRING | DAL_CAPITALIZE},
      {.kind = kDalEdit, .controlId = kIdUpdateValue, .value = &work.value, .flags = DAL_INT},
      {.kind = kDalEdit, .controlId = kIdUpdateSource, .value = &work.sourceOfValue, .flags = DAL_STRING},
      {.kind = kDalEdit, .controlId = kIdUpdateReferences, .value = &work.references, .flags = DAL_STRING},
      {.kind = kDalEdit, .controlId = kIdUpdatedValue, .value = &updated.value, .flags = DAL_INT},
      {.kind = kDalEdit, .controlId = kIdUpdatedSource, .value = &updated.source, .flags = DAL_STRING},
      {.kind = kDalEdit, .controlId = kIdUpdatedPage, .value = &updated.page, .flags = DAL_INT},
  };
  return dialog;
}

}  // namespace

bool CommandAdd(EditContext& edit) {
  Collection& collection = edit.state.collection;
  RadioRecord& work = edit.notebook.work();
  ReleaseRadio(work);
  SetNewRadioDefaults(collection, work);
  work.currentPicture = -1;
  work.id = collection.nextId++;
  edit.notebook.adding = true;
  const bool ok = edit.notebook.Run(edit.parent);
  edit.notebook.adding = false;
  if (!ok) return false;

  std::unique_ptr<RadioRecord> record = NewRecordFrom(work);
  ReleaseRadio(work);
  if (record == nullptr) return false;
  RadioRecord* radio = AddRadio(collection, std::move(record));
  if (radio == nullptr) return false;
  SelectionState& selection = edit.state.selection;
  selection.current.Clear();
  InsertRadio(collection.tables, radio, selection.current);
  SetCurrentRadio(selection, radio);

  CheckPictureNames(edit.state.registry, *radio, true);
  // Every picture is registered at once, extra ones included, as after loading.
  RegisterRadioPictures(edit.state.registry, *radio);
  collection.changed = true;
  return true;
}

bool ModifyRadio(EditContext& edit, RadioRecord& radio) {
  const RememberedPictures before = RememberRadioPictures(radio);
  RadioRecord& work = edit.notebook.work();
  CopyRadio(radio, work);
  edit.highlightInPane(&radio);
  edit.notebook.adding = false;
  if (!edit.notebook.Run(edit.parent)) return false;
  if (!PrepareRadioChange(edit.state.collection, radio)) return false;

  edit.state.collection.changed = true;
  ReleaseRadio(radio);
  CopyRadio(work, radio);
  ReleaseRadio(work);
  ReregisterPictures(edit.state.registry, radio, before);
  Reorder(edit.state, &radio);
  return &radio == edit.state.selection.currentRadio;
}

bool CommandModify(EditContext& edit) {
  std::vector<RadioRecord*> members;
  if (!ChooseRadios(edit, members)) return false;
  bool current = false;
  for (RadioRecord* radio : members) {
    if (ModifyRadio(edit, *radio)) current = true;
  }
  return current;
}

void CommandCopy(EditContext& edit) {
  std::vector<RadioRecord*> members;
  if (!ChooseRadios(edit, members)) return;
  Collection& collection = edit.state.collection;
  RadioRecord& work = edit.notebook.work();
  RadioList copies;
  for (RadioRecord* member : members) {
    CopyRadio(*member, work);
    // The copy owns no registration of the member's.
    ForgetPictureHandles(work);
    work.id = collection.nextId++;
    edit.highlightInPane(member);
    for (int i = 0; i < work.extraPictureFiles.HeldCount(); ++i) work.extraPictureFiles[i].clear();
    work.extraPictureCount = 0;
    CheckPictureNames(edit.state.registry, work, false);
    const RememberedPictures before = RememberRadioPictures(*member);
    edit.notebook.adding = false;
    if (!edit.notebook.Run(edit.parent)) continue;

    std::unique_ptr<RadioRecord> record = NewRecordFrom(work);
    ReleaseRadio(work);
    if (record == nullptr) continue;
    RadioRecord* copy = AddRadio(collection, std::move(record));
    if (copy == nullptr) continue;
    InsertRadio(collection.tables, copy, copies);
    ReregisterPictures(edit.state.registry, *copy, before);
    collection.changed = true;
  }
  // Only copies that were made replace the selection: cancelling every one keeps what was chosen.
  if (!copies.Empty()) {
    edit.state.selection.current = copies;
    SetCurrentRadio(edit.state.selection, copies[0]);
  }
  edit.rebuildPane();
  edit.redrawView();
}

void CommandDelete(EditContext& edit) {
  std::vector<RadioRecord*> members;
  if (!ChooseRadios(edit, members)) return;
  ProgramState& state = edit.state;
  for (RadioRecord* radio : members) {
    // The question is about the radio on view, whatever the view showed before (a graph, the
    // inventory, the list).
    SetCurrentRadio(state.selection, radio);
    radio->currentPicture = -1;
    state.viewMode = kViewDescription;
    edit.redrawView();
    if (ShowMessage(kWarning, kButtonsYesNo, "Are you sure you want to delete this radio?") != kAnswerYes) {
      continue;
    }
    if (state.collection.radios.IndexOf(radio) < 0) {
      ShowMessage(kWarning, kButtonsOk, "The radio was not deleted.");
      continue;
    }
    // Nothing may point at the record once it is gone: selections, the stack, the pane.
    ForgetRadio(state.selection, radio);
    edit.forgetInPane(radio);
    ReleaseRadioPictures(state.registry, *radio);
    DeleteRadio(state.collection, radio);
    state.collection.changed = true;
  }
  state.selection.current.Clear();
  SetCurrentRadio(state.selection, nullptr);
  state.viewMode = kViewDescription;
  edit.redrawView();
  edit.rebuildPane();
}

bool CommandUpdate(EditContext& edit) {
  std::vector<RadioRecord*> members;
  if (!ChooseRadios(edit, members)) return false;
  ProgramState& state = edit.state;
  RadioRecord& work = edit.notebook.work();
  bool current = false;
  for (RadioRecord* radio : members) {
    CopyRadio(*radio, work);
    edit.highlightInPane(radio);
    UpdateValues updated;
    updated.value = radio->value;
    DalDialog dialog = UpdateDialog(state, work, updated);
    if (DalRunDialog(dialog, edit.parent) != 1) continue;
    if (!PrepareRadioChange(state.collection, *radio)) continue;

    state.collection.changed = true;
    ReleaseRadio(*radio);
    CopyRadio(work, *radio);
    ReleaseRadio(work);
    if (!updated.source.empty()) {
      radio->sourceOfValue = updated.source;
      radio->value = updated.value;
    }
    if (updated.page > 0) {
      if (!radio->references.empty()) radio->references += "; ";
      radio->references += updated.source + ", page " + std::to_string(updated.page);
    }
    Reorder(state, radio);
    if (radio == state.selection.currentRadio) current = true;
  }
  return current;
}

}  // namespace korvel

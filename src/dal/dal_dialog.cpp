#include "dal/dal_dialog.h"

#include <memory>
#include <string>

#include "dal/dal_fields.h"
#include "dal/dal_internal.h"
#include "dal/dal_lists.h"
#include "dal/dal_script.h"

namespace korvel {
namespace {

DalHost* installedHost = nullptr;

bool CountsAsChange(const DalFieldInfo& field, DalEvent event) {
  switch (field.kind) {
    case kDalCombo:
      return event == DalEvent::kTextChanged || event == DalEvent::kItemChosen;
    case kDalCheck:
    case kDalButton:
      return event == DalEvent::kClicked;
    case kDalEdit:
      return event == DalEvent::kTextChanged;
    case kDalList:
      return event == DalEvent::kSelectionChanged || event == DalEvent::kActivated ||
             (event == DalEvent::kScrolled && (field.flags & DAL_SCROLL_NOTIFY));
    default:
      return false;
  }
}

void FillItems(DalFieldInfo& field) {
  const bool listKind = field.kind == kDalList || field.kind == kDalPlainList;
  if (field.items == nullptr || (field.kind != kDalCombo && !listKind)) return;
  DalControl* control = DalFieldControl(field);
  if (control == nullptr) return;
  std::int64_t position = 0;
  for (const std::string& item : *field.items) {
    if (field.kind == kDalList && (field.flags & DAL_PICTURES)) {
      DalAddListItem(field, item, item, position, true);
    } else {
      control->AddItem(item, position);
    }
    ++position;
  }
}

void EndRun(DalDialog& dialog, int result) {
  dialog.mode &= ~kDalRunning;
  dialog.mode |= result == 1 ? kDalEndedOk : kDalEndedCancel;
  dialog.window->End(result);
}

}  // namespace

namespace dal {

bool OpenDialog(DalDialog& dialog, DalWindow& window) {
  dialog.window = &window;
  for (DalFieldInfo& field : TableOf(dialog)) DalSetFieldNotify(field, false);
  const bool filled = DalFillDialog(dialog, true, true);
  for (DalFieldInfo& field : TableOf(dialog)) DalSetFieldNotify(field, true);
  return filled;
}

void CloseDialog(DalDialog& dialog) {
  // Picture items belong to a control that is gone; the next run adds its own.
  for (DalFieldInfo& field : TableOf(dialog)) field.ownedItems.clear();
  dialog.window = nullptr;
}

}  // namespace dal

void DalSetHost(DalHost* host) {
  installedHost = host;
}

DalHost* DalGetHost() {
  return installedHost;
}

bool DalFillDialog(DalDialog& dialog, bool fillLists, bool setValues) {
  bool filled = true;
  for (DalFieldInfo& field : dal::TableOf(dialog)) {
    if (field.flags & DAL_SCROLL_NOTIFY) {
      if (DalControl* control = DalFieldControl(field)) control->WatchScrolling();
    }
    if (field.flags & DAL_NO_FILL) continue;
    if (field.fill) {
      if (!field.fill(field)) filled = false;
      continue;
    }
    if (fillLists) FillItems(field);
    if (setValues && DalApplyEnableRule(field) && DalHasVariable(field.value)) DalSetField(field);
  }
  return filled;
}

namespace dal {

bool AnyFieldRefused(DalDialog& dialog) {
  for (const DalFieldInfo& field : TableOf(dialog)) {
    if (field.state & kDalRefused) return true;
  }
  return false;
}

}  // namespace dal

bool DalReadDialog(DalDialog& dialog) {
  bool read = true;
  for (DalFieldInfo& field : dal::TableOf(dialog)) {
    field.state &= ~kDalRefused;
    if (field.flags & DAL_NO_READ) continue;
    if (field.read) {
      field.read(field);
      continue;
    }
    // Disabled fields keep what their variables held.
    if (DalApplyEnableRule(field) && DalHasVariable(field.value) && !DalReadField(field)) read = false;
  }
  return read;
}

void DalNotify(DalDialog& dialog, int controlId, DalEvent event) {
  if (dialog.window == nullptr) return;
  const bool ending = controlId == kDalIdOk || controlId == kDalIdCancel;
  if (ending && event == DalEvent::kClicked && (dialog.mode & kDalRunning)) {
    if (controlId == kDalIdOk && dialog.validate && !dialog.validate(dialog)) return;
    // The dialog closes even when a field did not convert (the field has said why), except when a
    // field refused its text outright: then the user mends it first.
    if (controlId == kDalIdOk) {
      if (!DalReadDialog(dialog) && dal::AnyFieldRefused(dialog)) return;
      if (dialog.accept && !dialog.accept(dialog)) return;
    }
    EndRun(dialog, controlId == kDalIdOk ? 1 : 0);
    return;
  }
  DalFieldInfo* field = DalFindField(controlId, dialog);
  if (field == nullptr || !CountsAsChange(*field, event)) return;
  if (field->change && (field->state & kDalNotifyOn)) field->change(*field);
  if (DalApplyEnableRule(*field) && (field->flags & DAL_DATE)) {
    if (DalControl* control = DalFieldControl(*field)) {
      std::string text = control->Text();
      DalCheckDate(text);  // only to warn at once; nothing is stored before OK
    }
  }
}

int DalRunDialog(DalDialog& dialog, void* parent) {
  if (!dal::EnsureIndex(dialog)) return -1;
  DalHost* host = DalGetHost();
  if (dialog.window != nullptr || host == nullptr) return -1;
  std::unique_ptr<DalWindow> window = host->CreateDialogWindow(dialog, parent);
  if (!window) return -1;
  dialog.mode = (dialog.mode & ~(kDalEndedOk | kDalEndedCancel)) | kDalRunning;
  dal::OpenDialog(dialog, *window);
  if (DalPendingScripts() > 0) {
    dal::PlayDialogScript(dialog);
  } else {
    host->RunDialogWindow(*window, !(dialog.mode & kDalModeless));
  }
  dialog.mode &= ~kDalRunning;
  dal::CloseDialog(dialog);
  window.reset();
  if (dialog.mode & kDalEndedOk) return 1;
  if (dialog.mode & kDalEndedCancel) return 0;
  return -1;
}

}  // namespace korvel

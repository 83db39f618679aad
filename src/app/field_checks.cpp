#include "app/field_checks.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "collection/storable_text.h"
#include "dal/dal.h"
#include "pictures/picture_registry.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui/dialogs/dialog_template.h"
#include "util/alu_date.h"
#include "util/message.h"

namespace korvel {
namespace {

const ControlTemplate* FindControl(int templateId, int controlId) {
  const DialogTemplate* dialog = FindDialogTemplate(templateId);
  if (dialog == nullptr) return nullptr;
  for (const ControlTemplate& control : dialog->controls) {
    if (control.id == controlId && control.kind != TemplateControl::kLabel) return &control;
  }
  return nullptr;
}

bool IsTubeText(int controlId) {
  return controlId >= TubeTextId(0) && controlId <= TubeTextId(kTubeRows - 1) &&
         (controlId - TubeTextId(0)) % 2 == 0;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// Why the field's text cannot be taken, or nothing.
// A picture name is opened under the data directory: one leading out of it is never stored.
std::string PictureNameProblem(const DalFieldInfo& field, const std::string& text) {
  if (field.controlId != kIdPictureFile && field.controlId != kIdSnapshotFile &&
      field.controlId != kIdExtraPictureFiles)
    return {};
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end =
        field.kind == kDalMultiPart ? std::min(text.find(',', start), text.size()) : text.size();
    if (!PictureNameStaysInside(Trimmed(std::string_view(text).substr(start, end - start)))) {
      return "A picture name is a file under the data directory: it cannot start with '\\' or '/', hold a "
             "drive such as 'C:', or go up with '..'.";
    }
    start = end + 1;
  }
  return {};
}

std::string Problem(const DalFieldInfo& field, const std::string& text, int templateId) {
  if (std::string picture = PictureNameProblem(field, text); !picture.empty()) return picture;
  if (field.kind == kDalMultiPart) return StorageProblem(text, StoredText::kLine);
  if (field.kind != kDalEdit && !(field.kind == kDalCombo && field.items == nullptr)) return {};
  if (field.flags & DAL_INT) return WholeNumberProblem(text);
  if (field.flags & DAL_DATE) {
    std::string date(Trimmed(text));
    if (date.empty() || AluParseDate(date) != 0) return StorageProblem(text, StoredText::kLine);
    return "This is not a date: write it as 'ddMmmyy' or 'ddMmmyyyy', for example 05Mar1951.";
  }
  if (!(field.flags & DAL_STRING)) return {};
  if (IsTubeText(field.controlId)) return StorageProblem(text, StoredText::kTubeType);
  const ControlTemplate* control = FindControl(templateId, field.controlId);
  const bool longText = control != nullptr && control->kind == TemplateControl::kMultiLineEdit;
  return StorageProblem(text, longText ? StoredText::kLongText : StoredText::kLine);
}

}  // namespace

std::string WholeNumberProblem(std::string_view text) {
  const std::string_view number = Trimmed(text);
  std::int32_t value = 0;
  const char* first = number.data();
  const char* last = number.data() + number.size();
  if (!number.empty() && number.front() == '+') ++first;
  const auto [end, error] = std::from_chars(first, last, value);
  if (number.empty() || error == std::errc::result_out_of_range) {
    return "Please enter a whole number, for example 25.";
  }
  if (error != std::errc() || end != last) return "Please enter a whole number, for example 25.";
  return {};
}

std::string FieldLabel(int templateId, int controlId) {
  const ControlTemplate* control = FindControl(templateId, controlId);
  std::string label = control != nullptr ? control->label : "";
  for (int row = 0; row < kTubeRows; ++row) {
    if (controlId == TubeTextId(row) || controlId == TubeFunctionId(row))
      label.append(" ").append(std::to_string(row + 1));
  }
  if (label.empty()) {
    const DialogTemplate* dialog = FindDialogTemplate(templateId);
    if (dialog != nullptr) label = dialog->title;
  }
  return label;
}

bool CheckDialogFields(DalDialog& dialog) {
  for (DalFieldInfo& field : dialog.fields) {
    if (field.kind == kDalEnd) break;
    if (field.flags & DAL_NO_READ) continue;
    DalControl* control = DalFieldControl(field);
    if (control == nullptr || !control->IsEnabled()) continue;
    const std::string problem = Problem(field, control->Text(), dialog.templateId);
    if (problem.empty()) continue;
    ShowMessage(kWarning, kButtonsOk, "%s: %s", FieldLabel(dialog.templateId, field.controlId).c_str(),
                problem.c_str());
    control->SetFocus();
    return false;
  }
  return true;
}

bool CheckNotebookFields(DalNotebook& notebook) {
  for (std::size_t i = 0; i < notebook.pages.size(); ++i) {
    if (i >= notebook.opened.size() || !notebook.opened[i]) continue;
    DalDialog& page = notebook.pages[i].dialog;
    // The page comes to the front first so that the focus can go to the failing field.
    bool failing = false;
    for (DalFieldInfo& field : page.fields) {
      if (field.kind == kDalEnd) break;
      DalControl* control = DalFieldControl(field);
      if (control == nullptr || (field.flags & DAL_NO_READ) || !control->IsEnabled()) continue;
      if (!Problem(field, control->Text(), page.templateId).empty()) failing = true;
    }
    if (!failing) continue;
    if (notebook.window != nullptr) notebook.window->ShowPage(static_cast<int>(i));
    return CheckDialogFields(page);
  }
  return true;
}

}  // namespace korvel

// Dialog templates: what controls a dialog has, with the ids its field table names, and how they
// are shown. The program's templates are data in resources/dialogs.
#pragma once

#include <span>

namespace korvel {

enum class TemplateControl {
  kGroup,          // starts a framed group titled by the label; the controls after it go inside
  kLabel,          // static text
  kEdit,           // one-line edit box
  kReadOnlyEdit,   // shows a text that cannot be changed
  kMultiLineEdit,  // long texts, wrapped
  kCombo,          // drop-down list of fixed entries
  kEditableCombo,  // drop-down list whose text can also be typed
  kList,           // list box, one item highlighted
  kMultiList,      // list box, several items highlighted
  kCheck,          // check box; the label is its caption
  kButton,         // push button; the label is its caption
};

struct ControlTemplate {
  int id = 0;
  TemplateControl kind = TemplateControl::kLabel;
  const char* label = "";
  int widthChars = 0;  // 0: the kind's usual width
  int lines = 0;       // multi-line edits and list boxes: visible lines; 0: the kind's usual
};

struct DialogTemplate {
  int id = 0;
  const char* title = "";
  std::span<const ControlTemplate> controls{};
  const char* okText = "OK";
  const char* cancelText = "Cancel";
};

// The program's template with this id, nullptr when there is none.
const DialogTemplate* FindDialogTemplate(int templateId);
// Every template of the program, in id order.
std::span<const DialogTemplate> DialogTemplates();

}  // namespace korvel

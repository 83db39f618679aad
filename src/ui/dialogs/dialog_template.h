// Dialog templates: what controls a dialog has, with the ids its field table names, and how they
// are shown. The program's templates are data in resources/dialogs.
#pragma once

#include <span>

namespace korvel {

enum class TemplateControl {
  kGroup,          // starts a framed group titled by the label; the controls after it go inside
  kGrid,           // starts a grid of `columns` columns whose cells the controls after it fill
  kEnd,            // ends the innermost open grid, else the open group
  kSpace,          // in a grid: an empty cell that takes the width the other cells leave
  kLabel,          // static text
  kEdit,           // one-line edit box
  kReadOnlyEdit,   // shows a text that cannot be changed
  kMultiLineEdit,  // long texts, wrapped
  kCombo,          // drop-down list of fixed entries
  kEditableCombo,  // drop-down list whose text can also be typed
  kList,           // list box, one item highlighted
  kMultiList,      // list box, several items highlighted; a click toggles one
  kPictureList,    // as kMultiList, its items drawn by the dialog library (itemWidth x itemHeight)
  kCheck,          // check box; the label is its caption
  kButton,         // push button; the label is its caption; clicks go to the field's callback
};

// Outside grids, a control stands in a form row with its label on the left (an empty label lets a
// box take the whole row). In a grid, cells are filled left to right, row by row; labels of boxes
// are not shown there (they name the box for accessibility): kLabel cells give headings instead.
// Groups do not nest; grids may sit in a group.
struct ControlTemplate {
  int id = 0;
  TemplateControl kind = TemplateControl::kLabel;
  const char* label = "";
  int widthChars = 0;  // 0: the kind's usual width
  int lines = 0;       // multi-line edits and list boxes: visible lines (picture lists: items)
  int columns = 0;     // kGrid
  int itemWidth = 0;   // kPictureList, pixels
  int itemHeight = 0;  // kPictureList, pixels; the field's item height takes precedence
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

// Checks of what the user typed into a dialog before it is taken: whole numbers, dates and texts
// that the data file can store and read back. A field that fails is named in a warning and gets
// the focus, and the dialog stays open for the user to correct it.
#pragma once

#include <string>
#include <string_view>

#include "dal/dal_types.h"

namespace korvel {

// Empty when the text is a whole number that fits a field (blanks around it aside); otherwise why not.
std::string WholeNumberProblem(std::string_view text);

// Checks every enabled field of an open dialog by its flags and its template control. False after
// the first field that fails (reported, focused).
bool CheckDialogFields(DalDialog& dialog);

// The notebook's opened pages in turn; the page of a failing field comes to the front.
bool CheckNotebookFields(DalNotebook& notebook);

// The name of a control in its template ("Cost", "Tube 3"), for messages.
std::string FieldLabel(int templateId, int controlId);

}  // namespace korvel

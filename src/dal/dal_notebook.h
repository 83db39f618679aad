// The tabbed notebook whose pages are field-bound dialogs.
#pragma once

#include "dal/dal_types.h"

namespace korvel {

// Prepares the notebook before its first run: builds every page's index. False when a page's
// table is faulty (reported).
bool DalCreateNotebook(void* parent, DalNotebook& notebook);

// Runs the notebook modally through the host (or the next queued DalScript), the first page
// shown. A page is filled when it is first shown; OK reads back only the pages that were shown.
// Gives 1 for OK and 0 for Cancel or when it could not be run.
int DalRunNotebook(DalNotebook& notebook, void* parent);

// The notebook window calls these: a page has come to the front; OK or Cancel was pressed.
void DalNotebookPageShown(DalNotebook& notebook, int page);
void DalNotebookButton(DalNotebook& notebook, int buttonId);

}  // namespace korvel

// File > Print Catalogue: a selection printed as a catalogue, to a printer or a PDF file.
#pragma once

#include "app/program_state.h"
#include "app/selection_dialog.h"

class QWidget;

namespace korvel {

inline constexpr const char* kCatalogueJobName = "Korvel Catalogue";

// The selection dialog, then the print dialog, then the pages. True when the dialog chose a new
// selection (the pane must follow). A job that fails is reported; Cancel in the print dialog is not.
bool CommandPrintCatalogue(ProgramState& state, const SelectionDialogHooks& hooks, QWidget* parent);

}  // namespace korvel

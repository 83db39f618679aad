// File > Import CSV: a spreadsheet's rows added as new radios after a preview.
#pragma once

#include "app/program_state.h"
#include "import/apply_import.h"

class QWidget;

namespace korvel {

// Whether the collection may take an import; says why not when it may not. The one place where a
// collection that is open for reading only turns the import away.
bool ImportAllowed(const ProgramState& state);

// The file chooser, the preview, then the import as one change to the collection (ApplyImport): the
// imported radios become the current selection, their pictures registered. Gives what was imported
// (`applied` false when nothing was).
ImportOutcome CommandImportCsv(ProgramState& state, QWidget* parent);

}  // namespace korvel

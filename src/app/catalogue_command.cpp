#include "app/catalogue_command.h"

#include "reports/catalogue.h"
#include "ui/painting/catalogue_job.h"
#include "ui/windows/window_frame.h"
#include "util/message.h"

namespace korvel {

bool CommandPrintCatalogue(ProgramState& state, const SelectionDialogHooks& hooks, QWidget* parent) {
  if (!SelectNew(state, hooks)) return false;
  ui::PrintingFrame frame;
  if (!frame.StartPrintJob(kCatalogueJobName, parent)) {
    if (!frame.LastErrorText().empty()) ShowMessage(kError, kButtonsOk, "Couldn't start print job.");
    return true;
  }
  const CatalogueInput input{state.collection, state.selection.current, state.registry,
                             CatalogueTitle(state.paths.directory), TodayText()};
  ui::ShowWaitCursor();
  const int pages = ui::PrintCatalogueJob(frame, input);
  ui::ShowArrowCursor();
  if (pages == 0)
    ShowMessage(kError, kButtonsOk, "Error '%s' - print job aborted.", frame.LastErrorText().c_str());
  return true;
}

}  // namespace korvel

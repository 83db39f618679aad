// The File menu's List, Export CSV, Print and Publish for Web.
#pragma once

#include <functional>
#include <string>

#include "app/program_state.h"
#include "app/selection_dialog.h"
#include "ui/windows/window_descriptor.h"
#include "web/web_settings.h"

class QWidget;

namespace korvel {

inline constexpr const char* kPrintJobName = "Korvel Print Job";

// File > List: list.txt in the current directory for the selection the dialog gives. The file is
// made before the dialog runs, so a cancelled dialog leaves it empty. True when the dialog chose a
// new selection (the pane must follow).
bool CommandList(ProgramState& state, const SelectionDialogHooks& hooks);

// File > Export CSV: the selection dialog, then a file to write (radios.csv in the current
// directory is offered) with every field of the chosen radios. True when the dialog chose a new
// selection (the pane must follow); a file that cannot be written is reported and left as it was.
// `written` gets the file written, or stays empty.
bool CommandExportCsv(ProgramState& state, const SelectionDialogHooks& hooks, QWidget* parent,
                      std::string* written = nullptr);

// File > Print: one page of what the view shows. `redrawView` draws the view by its mode; it is
// called once with the view's surface on the page and once more on the screen afterwards. A
// description prints its main picture. Gives 1 when the page was printed; failures are reported.
int CommandPrint(ProgramState& state, ui::WindowDescriptor& view, QWidget* parent,
                 const std::function<void()>& redrawView);

// File > Publish for Web: the selection dialog, the publishing dialog, then the pages and images.
struct PublishOutcome {
  bool selected = false;   // the selection dialog chose a new selection
  int result = 1;          // 0 when the list page could not be written
  bool published = false;  // the pages were written (the publishing dialog was not cancelled)
};
PublishOutcome CommandPublishWeb(ProgramState& state, const SelectionDialogHooks& hooks);

// "Publish Radio Description to Web Page Image" on the settings' web parameters; OK keeps what
// was typed and gives true.
bool RunPublishDialog(Settings& settings, void* parent);
WebSettings WebSettingsOf(const Settings& settings);

}  // namespace korvel

#include "app/tour_commands.h"

#include <algorithm>

#include "app/program.h"
#include "pictures/tour.h"
#include "ui/frame/command_ids.h"
#include "ui/frame/menu_table.h"
#include "ui/frame/program_menu.h"
#include "ui/windows/window_widget.h"

namespace korvel {

bool TourRadios(Program& program, bool random) {
  ProgramState& state = program.state();
  std::vector<int> pictures;
  if (random) {
    pictures = TourPictures(state.collection.radios.Records());
  } else {
    if (!RunSelectionDialog(state, program.DialogHooks())) return false;
    program.RebuildPane();  // the pane shows the new selection once the tour ends
    pictures = TourPictures(state.selection.current.Records());
  }
  if (pictures.empty()) return false;
  // The tour fills the main window; no radio is current while it runs.
  program.ShowPane(false);
  SetCurrentRadio(state.selection, nullptr);
  return program.tour().StartTour(program.viewWindow().surface, std::move(pictures));
}

void SetTourSize(Program& program, int n) {
  n = std::clamp(n, kTourMinimumSize, kTourMaximumSize);
  const int old = std::clamp(program.state().settings.tourSize, kTourMinimumSize, kTourMaximumSize);
  ui::WindowWidget* window = program.mainWindow().window;
  if (ProgramMenuBar* menu = window != nullptr ? window->menuBar() : nullptr) {
    menu->CheckMenuPair(kTourMenuPosition, kTourSizeMenuPosition, kCommandTourSizeBase + old, old - 1, false);
    menu->CheckMenuPair(kTourMenuPosition, kTourSizeMenuPosition, kCommandTourSizeBase + n, n - 1, true);
  }
  program.state().settings.tourSize = n;
  program.tour().SetTourSize(n);
}

bool RunsDuringTour(int id) {
  return id > kCommandTourSizeBase && id <= kCommandTourSizeBase + kTourMaximumSize;
}

}  // namespace korvel

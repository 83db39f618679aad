// The accelerator table bound to the main window.
#pragma once

#include <QKeySequence>
#include <functional>

class QWidget;

namespace korvel {

// Binds every accelerator as an application shortcut of the window: the key runs its command
// through onCommand and is then still delivered to the focused widget (or the window), as key
// presses always were. While a modal dialog, message box or drop-down list is open, the keys are
// only its own: no command runs (Ctrl+C copies in a text field, Up moves in a list).
void InstallAccelerators(QWidget* window, std::function<void(int id)> onCommand);

// The command of a key, or 0.
int AcceleratorCommand(const QKeySequence& keys);

}  // namespace korvel

#include "ui/frame/accelerators.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QShortcut>
#include <QWidget>
#include <memory>
#include <vector>

#include "ui/frame/menu_table.h"

namespace korvel {
namespace {

using Shortcuts = std::vector<QPointer<QShortcut>>;

// A key press sent by the program is offered to the shortcuts again; while the accelerator's key
// is passed on, they stand aside so that it reaches the widget.
void DeliverKey(QWidget* target, QKeyCombination combination, const Shortcuts& shortcuts) {
  for (const QPointer<QShortcut>& shortcut : shortcuts) {
    if (shortcut != nullptr) shortcut->setEnabled(false);
  }
  QKeyEvent press(QEvent::KeyPress, combination.key(), combination.keyboardModifiers());
  QCoreApplication::sendEvent(target, &press);
  for (const QPointer<QShortcut>& shortcut : shortcuts) {
    if (shortcut != nullptr) shortcut->setEnabled(true);
  }
}

}  // namespace

void InstallAccelerators(QWidget* window, std::function<void(int id)> onCommand) {
  auto shortcuts = std::make_shared<Shortcuts>();
  for (const Accelerator& accelerator : ProgramAccelerators()) {
    const QKeySequence keys = QKeySequence::fromString(QString::fromUtf8(accelerator.keys));
    auto* shortcut = new QShortcut(keys, window);
    shortcut->setContext(Qt::ApplicationShortcut);
    shortcuts->push_back(shortcut);
    const int id = accelerator.id;
    QObject::connect(shortcut, &QShortcut::activated, window, [window, onCommand, keys, id, shortcuts] {
      // The focus may move while the command runs; the key goes where it was aimed.
      QPointer<QWidget> target =
          QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : window;
      if (onCommand) onCommand(id);
      if (target != nullptr) DeliverKey(target, keys[0], *shortcuts);
    });
  }
}

int AcceleratorCommand(const QKeySequence& keys) {
  for (const Accelerator& accelerator : ProgramAccelerators()) {
    if (QKeySequence::fromString(QString::fromUtf8(accelerator.keys)) == keys) return accelerator.id;
  }
  return 0;
}

}  // namespace korvel

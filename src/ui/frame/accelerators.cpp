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

// While a modal dialog, a message box or an open drop-down list has the keyboard, the keys are
// its own: the window behind it must not run commands or scroll. Qt still offers application
// shortcuts while a popup is open, even over a modal dialog, so the decision is made here.
bool KeysBelongToAnotherWindow(const QWidget* window) {
  if (QWidget* popup = QApplication::activePopupWidget()) return popup->window() != window->window();
  const QWidget* modal = QApplication::activeModalWidget();
  return modal != nullptr && modal != window->window();
}

QWidget* KeyTarget(QWidget* window) {
  if (QWidget* popup = QApplication::activePopupWidget()) {
    return popup->focusWidget() != nullptr ? popup->focusWidget() : popup;
  }
  return QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : window;
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
      QPointer<QWidget> target = KeyTarget(window);
      if (onCommand && !KeysBelongToAnotherWindow(window)) onCommand(id);
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

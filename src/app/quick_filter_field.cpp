#include "app/quick_filter_field.h"

#include <QKeyEvent>
#include <QSignalBlocker>

namespace korvel {

QuickFilterField::QuickFilterField(std::function<void(const std::string&)> typed, std::function<void()> done,
                                   QWidget* parent)
    : QLineEdit(parent), done_(std::move(done)) {
  setPlaceholderText("Find");
  setClearButtonEnabled(true);
  setToolTip("Shows the radios whose texts hold every word typed here (Ctrl+K; Escape clears it)");
  connect(this, &QLineEdit::textChanged, this,
          [typed = std::move(typed)](const QString& text) { typed(text.toUtf8().toStdString()); });
}

void QuickFilterField::Forget() {
  const QSignalBlocker quiet(this);
  clear();
}

void QuickFilterField::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (focusTaken) focusTaken();
}

void QuickFilterField::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    clear();
    if (done_) done_();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

}  // namespace korvel

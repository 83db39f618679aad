#include "ui/frame/message_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <algorithm>

#include "ui/frame/display_text.h"

namespace korvel {
namespace {

MessageBoxScript* activeScript = nullptr;

constexpr int kClosedWithoutButton = -1;

struct AnswerButton {
  int answer;
  QMessageBox::StandardButton button;
};

constexpr AnswerButton kAnswerButtons[] = {
    {kAnswerOk, QMessageBox::Ok},         {kAnswerCancel, QMessageBox::Cancel},
    {kAnswerAbort, QMessageBox::Abort},   {kAnswerRetry, QMessageBox::Retry},
    {kAnswerIgnore, QMessageBox::Ignore}, {kAnswerYes, QMessageBox::Yes},
    {kAnswerNo, QMessageBox::No},
};

QMessageBox::StandardButton ButtonOfAnswer(int answer) {
  for (const AnswerButton& pair : kAnswerButtons) {
    if (pair.answer == answer) return pair.button;
  }
  return QMessageBox::NoButton;
}

int AnswerOfButton(QMessageBox::StandardButton button) {
  for (const AnswerButton& pair : kAnswerButtons) {
    if (pair.button == button) return pair.answer;
  }
  return kAnswerOther;
}

// Buttons of a button code, the first one being the default.
std::vector<QMessageBox::StandardButton> ButtonsOfCode(int code) {
  switch (code) {
    case 1:
    case 6:
    case 8:
      return {QMessageBox::Ok, QMessageBox::Cancel};
    case 2:
      return {QMessageBox::Retry, QMessageBox::Cancel};
    case 3:
      return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    case 4:
      return {QMessageBox::Yes, QMessageBox::No};
    case 5:
      return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    default:  // 0, 7 and anything unknown
      return {QMessageBox::Ok};
  }
}

QMessageBox::Icon IconOfSeverity(int severity) {
  switch (severity) {
    case kNote:
      return QMessageBox::Information;
    case kWarning:
      return QMessageBox::Warning;
    case kError:
      return QMessageBox::Critical;
    default:
      return QMessageBox::NoIcon;
  }
}

// Qt would let Escape press No on a Yes/No box, or Abort on Abort/Retry/Ignore: neither is what
// someone dismissing the box means. Those boxes close without an answer instead.
class MessageBox : public QMessageBox {
 public:
  MessageBox(QWidget* parent, bool escapeHasButton)
      : QMessageBox(parent), escapeHasButton_(escapeHasButton) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (!escapeHasButton_ && event->matches(QKeySequence::Cancel)) {
      done(kClosedWithoutButton);
      return;
    }
    QMessageBox::keyPressEvent(event);
  }

  void closeEvent(QCloseEvent* event) override {
    if (!escapeHasButton_) {
      event->accept();
      done(kClosedWithoutButton);
      return;
    }
    QMessageBox::closeEvent(event);
  }

 private:
  bool escapeHasButton_;
};

}  // namespace

int PresentMessageBox(const Message& message, QWidget* parent) {
  const std::vector<QMessageBox::StandardButton> buttons = ButtonsOfCode(message.buttons);
  QMessageBox::StandardButton escape = QMessageBox::NoButton;
  if (buttons.size() == 1) {
    escape = QMessageBox::Ok;
  } else if (std::find(buttons.begin(), buttons.end(), QMessageBox::Cancel) != buttons.end()) {
    escape = QMessageBox::Cancel;
  }

  MessageBox box(parent, escape != QMessageBox::NoButton);
  box.setWindowTitle(QString::fromUtf8(MessageCaption(message.severity)));
  box.setIcon(IconOfSeverity(message.severity));
  // The text is shown as it stands: no markup, no formats, however long.
  box.setTextFormat(Qt::PlainText);
  box.setText(DisplayText(message.text));
  for (QMessageBox::StandardButton button : buttons) box.addButton(button);
  box.setDefaultButton(buttons.front());
  if (escape != QMessageBox::NoButton) box.setEscapeButton(escape);

  // A question asked while the wait cursor is up still needs the arrow to be answered.
  const bool busy = QGuiApplication::overrideCursor() != nullptr;
  if (busy) QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
  if (activeScript != nullptr) activeScript->ScheduleAnswer();
  box.exec();
  if (busy) QGuiApplication::restoreOverrideCursor();

  QAbstractButton* clicked = box.clickedButton();
  if (clicked == nullptr) return kAnswerOther;
  return AnswerOfButton(box.standardButton(clicked));
}

void InstallMessageBoxes(QWidget* owner) {
  QPointer<QWidget> guarded(owner);
  SetMessagePresenter([guarded](const Message& message) {
    // A report from another thread (a picture failing in the tour) waits for its box on the
    // GUI thread, the only one that may show it.
    if (QThread::currentThread() != QCoreApplication::instance()->thread()) {
      int answer = kAnswerOther;
      QMetaObject::invokeMethod(
          QCoreApplication::instance(), [&] { answer = PresentMessageBox(message, guarded.data()); },
          Qt::BlockingQueuedConnection);
      return answer;
    }
    return PresentMessageBox(message, guarded.data());
  });
  SetMessageOwner(owner);
}

MessageBoxScript::MessageBoxScript(std::deque<int> answers) : answers_(std::move(answers)) {
  previous_ = activeScript;
  activeScript = this;
}

MessageBoxScript::~MessageBoxScript() {
  activeScript = previous_;
}

void MessageBoxScript::ScheduleAnswer() {
  QTimer::singleShot(0, &timerContext_, [this] { AnswerOpenBox(0); });
}

void MessageBoxScript::AnswerOpenBox(int attempt) {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible()) {
    // Not up yet (or not on top): look again shortly rather than hang the test.
    constexpr int kAttempts = 100;
    if (attempt < kAttempts) {
      QTimer::singleShot(10, &timerContext_, [this, attempt] { AnswerOpenBox(attempt + 1); });
    }
    return;
  }

  ShownMessageBox shown;
  shown.caption = box->windowTitle();
  shown.text = box->text();
  shown.format = box->textFormat();
  shown.icon = box->icon();
  for (QAbstractButton* button : box->buttons())
    shown.buttons.push_back(AnswerOfButton(box->standardButton(button)));
  std::sort(shown.buttons.begin(), shown.buttons.end());
  if (QPushButton* button = box->defaultButton())
    shown.defaultButton = AnswerOfButton(box->standardButton(button));
  shown.parent = box->parentWidget();
  shown.modal = box->isModal();
  if (const QCursor* cursor = QGuiApplication::overrideCursor()) shown.overrideCursor = cursor->shape();
  shown.image = box->grab().toImage();

  int answer = shown.defaultButton;
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  shown.answer = answer;
  boxes_.push_back(shown);

  if (QAbstractButton* button = box->button(ButtonOfAnswer(answer))) {
    button->click();
  } else {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &escape);
  }
}

}  // namespace korvel

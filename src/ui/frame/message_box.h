// Messages shown as modal message boxes, and the hook with which tests answer them.
#pragma once

#include <QImage>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <deque>
#include <vector>

#include "util/message.h"

class QWidget;

namespace korvel {

// Installs the message-box presenter and makes the owner the window that parents the boxes; the
// messages queued until now are shown at once, in order. Should the owner go away, boxes are shown
// without a parent.
void InstallMessageBoxes(QWidget* owner);

// Shows one message as a modal box and gives the answer code (kAnswerOther when the box was closed
// without a button, e.g. with Escape on a Yes/No box).
int PresentMessageBox(const Message& message, QWidget* parent);

// What a box looked like when the test hook answered it.
struct ShownMessageBox {
  QString caption;
  QString text;
  Qt::TextFormat format = Qt::AutoText;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  std::vector<int> buttons;  // answer codes of its buttons, ascending
  int defaultButton = kAnswerOther;
  QWidget* parent = nullptr;
  bool modal = false;
  int overrideCursor = -1;  // the application's override cursor shape while it was open, or -1
  int answer = kAnswerOther;
  QImage image;  // the box as it was shown, for a look at it
};

// While one exists, every box opened by PresentMessageBox is answered: a zero-delay timer finds the
// open box and clicks the button of the next answer; an answer the box has no button for presses
// Escape; with the answers used up, the first button is clicked.
class MessageBoxScript {
 public:
  explicit MessageBoxScript(std::deque<int> answers = {});
  ~MessageBoxScript();
  MessageBoxScript(const MessageBoxScript&) = delete;
  MessageBoxScript& operator=(const MessageBoxScript&) = delete;

  void Answer(std::deque<int> answers) { answers_ = std::move(answers); }
  const std::vector<ShownMessageBox>& boxes() const { return boxes_; }

  // Called by PresentMessageBox just before a box runs.
  void ScheduleAnswer();

 private:
  void AnswerOpenBox(int attempt);

  std::deque<int> answers_;
  std::vector<ShownMessageBox> boxes_;
  MessageBoxScript* previous_ = nullptr;
  QObject timerContext_;  // drops pending timers with the script
};

}  // namespace korvel

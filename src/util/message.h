// The one routine through which every report and question reaches the user.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace korvel {

enum MessageSeverity : int { kNote = 0, kWarning = 1, kError = 2 };

// Button codes.
enum MessageButtons : int {
  kButtonsOk = 0,
  kButtonsOkCancel = 1,
  kButtonsRetryCancel = 2,
  kButtonsAbortRetryIgnore = 3,
  kButtonsYesNo = 4,
  kButtonsYesNoCancel = 5,
};

// Answers.
enum MessageAnswer : int {
  kAnswerOk = 0,
  kAnswerCancel = 1,
  kAnswerAbort = 2,
  kAnswerRetry = 3,
  kAnswerIgnore = 4,
  kAnswerYes = 5,
  kAnswerNo = 6,
  kAnswerOther = 9,
};

struct Message {
  int severity = kNote;
  int buttons = kButtonsOk;
  std::string text;
};

// Caption of a message box: "Note", "Warning", "Error", or empty for any other severity.
const char* MessageCaption(int severity);

// Shows a message and gives the answer. The presenter receives the final text; it is never used
// as a format again, so a "%" in it is shown as it stands.
using MessagePresenter = std::function<int(const Message&)>;

// Formats the text (at most 999 characters are kept) and shows it through the presenter once an
// owner exists; before that the message is queued in order and the answer is 0 (OK).
int ShowMessage(int severity, int buttons, const char* format, ...) __attribute__((format(printf, 3, 4)));

// Installs the presenter that shows messages once an owner is set (none: messages answer 0).
void SetMessagePresenter(MessagePresenter presenter);

// Makes messages go to the presenter from now on and shows the queued ones in order. The owner is
// the window that parents the message boxes; it is kept for the presenter to read.
void SetMessageOwner(void* owner);
void* MessageOwner();

// Forgets the owner, the presenter and any queued messages (tests and tools start afresh).
void ResetMessages();

// While one lives, this thread's messages are collected in it instead of shown: a file is looked at
// before the user is asked about it.
class CollectedMessages {
 public:
  CollectedMessages();
  ~CollectedMessages();
  CollectedMessages(const CollectedMessages&) = delete;
  CollectedMessages& operator=(const CollectedMessages&) = delete;
  const std::vector<Message>& messages() const { return messages_; }

 private:
  std::vector<Message> messages_;
  std::vector<Message>* previous_;
};

// Messages still waiting for an owner, in order.
std::vector<Message> DeferredMessages();

}  // namespace korvel

#include "util/message_recorder.h"

#include <algorithm>

namespace korvel {

int FirstButtonAnswer(int buttons) {
  switch (buttons) {
    case kButtonsRetryCancel:
      return kAnswerRetry;
    case kButtonsAbortRetryIgnore:
      return kAnswerAbort;
    case kButtonsYesNo:
    case kButtonsYesNoCancel:
      return kAnswerYes;
    default:
      return kAnswerOk;
  }
}

MessageRecorder::MessageRecorder(std::deque<int> answers) : answers_(std::move(answers)) {
  SetMessagePresenter([this](const Message& message) { return Present(message); });
  SetMessageOwner(this);
}

MessageRecorder::~MessageRecorder() {
  ResetMessages();
}

void MessageRecorder::Answer(std::deque<int> answers) {
  answers_ = std::move(answers);
}

int MessageRecorder::Present(const Message& message) {
  messages_.push_back(message);
  if (answers_.empty()) return FirstButtonAnswer(message.buttons);
  int answer = answers_.front();
  answers_.pop_front();
  return answer;
}

std::vector<std::string> MessageRecorder::Texts() const {
  std::vector<std::string> texts;
  for (const Message& m : messages_) texts.push_back(m.text);
  return texts;
}

bool MessageRecorder::Saw(const std::string& text) const {
  return std::any_of(messages_.begin(), messages_.end(), [&](const Message& m) { return m.text == text; });
}

bool MessageRecorder::SawError() const {
  for (const Message& m : messages_)
    if (m.severity == kError) return true;
  return false;
}

}  // namespace korvel

// A message presenter for tests and the headless tool: it records every message and answers
// from a script, as a user at the keyboard would.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "util/message.h"

namespace korvel {

class MessageRecorder {
 public:
  // Installs itself as the presenter and sets an owner, so messages are shown (recorded) at once.
  // The queue of messages reported before is shown first, as at start-up.
  explicit MessageRecorder(std::deque<int> answers = {});
  ~MessageRecorder();
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  // The next questions are answered with these, in order; once they run out, every message
  // answers with the first button of its box (OK, Retry, Abort or Yes).
  void Answer(std::deque<int> answers);

  const std::vector<Message>& messages() const { return messages_; }
  std::vector<std::string> Texts() const;
  bool Saw(const std::string& text) const;
  // Whether an Error was among the messages.
  bool SawError() const;
  void Clear() { messages_.clear(); }

 private:
  int Present(const Message& message);

  std::deque<int> answers_;
  std::vector<Message> messages_;
};

// The answer of a box's first button.
int FirstButtonAnswer(int buttons);

}  // namespace korvel

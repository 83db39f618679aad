#include "util/message.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace korvel {
namespace {

constexpr int kMessageBufferSize = 1000;

struct MessageState {
  std::mutex mutex;
  MessagePresenter presenter;
  void* owner = nullptr;
  bool ownerSet = false;
  std::vector<Message> deferred;
};

MessageState& State() {
  static MessageState state;
  return state;
}

thread_local std::vector<Message>* collector = nullptr;

}  // namespace

CollectedMessages::CollectedMessages() : previous_(collector) {
  collector = &messages_;
}

CollectedMessages::~CollectedMessages() {
  collector = previous_;
}

const char* MessageCaption(int severity) {
  switch (severity) {
    case kNote:
      return "Note";
    case kWarning:
      return "Warning";
    case kError:
      return "Error";
    default:
      return "";
  }
}

int ShowMessage(int severity, int buttons, const char* format, ...) {
  if (format == nullptr) return kAnswerOk;

  // However long the text, it is shown whole.
  std::string text(kMessageBufferSize, '\0');
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(text.data(), text.size(), format, args);
  va_end(args);
  if (length >= static_cast<int>(text.size())) {
    text.resize(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(text.data(), text.size(), format, again);
  }
  va_end(again);
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);

  Message message{severity, buttons, std::move(text)};
  if (collector != nullptr) {
    collector->push_back(std::move(message));
    return kAnswerOk;
  }
  MessagePresenter presenter;
  {
    std::lock_guard lock(State().mutex);
    if (!State().ownerSet) {
      State().deferred.push_back(std::move(message));
      return kAnswerOk;
    }
    presenter = State().presenter;
  }
  // The presenter runs unlocked: a modal box may report again from inside its own loop.
  return presenter ? presenter(message) : kAnswerOk;
}

void SetMessagePresenter(MessagePresenter presenter) {
  std::lock_guard lock(State().mutex);
  State().presenter = std::move(presenter);
}

void SetMessageOwner(void* owner) {
  std::vector<Message> queued;
  MessagePresenter presenter;
  {
    std::lock_guard lock(State().mutex);
    State().owner = owner;
    State().ownerSet = true;
    queued.swap(State().deferred);
    presenter = State().presenter;
  }
  if (!presenter) return;
  for (const Message& message : queued) presenter(message);
}

void* MessageOwner() {
  std::lock_guard lock(State().mutex);
  return State().owner;
}

void ResetMessages() {
  std::lock_guard lock(State().mutex);
  State().presenter = nullptr;
  State().owner = nullptr;
  State().ownerSet = false;
  State().deferred.clear();
}

std::vector<Message> DeferredMessages() {
  std::lock_guard lock(State().mutex);
  return State().deferred;
}

}  // namespace korvel

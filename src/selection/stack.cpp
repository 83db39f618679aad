#include "selection/stack.h"

#include <unordered_set>

#include "util/message.h"

namespace korvel {
namespace {

bool NeedsEntries(const SelectionStack& stack) {
  if (stack.depth >= 1) return true;
  ShowMessage(kWarning, kButtonsOk, "Selection Stack is empty, ignoring command");
  return false;
}

bool NeedsRoom(const SelectionStack& stack) {
  if (stack.depth < kStackDepth) return true;
  ShowMessage(kWarning, kButtonsOk, "Selection Stack is full, ignoring command");
  return false;
}

std::unique_ptr<RadioList> Pop(SelectionStack& stack) {
  --stack.depth;
  return std::move(stack.selections[stack.depth]);
}

void Push(SelectionStack& stack, RadioList selection) {
  stack.selections[stack.depth++] = std::make_unique<RadioList>(std::move(selection));
}

}  // namespace

void ApplyStackAction(int action, const Collection& collection, SelectionState& state) {
  SelectionStack& stack = state.stack;
  switch (action) {
    case kActionAndCombine: {
      if (!NeedsEntries(stack)) return;
      const std::unique_ptr<RadioList> popped = Pop(stack);
      std::unordered_set<std::int32_t> ids;
      for (const RadioRecord* r : *popped) ids.insert(r->id);
      state.current.KeepOnly([&](const RadioRecord* r) { return ids.contains(r->id); });
      return;
    }
    case kActionClear:
      state.current.Clear();
      for (auto& slot : stack.selections) slot.reset();
      stack.depth = 0;
      return;
    case kActionCopy:
      if (NeedsRoom(stack)) Push(stack, state.current);
      return;
    case kActionOrCombine: {
      if (!NeedsEntries(stack)) return;
      const std::unique_ptr<RadioList> popped = Pop(stack);
      if (popped) MergeInto(collection.tables, state.current, *popped);
      return;
    }
    case kActionPush:
      if (!NeedsRoom(stack)) return;
      Push(stack, std::move(state.current));
      state.current.Clear();
      return;
    case kActionSwap:
      if (!NeedsEntries(stack)) return;
      if (!stack.selections[stack.depth - 1]) stack.selections[stack.depth - 1] = std::make_unique<RadioList>();
      std::swap(state.current, *stack.selections[stack.depth - 1]);
      return;
    default:
      return;
  }
}

}  // namespace korvel

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <set>

#include "selection/criteria.h"
#include "selection/saved_selections.h"
#include "selection/stack.h"
#include "support/collection_builder.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

using test::Ids;

class SavedSelections : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int id = 1; id <= 4; ++id) test::AddLoadedRadio(c, {.id = id, .year = 1930 + id});
  }
  Collection c = test::MakeCollection();
  SelectionState state;
  MessageRecorder messages;
};

// The stack actions are the set operations they stand for, on any sequence of them: Push sets
// the selection aside and empties it, Copy sets a copy aside, And- and Or-Combine take the top
// away into an intersection or a union, Swap exchanges with the top, Clear empties everything.
// An empty or full stack refuses with a warning and changes nothing.
RC_GTEST_PROP(StackActions, BehaveAsTheSetOperationsTheyStandFor, ()) {
  Collection c = test::MakeCollection();
  for (int id = 1; id <= 6; ++id) test::AddLoadedRadio(c, {.id = id, .year = 1930 + id});
  SelectionState state;
  MessageRecorder messages;
  std::set<int> current;
  std::vector<std::set<int>> stack;
  const auto select = [&] {
    const auto chosen = *rc::gen::container<std::vector<bool>>(6, rc::gen::arbitrary<bool>());
    current.clear();
    state.current.Clear();
    for (int id = 1; id <= 6; ++id) {
      if (!chosen[id - 1]) continue;
      current.insert(id);
      InsertRadio(c.tables, c.radios.FindById(id), state.current);
    }
  };
  const auto ids = [](const RadioList& list) {
    const std::vector<int> v = Ids(list);
    RC_ASSERT(std::is_sorted(v.begin(), v.end()));  // radio order follows the year here
    return std::set<int>(v.begin(), v.end());
  };
  const int steps = *rc::gen::inRange(1, 40);
  for (int step = 0; step < steps; ++step) {
    if (*rc::gen::inRange(0, 3) == 0) select();
    const int action = *rc::gen::element(kActionAndCombine, kActionClear, kActionCopy, kActionOrCombine,
                                         kActionPush, kActionSwap);
    messages.Clear();
    ApplyStackAction(action, c, state);
    const bool refused = (stack.empty() && (action == kActionAndCombine || action == kActionOrCombine ||
                                            action == kActionSwap)) ||
                         (stack.size() == kStackDepth && (action == kActionCopy || action == kActionPush));
    const std::vector<std::string> warning{stack.empty() ? "Selection Stack is empty, ignoring command"
                                                         : "Selection Stack is full, ignoring command"};
    RC_ASSERT(messages.Texts() == (refused ? warning : std::vector<std::string>{}));
    if (!refused) {
      switch (action) {
        case kActionAndCombine:
        case kActionOrCombine: {
          std::set<int> result;
          const std::set<int>& top = stack.back();
          if (action == kActionAndCombine) {
            std::set_intersection(current.begin(), current.end(), top.begin(), top.end(),
                                  std::inserter(result, result.end()));
          } else {
            std::set_union(current.begin(), current.end(), top.begin(), top.end(),
                           std::inserter(result, result.end()));
          }
          current = result;
          stack.pop_back();
          break;
        }
        case kActionClear:
          current.clear();
          stack.clear();
          break;
        case kActionCopy:
          stack.push_back(current);
          break;
        case kActionPush:
          stack.push_back(current);
          current.clear();
          break;
        default:
          std::swap(current, stack.back());
      }
    }
    RC_ASSERT(ids(state.current) == current);
    RC_ASSERT(state.stack.depth == static_cast<int>(stack.size()));
    for (std::size_t i = 0; i < stack.size(); ++i) RC_ASSERT(ids(*state.stack.selections[i]) == stack[i]);
  }
}

SelectionParameters Named(const std::string& name, int year) {
  SelectionParameters p;
  p.name = name;
  p.rows[0].action = kActionAdd;
  p.rows[0].field = kFieldYear;
  p.rows[0].relation = kRelationGreater;
  p.rows[0].value = year;
  return p;
}

// Kept in name order, a name saved again in its place; the menu that shows them is the frame's test.
TEST_F(SavedSelections, StaySortedAndComeBack) {
  EXPECT_EQ(SaveSelection(state, Named("B", 1931)), 0);
  EXPECT_EQ(SaveSelection(state, Named("A", 1932)), 0);
  EXPECT_EQ(SaveSelection(state, Named("B", 1933)), 1);
  ASSERT_EQ(state.saved.size(), 2u);
  EXPECT_EQ(state.saved[0].name, "A");
  EXPECT_EQ(state.saved[1].rows[0].value, 1933);

  EXPECT_TRUE(RecallSavedSelection(1, c, state));
  EXPECT_EQ(Ids(state.current), std::vector<int>{4});
  EXPECT_EQ(state.parameters.name, "B");
  EXPECT_EQ(state.currentRadio, c.radios.FindById(4));
  EXPECT_FALSE(RecallSavedSelection(2, c, state));
}

TEST_F(SavedSelections, NoMoreThanTheMenuCanReach) {
  for (int i = 0; i < kSavedSelectionLimit; ++i) {
    ASSERT_GE(SaveSelection(state, Named(std::string("S").append(std::to_string(100 + i)), 1930)), 0);
  }
  EXPECT_EQ(SaveSelection(state, Named("One too many", 1930)), -1);
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_NE(messages.Texts()[0].find("30"), std::string::npos);
  EXPECT_EQ(SaveSelection(state, Named("S100", 1935)), 0);  // replacing one still works
  EXPECT_EQ(SaveSelection(state, Named("", 1935)), -1);     // and a name is needed
  EXPECT_EQ(state.saved.size(), static_cast<std::size_t>(kSavedSelectionLimit));
}

}  // namespace
}  // namespace korvel

#include <gtest/gtest.h>

#include "selection/criteria.h"
#include "selection/saved_selections.h"
#include "selection/stack.h"
#include "support/collection_builder.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

using test::Ids;

class Stack : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int id = 1; id <= 4; ++id) test::AddLoadedRadio(c, {.id = id, .year = 1930 + id});
  }
  void Select(std::vector<int> ids) {
    state.current.Clear();
    for (int id : ids) InsertRadio(c.tables, c.radios.FindById(id), state.current);
  }
  void Do(int action) { ApplyStackAction(action, c, state); }
  Collection c = test::MakeCollection();
  SelectionState state;
  MessageRecorder messages;
};

TEST_F(Stack, PushThenOrCombineMergesThePushedSelectionBack) {
  Select({1, 2});
  Do(kActionPush);
  EXPECT_TRUE(state.current.Empty());
  Select({2, 4});
  Do(kActionOrCombine);
  EXPECT_EQ(Ids(state.current), (std::vector<int>{1, 2, 4}));
  EXPECT_EQ(state.stack.depth, 0);
  EXPECT_TRUE(messages.messages().empty());
}

TEST_F(Stack, CopyThenAndCombineChangesNothing) {
  Select({1, 3});
  Do(kActionCopy);
  EXPECT_EQ(Ids(state.current), (std::vector<int>{1, 3}));
  Do(kActionAndCombine);
  EXPECT_EQ(Ids(state.current), (std::vector<int>{1, 3}));
  // And-Combine keeps only members whose identifier is in the popped selection.
  Select({3});
  Do(kActionPush);
  Select({1, 2, 3});
  Do(kActionAndCombine);
  EXPECT_EQ(Ids(state.current), std::vector<int>{3});
}

TEST_F(Stack, SwapExchangesWithTheTop) {
  Do(kActionSwap);
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Selection Stack is empty, ignoring command"});
  Select({2});
  Do(kActionPush);
  Do(kActionSwap);  // the empty current selection changes place with the pushed one
  EXPECT_EQ(Ids(state.current), std::vector<int>{2});
  EXPECT_TRUE(state.stack.selections[0]->Empty());
  EXPECT_EQ(state.stack.depth, 1);
}

TEST_F(Stack, AFullStackRefusesAndClearEmptiesEverythingQuietly) {
  for (int i = 0; i < kStackDepth; ++i) Do(kActionCopy);
  Select({4});
  Do(kActionPush);
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Selection Stack is full, ignoring command"});
  EXPECT_EQ(messages.messages()[0].severity, kWarning);
  EXPECT_EQ(Ids(state.current), std::vector<int>{4});  // kept
  messages.Clear();
  Do(kActionClear);
  Do(kActionClear);
  EXPECT_TRUE(state.current.Empty());
  EXPECT_EQ(state.stack.depth, 0);
  EXPECT_TRUE(messages.messages().empty());
  Do(kActionAndCombine);
  Do(kActionOrCombine);
  EXPECT_EQ(messages.messages().size(), 2u);
}

TEST_F(Stack, ADeletedRadioLeavesEverySelection) {
  Select({1, 2});
  Do(kActionCopy);
  SetCurrentRadio(state, c.radios.FindById(2));
  RadioRecord* gone = c.radios.FindById(2);
  ForgetRadio(state, gone);
  DeleteRadio(c, gone);
  EXPECT_EQ(Ids(state.current), std::vector<int>{1});
  EXPECT_EQ(Ids(*state.stack.selections[0]), std::vector<int>{1});
  EXPECT_EQ(state.currentRadio, nullptr);
}

class FakeMenu : public SavedMenu {
 public:
  int ItemCount() const override { return static_cast<int>(items.size()); }
  void RenameItem(int id, const std::string& name) override { items.at(id - kCommandSavedFirst) = name; }
  void AppendItem(int id, const std::string& name) override {
    EXPECT_EQ(id, kCommandSavedFirst + ItemCount());
    items.push_back(name);
  }
  std::vector<std::string> items{"<empty>"};
};

SelectionParameters Named(const std::string& name, int year) {
  SelectionParameters p;
  p.name = name;
  p.rows[0].action = kActionAdd;
  p.rows[0].field = kFieldYear;
  p.rows[0].relation = kRelationGreater;
  p.rows[0].value = year;
  return p;
}

TEST_F(Stack, SavedSelectionsStaySortedAndTheMenuFollows) {
  FakeMenu menu;
  EXPECT_EQ(SaveSelection(state, Named("B", 1931)), 0);
  RebuildSavedMenu(state, menu);
  EXPECT_EQ(menu.items, std::vector<std::string>{"B"});  // took over "<empty>"
  EXPECT_EQ(SaveSelection(state, Named("A", 1932)), 0);
  RebuildSavedMenu(state, menu);
  EXPECT_EQ(menu.items, (std::vector<std::string>{"A", "B"}));
  // The same name again: same place, new rows.
  EXPECT_EQ(SaveSelection(state, Named("B", 1933)), 1);
  EXPECT_EQ(state.saved.size(), 2u);
  EXPECT_EQ(state.saved[1].rows[0].value, 1933);

  EXPECT_TRUE(RecallSavedSelection(1, c, state));
  EXPECT_EQ(Ids(state.current), std::vector<int>{4});
  EXPECT_EQ(state.parameters.name, "B");
  EXPECT_EQ(state.currentRadio, c.radios.FindById(4));
  EXPECT_FALSE(RecallSavedSelection(2, c, state));
}

TEST_F(Stack, NoMoreSavedSelectionsThanTheMenuCanReach) {
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

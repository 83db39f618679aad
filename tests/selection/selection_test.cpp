// Choosing radios: criteria rows, filters, the selection stack, saved selections and the quick filter.
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <set>

#include "collection/data_file.h"
#include "collection/macro_text.h"
#include "selection/criteria.h"
#include "selection/quick_filter.h"
#include "selection/saved_selections.h"
#include "selection/stack.h"
#include "support/collection_builder.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

using test::AddLoadedRadio;
using test::Ids;
using test::MakeCollection;
using test::Position;

class Selecting : public ::testing::Test {
 protected:
  void SetUp() override {
    AddLoadedRadio(c, {.id = 1, .brand = "Crosley", .model = "A5", .year = 1932});
    AddLoadedRadio(c, {.id = 2, .brand = "Philco", .model = "AK-40", .year = 1938});
    AddLoadedRadio(c, {.id = 3, .brand = "Philco", .model = "a5", .year = 1947, .status = kStatusSold});
    AddLoadedRadio(c, {.id = 4, .brand = "Zenith", .model = "H500", .year = 1951});
    philco = Position(c, kTableBrandName, "Philco");
  }
  std::vector<int> Fresh(std::array<Criterion, kCriteriaRows> rows) {
    SelectionParameters p;
    p.rows = rows;
    EvaluateParameters(p, Evaluation::kFresh, c, state);
    return Ids(state.current);
  }
  Criterion none = MakeCriterion(kActionNone, 0, 0, 0);
  Collection c = MakeCollection();
  SelectionState state;
  MessageRecorder messages;
  int philco = 0;
};

TEST_F(Selecting, TheFirstDecidingRowChoosesTheStart) {
  EXPECT_TRUE(Fresh({none, none, none, none}).empty());
  const Criterion after1935 = MakeCriterion(kActionAnd, kFieldYear, kRelationGreater, 1935);
  EXPECT_EQ(Fresh({after1935, none, none, none}), (std::vector<int>{2, 3, 4}));
  const Criterion add1935 = MakeCriterion(kActionAdd, kFieldYear, kRelationGreater, 1935);
  EXPECT_EQ(Fresh({add1935, none, none, none}), (std::vector<int>{2, 3, 4}));
  const Criterion noPhilco = MakeCriterion(kActionSubtract, kFieldBrand, kRelationEqual, philco);
  EXPECT_EQ(Fresh({noPhilco, none, none, none}), (std::vector<int>{1, 4}));
  // A None row decides an empty start even before an And row.
  EXPECT_TRUE(Fresh({none, after1935, none, none}).empty());
  // All (like the stack actions) is passed over when choosing the start.
  EXPECT_EQ(Fresh({MakeCriterion(kActionAll, 0, 0, 0), after1935, none, none}), (std::vector<int>{2, 3, 4}));
}

TEST_F(Selecting, LookupFieldsIgnoreTheRelationAndDatesNeedADate) {
  const RadioRecord& philco2 = *c.radios.FindById(2);
  EXPECT_TRUE(RadioMatches(philco2, MakeCriterion(kActionAdd, kFieldBrand, kRelationLess, philco)));
  EXPECT_TRUE(RadioMatches(philco2, MakeCriterion(kActionAdd, kFieldBrand, kRelationGreater, philco)));
  EXPECT_FALSE(
      RadioMatches(philco2, MakeCriterion(kActionAdd, 19, kRelationEqual, philco)));  // no such field

  RadioRecord dated = philco2;
  dated.dateAcquired = "05jan1950";
  EXPECT_TRUE(RadioMatches(dated, MakeCriterion(kActionAdd, kFieldDateAcquired, kRelationLess, 19600101)));
  EXPECT_TRUE(RadioMatches(dated, MakeCriterion(kActionAdd, kFieldDateAcquired, kRelationEqual, 19500105)));
  EXPECT_EQ(dated.dateAcquired, "05jan1950");  // tested on a copy
  dated.dateAcquired = "";
  EXPECT_FALSE(RadioMatches(dated, MakeCriterion(kActionAdd, kFieldDateAcquired, kRelationLess, 19600101)));
  EXPECT_FALSE(RadioMatches(dated, MakeCriterion(kActionAdd, kFieldDateAcquired, kRelationGreater, 0)));
  dated.dateDisposed = "31Apr1950";  // not a date
  EXPECT_FALSE(
      RadioMatches(dated, MakeCriterion(kActionAdd, kFieldDateDisposed, kRelationGreater, 19000101)));
}

TEST_F(Selecting, ModelsArePrefixesAndTubesWholeTypes) {
  const Criterion model = MakeCriterion(kActionAdd, kFieldModel, kRelationEqual, 0, "A");
  EXPECT_EQ(Fresh({model, none, none, none}), (std::vector<int>{1, 2}));  // not "a5"
  EXPECT_EQ(Fresh({MakeCriterion(kActionAdd, kFieldModel, kRelationEqual, 0, ""), none, none, none}).size(),
            4u);

  RadioRecord r;
  r.tubes.Set(0, kFunctionConverter, "12SA7");
  r.tubes.Set(1, kFunctionIfAmplifier, "12SK7");
  r.tubes.Set(2, kFunctionDetectorFirstAudio, "12SQ7");
  r.tubes.Set(3, kFunctionPowerAmplifier, "2*6v6");
  const auto tube = [&](const char* text) {
    return RadioMatches(r, MakeCriterion(kActionAdd, kFieldTube, 0, 0, text));
  };
  EXPECT_TRUE(tube("6V6"));
  EXPECT_TRUE(tube("6v6"));
  EXPECT_FALSE(tube("2*6V6"));
  EXPECT_FALSE(tube("6V"));

  RadioRecord gap;
  gap.tubes.Set(1, kFunctionPowerAmplifier, "6V6");  // slot 0 empty ends the search
  EXPECT_FALSE(RadioMatches(gap, MakeCriterion(kActionAdd, kFieldTube, 0, 0, "6V6")));
}

TEST_F(Selecting, RowsThenTheFilterAndKeepModeFromTheHighlightedMembers) {
  const Criterion philcos = MakeCriterion(kActionAdd, kFieldBrand, kRelationEqual, philco);
  EXPECT_EQ(Fresh({philcos, philcos, none, none}), (std::vector<int>{2, 3}));

  // Rows, then the filter: push the Philcos, select the early sets, keep those in both.
  c.macros.push_back({"Early Philcos",
                      {ReadMacroEntry("push", c.tables), ReadMacroEntry("+Year<1940", c.tables),
                       ReadMacroEntry("&&", c.tables)}});
  SelectionParameters p;
  p.rows = {philcos, none, none, none};
  p.filter = &c.macros.back();
  EvaluateParameters(p, Evaluation::kFresh, c, state);
  EXPECT_EQ(Ids(state.current), std::vector<int>{2});
  EXPECT_EQ(state.stack.depth, 0);

  // Keep mode starts from the members left highlighted: with every one discarded in the dialog, only
  // the Add row's own matches come in.
  p.filter = nullptr;
  EvaluateParameters(p, Evaluation::kKeep, c, state, [](const RadioRecord*) { return false; });
  EXPECT_EQ(Ids(state.current), (std::vector<int>{2, 3}));
}

TEST_F(Selecting, ChangesSelectAddedAndEditedRadios) {
  c.radios.FindById(3)->value = 99;
  AddRadio(c, test::MakeRadio(c, {.id = 9, .brand = "Crosley", .model = "Z"}));
  SelectChanges(c, state);
  EXPECT_EQ(Ids(state.current), (std::vector<int>{9, 3}));  // radio order: Crosley before Philco
  ASSERT_NE(state.currentRadio, nullptr);
  EXPECT_EQ(state.currentRadio->id, 9);
}

TEST_F(Selecting, MemberLinesDescribeTheRadio) {
  RadioRecord* r = c.radios.FindById(4);
  r->cabinetColour = "Walnut";
  r->cabinetComposition = Position(c, kTableCabinetComposition, "Wood");
  r->cabinetTrim = Position(c, kTableCabinetTrim, "Chrome");
  r->dialPosition = Position(c, kTablePosition, "Front");
  r->tuningDial = Position(c, kTableTuningDial, "Round");
  EXPECT_EQ(
      MemberText(c, *r),
      "Zenith H500, 1951, Unknown, To Be Restored, Walnut Wood, Chrome, Front Round Dial, Unknown Unknown "
      "Grill 4");
  r->cabinetTrim = Position(c, kTableCabinetTrim, "No Trim");
  r->trimColour = "Gold";  // not shown without a trim
  r->cabinetColour = "";
  EXPECT_EQ(MemberText(c, *r),
            "Zenith H500, 1951, Unknown, To Be Restored, Wood, Front Round Dial, Unknown Unknown Grill 4");
}

TEST_F(Selecting, FiltersStopAtTheFirstStarredMacroAndStoredSelectionsComeBack) {
  c.macros = {{"Tubes", {}}, {"Sold", {}}, {"*Private", {}}, {"", {}}};
  const auto filters = FilterList(c);
  ASSERT_EQ(filters.size(), 2u);
  EXPECT_EQ(filters[1]->name, "Sold");

  RestoreSelection(state, c, {4, 77, 2, 2}, 2);
  EXPECT_EQ(Ids(state.current), (std::vector<int>{2, 4}));
  EXPECT_EQ(state.currentRadio, c.radios.FindById(2));
  RestoreSelection(state, c, {}, -1);
  EXPECT_EQ(state.currentRadio, nullptr);

  state.parameters.filterName = "Sold";
  SelectionParameters saved;
  saved.filterName = "sold";  // names match exactly or not at all
  state.saved.push_back(saved);
  state.saved.push_back(SelectionParameters());  // saved without a filter: no macro, not the unnamed one
  ResolveSavedFilters(state, c);
  EXPECT_EQ(state.parameters.filter, &c.macros[1]);
  EXPECT_EQ(state.saved[0].filter, nullptr);
  EXPECT_EQ(state.saved[1].filter, nullptr);
}

// Typed words and the sample radios they must find: case never matters, accented letters
// included, whether a text was stored as UTF-8 or, by an older program, as Windows-1252.
TEST(QuickFilter, FindsTheSampleRadiosByEveryTypedWord) {
  MessageRecorder messages;
  Collection c;
  ASSERT_TRUE(LoadCollection(KORVEL_SAMPLE, c).opened);
  c.radios.FindById(7)->comments = "Cabinet of \u00c9b\u00e8ne, STRASSE find";  // UTF-8
  c.radios.FindById(8)->comments = "Finition \xE9\x62\xE8ne";                   // Windows-1252
  c.radios.FindById(9)->cabinetColour = "Gro\u00df";                            // Groß

  const struct {
    const char* typed;
    std::vector<int> ids;
  } cases[] = {
      {"PHILCO", {3, 5, 8, 9, 14, 28, 30, 35, 41}},                 // brand and manufacturer
      {"philco   cathedral", {3, 5}},                               // every word, blanks between them
      {"Cathedral philco", {3, 5}},                                 // in any order
      {"6V6", {11, 17}},                                            // a tube type
      {"ebay SAMS", {23, 29, 33, 35, 36, 38, 39, 41, 44, 45, 47}},  // places, references
      {"1936", {7}},                                                // the year
      {"zenith black", {19, 44}},                                   // a colour
      {"\u00c9B\u00c8NE", {7, 8}},  // ÉBÈNE finds ébène in either encoding
      {"ebene", {}},                // the accents themselves count
      {"stra\u00dfe", {7}},         // ß folds to ss
      {"GROSS", {9}},
      {"philco zzz", {}},
      {"", {}},  // no words: every radio (checked below)
  };
  QuickFilter filter;
  for (const auto& [typed, expected] : cases) {
    std::vector<int> found = test::Ids(filter.Narrow(c.tables, c.radios, typed));
    if (std::string(typed).empty()) {
      EXPECT_EQ(found.size(), 48u) << "a blank search field leaves every radio";
      continue;
    }
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, expected) << "typing \"" << typed << "\" found other radios";
  }
  // Typing on narrows what was found; taking letters back widens it again.
  EXPECT_EQ(filter.Narrow(c.tables, c.radios, "phil").Count(), 10);
  EXPECT_EQ(filter.Narrow(c.tables, c.radios, "philc").Count(), 9);
  EXPECT_EQ(filter.Narrow(c.tables, c.radios, "phil").Count(), 10);
}

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
          std::erase_if(current, [&](int id) { return !stack.back().contains(id); });
          stack.pop_back();
          break;
        case kActionOrCombine:
          current.insert(stack.back().begin(), stack.back().end());
          stack.pop_back();
          break;
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
  p.rows[0] = MakeCriterion(kActionAdd, kFieldYear, kRelationGreater, year);
  return p;
}

// Kept in name order, a name saved again in its place, no more than the menu can reach; the menu that
// shows them is the frame's test.
TEST_F(Selecting, SavedSelectionsStaySortedComeBackAndAreBounded) {
  EXPECT_EQ(SaveSelection(state, Named("B", 1931)), 0);
  EXPECT_EQ(SaveSelection(state, Named("A", 1932)), 0);
  EXPECT_EQ(SaveSelection(state, Named("B", 1940)), 1);
  ASSERT_EQ(state.saved.size(), 2u);
  EXPECT_EQ(state.saved[0].name, "A");
  EXPECT_EQ(state.saved[1].rows[0].value, 1940);

  EXPECT_TRUE(RecallSavedSelection(1, c, state));
  EXPECT_EQ(Ids(state.current), (std::vector<int>{3, 4}));
  EXPECT_EQ(state.parameters.name, "B");
  EXPECT_EQ(state.currentRadio, c.radios.FindById(3));
  EXPECT_FALSE(RecallSavedSelection(2, c, state));

  for (int i = 2; i < kSavedSelectionLimit; ++i) {
    ASSERT_GE(SaveSelection(state, Named(std::string("S").append(std::to_string(100 + i)), 1930)), 0);
  }
  EXPECT_EQ(SaveSelection(state, Named("One too many", 1930)), -1);
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_NE(messages.Texts()[0].find("30"), std::string::npos);
  EXPECT_EQ(SaveSelection(state, Named("A", 1935)), 0);  // replacing one still works
  EXPECT_EQ(SaveSelection(state, Named("", 1935)), -1);  // and a name is needed
  EXPECT_EQ(state.saved.size(), static_cast<std::size_t>(kSavedSelectionLimit));
}

}  // namespace
}  // namespace korvel

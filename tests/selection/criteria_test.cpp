// Choosing radios: criteria rows, filters, saved selections and the quick filter.
#include <gtest/gtest.h>

#include <algorithm>

#include "collection/data_file.h"
#include "collection/macro_text.h"
#include "selection/criteria.h"
#include "selection/quick_filter.h"
#include "support/collection_builder.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

using test::AddLoadedRadio;
using test::MakeCollection;
using test::Position;

using test::Ids;

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

TEST_F(Selecting, AddingAMemberTwiceKeepsOneAndFiltersRunAfterTheRows) {
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
}

TEST_F(Selecting, KeepModeStartsFromTheHighlightedMembers) {
  const Criterion philcos = MakeCriterion(kActionAdd, kFieldBrand, kRelationEqual, philco);
  Fresh({MakeCriterion(kActionAdd, kFieldYear, kRelationLess, 1940), none, none, none});
  EXPECT_EQ(Ids(state.current), (std::vector<int>{1, 2}));
  // Everything discarded in the dialog: only the Add row's own matches come in.
  SelectionParameters p;
  p.rows = {philcos, none, none, none};
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
  c.radios.FindById(7)->comments =
      "Cabinet of \xC3\x89"
      "b\xC3\xA8ne, STRASSE find";  // UTF-8
  c.radios.FindById(8)->comments =
      "Finition \xE9"
      "b\xE8ne";                                        // Windows-1252
  c.radios.FindById(9)->cabinetColour = "Gro\xC3\x9F";  // Groß

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
      {"\xC3\x89"
       "B\xC3\x88NE",
       {7, 8}},       // ÉBÈNE finds ébène in either encoding
      {"ebene", {}},  // the accents themselves count
      {"stra\xC3\x9F"
       "e",
       {7}},  // ß folds to ss
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

}  // namespace
}  // namespace korvel

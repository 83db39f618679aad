#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>

#include "collection/radio_list.h"
#include "collection/radio_ops.h"
#include "support/collection_builder.h"
#include "support/random_collection.h"

namespace korvel {
namespace {

using test::MakeCollection;
using test::MakeRadio;
using test::RadioFields;

// Each key of the radio order, in its place: two radios that differ first in that key sort by it,
// whatever every later key says. Texts compare byte-wise ('Z' before 'a').
TEST(RadioOrder, EachKeyDecidesBeforeEveryLaterOne) {
  using Set = void (*)(RadioRecord&, int rank);
  const std::vector<std::pair<const char*, Set>> keys = {
      {"brand", [](RadioRecord& r, int k) { r.brand = k; }},
      {"model", [](RadioRecord& r, int k) { r.model = k ? "a" : "Z"; }},
      {"year", [](RadioRecord& r, int k) { r.year = 1930 + k; }},
      {"cabinet style", [](RadioRecord& r, int k) { r.cabinetStyle = k; }},
      {"status", [](RadioRecord& r, int k) { r.status = k; }},
      {"cabinet colour", [](RadioRecord& r, int k) { r.cabinetColour = k ? "a" : "Z"; }},
      {"cabinet composition", [](RadioRecord& r, int k) { r.cabinetComposition = k; }},
      {"trim", [](RadioRecord& r, int k) { r.cabinetTrim = k; }},  // Chrome, Gold
      {"trim colour", [](RadioRecord& r, int k) { r.trimColour = k ? "a" : "Z"; }},
      {"dial position", [](RadioRecord& r, int k) { r.dialPosition = k; }},
      {"tuning dial", [](RadioRecord& r, int k) { r.tuningDial = k; }},
      {"grill position", [](RadioRecord& r, int k) { r.grillPosition = k; }},
      {"grill style", [](RadioRecord& r, int k) { r.grillStyle = k; }},
      {"identifier", [](RadioRecord& r, int k) { r.id = k; }},
  };
  const Collection c = MakeCollection();
  for (std::size_t key = 0; key < keys.size(); ++key) {
    RadioRecord first, second;
    for (std::size_t other = 0; other < keys.size(); ++other) {
      keys[other].second(first, other < key ? 0 : (other == key ? 0 : 1));
      keys[other].second(second, other < key ? 0 : (other == key ? 1 : 0));
    }
    EXPECT_LT(CompareRadios(c.tables, first, second), 0)
        << "the " << keys[key].first << " did not decide the order";
    EXPECT_GT(CompareRadios(c.tables, second, first), 0)
        << "the " << keys[key].first << " did not decide the order";
    EXPECT_EQ(CompareRadios(c.tables, first, first), 0);
  }
  // Without a trim the trim colours are passed over.
  auto a = MakeRadio(c, {.id = 1, .trim = "No Trim", .trimColour = "Red"});
  auto b = MakeRadio(c, {.id = 2, .trim = "No Trim", .trimColour = "Blue"});
  EXPECT_LT(CompareRadios(c.tables, *a, *b), 0) << "the trim colour counted on radios without a trim";
}

TEST(RadioOrder, ATrimPositionOutsideItsTableIsNotNoTrim) {
  Collection c = MakeCollection();
  auto a = MakeRadio(c, {.id = 1, .trimColour = "B"});
  auto b = MakeRadio(c, {.id = 2, .trimColour = "A"});
  a->cabinetTrim = b->cabinetTrim = 999;  // from a damaged file: must not crash, colours count
  EXPECT_GT(CompareRadios(c.tables, *a, *b), 0);
}

// Radios inserted one by one, equal copies and the same radio twice among them, keep the radio order
// and only the first of equal records; building the list in one go gives the same list.
RC_GTEST_PROP(RadioList, InsertingOneByOneAndBuildingInOneGoGiveTheRadioOrder, ()) {
  const Collection c = test::RandomCollection();  // for its tables
  std::vector<std::unique_ptr<RadioRecord>> radios;
  std::vector<RadioRecord*> given;
  for (int i = *rc::gen::inRange(0, 30); i > 0; --i) {
    if (!radios.empty() && *rc::gen::inRange(0, 4) == 0)  // an equal copy of one given before
      radios.push_back(std::make_unique<RadioRecord>(*radios[*rc::gen::inRange<std::size_t>(0, radios.size())]));
    else
      radios.push_back(test::RandomRadio(c));
    given.push_back(radios.back().get());
    if (*rc::gen::inRange(0, 5) == 0) given.push_back(radios.back().get());  // the same radio again
  }
  RadioList inserted;
  std::vector<const RadioRecord*> kept;
  for (RadioRecord* r : given) {
    const bool held = std::any_of(kept.begin(), kept.end(),
                                  [&](const RadioRecord* k) { return CompareRadios(c.tables, *k, *r) == 0; });
    RC_ASSERT(InsertRadio(c.tables, r, inserted) == !held);
    if (!held) kept.push_back(r);
  }
  RC_ASSERT(static_cast<std::size_t>(inserted.Count()) == kept.size());
  for (int i = 0; i + 1 < inserted.Count(); ++i)
    RC_ASSERT(CompareRadios(c.tables, *inserted[i], *inserted[i + 1]) < 0);
  RC_ASSERT(BuildRadioList(c.tables, given).Records() == inserted.Records());
}

TEST(Collection, OwnsItsRadiosAndDropsDuplicates) {
  Collection c = MakeCollection();
  RadioRecord* a = AddRadio(c, MakeRadio(c, {.id = 1, .brand = "Zenith"}));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(AddRadio(c, MakeRadio(c, {.id = 1, .brand = "Zenith"})), nullptr);
  EXPECT_EQ(c.radios.Count(), 1);
  EXPECT_EQ(c.radioStore.size(), 1u);
  EXPECT_TRUE(DeleteRadio(c, a));
  EXPECT_EQ(c.radios.Count(), 0);
  EXPECT_TRUE(c.radioStore.empty());
}

TEST(NewRadio, DefaultsComeFromTheTablesByName) {
  Collection c = test::MakeCollection();
  RadioRecord r;
  r.model = "left over";
  r.tubes.Set(3, kFunctionRectifier, "80");
  r.currentPicture = 2;
  SetNewRadioDefaults(c, r);
  EXPECT_EQ(c.tables[kTableBrandName].Text(r.brand), "Unknown");
  EXPECT_EQ(c.tables[kTableCabinetTrim].Text(r.cabinetTrim), "No Trim");
  EXPECT_EQ(c.tables[kTablePosition].Text(r.dialPosition), "Unknown");
  EXPECT_EQ(c.tables[kTablePosition].Text(r.grillPosition), "Unknown");
  EXPECT_EQ(c.tables[kTableTuningDial].Text(r.tuningDial), "Unknown");
  EXPECT_EQ(r.model, "Unknown");
  EXPECT_EQ(r.year, 1900);
  EXPECT_EQ(r.status, kStatusToBeRestored);
  EXPECT_EQ(r.technology, kTechTube);
  EXPECT_EQ(r.pushButtons, kNo);
  EXPECT_EQ(r.id, 0);
  EXPECT_EQ(r.tubes.HeldCount(), 0);
  EXPECT_EQ(r.pictureIndex, -1);
  EXPECT_EQ(r.currentPicture, 2);  // the caller's to set

  // A table without the default entry gives position 0.
  c.tables[kTableBands].entries = {"AM", "FM"};
  SetNewRadioDefaults(c, r);
  EXPECT_EQ(r.bands, 0);
}

TEST(RadioRelease, ClearsEveryFieldAndLetsGoOfItsPictures) {
  Collection c = test::MakeCollection();
  auto radio = test::MakeRadio(c, {.id = 4, .model = "Bullet", .tubes = {{kFunctionConverter, "12SA7"}}});
  radio->pictureIndex = 7;
  ReleaseRadio(*radio);
  EXPECT_TRUE(radio->model.empty());
  EXPECT_EQ(radio->id, 0);
  EXPECT_EQ(radio->tubes.HeldCount(), 0);
  EXPECT_EQ(radio->pictureIndex, -1);  // "no picture", never a registry slot
}

TEST(TubeSlots, SearchAndEmptySlots) {
  RadioRecord r;
  r.tubes.Set(0, kFunctionIfAmplifier, "12SK7");
  r.tubes.Set(2, kFunctionIfAmplifier, "12SK7");
  r.tubes.Set(4, kFunctionRectifier, "35Z5");
  EXPECT_EQ(FindTubeSlot(r, kFunctionIfAmplifier, -1), 0);
  EXPECT_EQ(FindTubeSlot(r, kFunctionIfAmplifier, 0), 2);
  EXPECT_EQ(FindTubeSlot(r, kFunctionIfAmplifier, 2), -1);
  EXPECT_EQ(FindTubeSlot(r, kFunctionNone, -1), -1);  // function 0 never matches empty slots

  EXPECT_FALSE(r.tubes[1].IsFilled());
  EXPECT_FALSE(r.tubes[29].IsFilled());  // beyond what is held: empty
  r.tubes.Set(5, kFunctionRectifier, "");
  EXPECT_FALSE(r.tubes[5].IsFilled());  // a function without a type is not filled

  RadioRecord same;
  same.tubes.Set(0, kFunctionIfAmplifier, "12SK7");
  same.tubes.Set(2, kFunctionIfAmplifier, "12SK7");
  same.tubes.Set(4, kFunctionRectifier, "35Z5");
  same.tubes.Set(5, kFunctionRectifier, "");
  same.tubes.Set(9, kFunctionNone, "");  // held but empty: still equal
  EXPECT_TRUE(same.tubes == r.tubes);
}

}  // namespace
}  // namespace korvel

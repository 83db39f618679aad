#include <gtest/gtest.h>

#include "collection/radio_ops.h"
#include "support/collection_builder.h"

namespace korvel {
namespace {

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

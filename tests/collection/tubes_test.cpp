#include <gtest/gtest.h>

#include <algorithm>

#include "collection/radio_ops.h"
#include "collection/tubes.h"
#include "support/collection_builder.h"

namespace korvel {
namespace {

using test::AddLoadedRadio;
using test::MakeCollection;

TEST(TubeNames, EdgesOfPaddingAndCounts) {
  EXPECT_EQ(PadTubeName("1629"), " 1629");
  EXPECT_EQ(PadTubeName("OZ4"), " OZ4");
  EXPECT_EQ(PadTubeName(""), " ");
  EXPECT_EQ(PadTubeName(std::string(100, 'X')).size(), static_cast<std::size_t>(kPaddedNameLimit));
  EXPECT_EQ(PadTubeText("x*6V6").count, 1) << "a count that is not a number";
  EXPECT_EQ(PadTubeText("12SA7").count, 1);
}

TEST(Inventory, LinesAddCountsPerPiece) {
  InventoryList list;
  TubeAliasList aliases;
  ParseInventoryLine("2*6V6,6K7", kTechTube, list, aliases);
  ParseInventoryLine("6V6,", kTechTube, list, aliases);
  ASSERT_TRUE(list.contains("   6V6"));
  EXPECT_EQ(list["   6V6"].count, 3);
  EXPECT_EQ(list["   6K7"].count, 1);
  EXPECT_EQ(list["   6K7"].kind, kTechTube);
  ASSERT_TRUE(list.contains(" "));  // the empty piece after the trailing comma
  EXPECT_EQ(list[" "].count, 1);
  EXPECT_EQ(list.begin()->first, " ");  // sorted byte-wise
}

TEST(Inventory, AliasesMergeTwoNamesIntoOne) {
  TubeAliasList aliases;
  EXPECT_TRUE(InsertTubeAlias("ECC32 6SN7", aliases));
  ASSERT_EQ(aliases.size(), 1u);
  EXPECT_EQ(aliases.begin()->second.name, " ECC32");
  EXPECT_EQ(aliases.begin()->second.aliasOf, "   6SN7");  // the one that sorts first

  EXPECT_TRUE(InsertTubeAlias("6SN7  ECC33", aliases));
  EXPECT_TRUE(InsertTubeAlias("6SN8 ECC32", aliases));  // ECC32 already has an alias: kept
  EXPECT_EQ(aliases[" ECC32"].aliasOf, "   6SN7");
  EXPECT_FALSE(InsertTubeAlias("6SN7", aliases));  // no second name
  EXPECT_FALSE(InsertTubeAlias("6SN7 ", aliases));

  InventoryList list;
  ParseInventoryLine("ECC32,2*6SN7", kTechTube, list, aliases);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list["   6SN7"].count, 3);
  EXPECT_EQ(FindInventoryItem(PadTubeName("ECC33"), list, aliases), &list["   6SN7"]);
  EXPECT_EQ(FindInventoryItem(PadTubeName("6L6"), list, aliases), nullptr);

  // A lookup matches leading blanks aside.
  EXPECT_NE(FindTubeAlias("ECC32", aliases), nullptr);
  EXPECT_EQ(FindTubeAlias(" 6SN7", aliases), nullptr);
}

TEST(TubeUsage, CountsWhatRadiosStillHeldUse) {
  Collection c = MakeCollection();
  AddLoadedRadio(c, {.id = 1, .tubes = {{kFunctionPowerAmplifier, "2*6V6"}, {kFunctionRectifier, "5Y3"}}});
  AddLoadedRadio(c, {.id = 2, .brand = "Zenith", .tubes = {{kFunctionPowerAmplifier, "6V6,6F6"}}});
  AddLoadedRadio(c,
                 {.id = 3, .brand = "Philco", .status = kStatusSold, .tubes = {{kFunctionRectifier, "5Y3"}}});
  AddLoadedRadio(c, {.id = 4,
                     .brand = "Crosley",
                     .technology = kTechHybrid,
                     .tubes = {{kFunctionPowerAmplifier, "2N301"}, {kFunctionConverter, "12AD6"}}});
  AddLoadedRadio(
      c,
      {.id = 5, .brand = "Emerson", .technology = kTechTransistor, .tubes = {{kFunctionConverter, "2N412"}}});
  ParseInventoryLine("4*80", kTechTube, c.inventory, c.aliases);
  ParseInventoryLine("2*2N412", kTechTransistor, c.inventory, c.aliases);

  InventoryList tubes = TubeUsage(c, kTechTube);
  EXPECT_EQ(tubes["   6V6"].count, 3);
  EXPECT_EQ(tubes["   6F6"].count, 1);
  EXPECT_EQ(tubes["   5Y3"].count, 1);  // the sold radio's rectifier is not counted
  EXPECT_EQ(tubes["  12AD6"].count, 1);
  EXPECT_EQ(tubes["  80"].count, 0);  // stocked, used by none
  EXPECT_FALSE(tubes.contains(" 2N301"));

  InventoryList transistors = TubeUsage(c, kTechTransistor);
  EXPECT_EQ(transistors.size(), 2u);
  EXPECT_EQ(transistors["   2N301"].count, 1);  // a hybrid's power amplifier is a transistor
  EXPECT_EQ(transistors["   2N412"].count, 1);

  FillStockCounts(transistors, c.inventory, c.aliases);
  EXPECT_EQ(transistors["   2N412"].secondCount, 2);
  EXPECT_EQ(transistors["   2N301"].secondCount, 0);
}

TEST(TubeFunction, MostCommonUseWins) {
  Collection c = MakeCollection();
  for (int i = 0; i < 3; ++i) {
    AddLoadedRadio(c, {.id = 10 + i, .tubes = {{kFunctionRectifier, "6X5"}}});
    AddLoadedRadio(c, {.id = 20 + i, .tubes = {{kFunctionPowerAmplifier, "6X5"}}});
  }
  EXPECT_EQ(MostCommonFunction(c, "6X5"), kFunctionPowerAmplifier);  // tie: the lower position
  EXPECT_EQ(MostCommonFunction(c, "2*6X5"), kFunctionPowerAmplifier);
  EXPECT_EQ(MostCommonFunction(c, "6L6"), kFunctionUnknown);

  // Slots after the first unfilled one are not looked at.
  AddLoadedRadio(c, {.id = 30, .tubes = {{kFunctionNone, ""}, {kFunctionRectifier, "6X5"}}});
  AddLoadedRadio(c, {.id = 31, .tubes = {{kFunctionNone, ""}, {kFunctionRectifier, "6X5"}}});
  EXPECT_EQ(MostCommonFunction(c, "6X5"), kFunctionPowerAmplifier);

  // Ten uses settle it at once, whatever follows.
  for (int i = 0; i < 10; ++i) AddLoadedRadio(c, {.id = 40 + i, .tubes = {{kFunctionRectifier, "6X5"}}});
  EXPECT_EQ(MostCommonFunction(c, "6X5"), kFunctionRectifier);

  // Through an alias.
  InsertTubeAlias("6X5 EZ35", c.aliases);
  EXPECT_EQ(MostCommonFunction(c, "EZ35"), kFunctionRectifier);
}

}  // namespace
}  // namespace korvel

#include <gtest/gtest.h>

#include <algorithm>

#include "collection/radio_ops.h"
#include "collection/tubes.h"
#include "support/collection_builder.h"

namespace korvel {
namespace {

using test::AddLoadedRadio;
using test::MakeCollection;

std::vector<std::pair<int, std::string>> Slots(const RadioRecord& r) {
  std::vector<std::pair<int, std::string>> slots;
  for (int i = 0; i < kTubeSlotCount; ++i) {
    if (r.tubes[i].function != 0) slots.emplace_back(r.tubes[i].function, r.tubes[i].type);
  }
  return slots;
}

TEST(TubeNames, PaddingPutsTubesInNumericOrder) {
  EXPECT_EQ(PadTubeName("6V6"), "   6V6");
  EXPECT_EQ(PadTubeName("12SK7"), "  12SK7");
  EXPECT_EQ(PadTubeName("117Z3"), " 117Z3");
  EXPECT_EQ(PadTubeName("1629"), " 1629");
  EXPECT_EQ(PadTubeName("OZ4"), " OZ4");
  EXPECT_EQ(PadTubeName(""), " ");

  std::vector<std::string> names = {PadTubeName("OZ4"), PadTubeName("1629"), PadTubeName("117Z3"),
                                    PadTubeName("12SK7"), PadTubeName("6V6")};
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"   6V6", "  12SK7", " 117Z3", " 1629", " OZ4"}));

  EXPECT_EQ(PadTubeName(std::string(100, 'X')).size(), static_cast<std::size_t>(kPaddedNameLimit));
  EXPECT_EQ(UnpaddedName("  12SK7"), "12SK7");
}

TEST(TubeNames, CountsBeforeAStar) {
  PaddedTube t = PadTubeText("2*6V6");
  EXPECT_EQ(t.name, "   6V6");
  EXPECT_EQ(t.count, 2);
  t = PadTubeText("x*6V6");  // not a number: one
  EXPECT_EQ(t.count, 1);
  t = PadTubeText("12SA7");
  EXPECT_EQ(t.name, "  12SA7");
  EXPECT_EQ(t.count, 1);
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

TEST(LineUp, AnRfAmplifierBringsTheWholeSet) {
  RadioRecord r;
  r.tubes.Set(0, kFunctionRfAmplifier, "12SK7");
  CompleteLineUp(r, {});
  EXPECT_EQ(Slots(r), (std::vector<std::pair<int, std::string>>{{kFunctionRfAmplifier, "12SK7"},
                                                                {kFunctionConverter, "12SA7"},
                                                                {kFunctionIfAmplifier, "12SK7"},
                                                                {kFunctionDetectorFirstAudio, "12SQ7"},
                                                                {kFunctionPowerAmplifier, "35L6"},
                                                                {kFunctionRectifier, "35Z5"}}));
}

TEST(LineUp, AConverterAloneGetsTheSetWithoutRfStage) {
  RadioRecord r;
  r.tubes.Set(0, kFunctionConverter, "12SA7");
  CompleteLineUp(r, {});
  EXPECT_EQ(Slots(r), (std::vector<std::pair<int, std::string>>{{kFunctionConverter, "12SA7"},
                                                                {kFunctionIfAmplifier, "12SK7"},
                                                                {kFunctionDetectorFirstAudio, "12SQ7"},
                                                                {kFunctionPowerAmplifier, "50L6"},
                                                                {kFunctionRectifier, "35Z5"}}));

  // A Battery set takes no rectifier, wherever an insert has moved Battery in the table.
  const LookupTable power{
      .entries = {"AC", "AC/DC", "AC/DC/Battery", "Accumulator", "Automobile", "Battery"}};
  for (const int source : {5, 4}) {
    RadioRecord portable;
    portable.powerSource = source;
    portable.tubes.Set(0, kFunctionConverter, "1R5");
    portable.tubes.Set(1, kFunctionPowerAmplifier, "3S4");
    CompleteLineUp(portable, power);
    EXPECT_EQ(FindTubeSlot(portable, kFunctionRectifier, -1) >= 0, source != 5) << power.Text(source);
    EXPECT_EQ(Slots(portable)[3], (std::pair<int, std::string>{kFunctionDetectorFirstAudio, "1U5"}));
  }
}

TEST(LineUp, NoMatchOrNoRoomAddsNothing) {
  RadioRecord other;
  other.tubes.Set(0, kFunctionConverter, "6SA7");
  CompleteLineUp(other, {});
  EXPECT_EQ(Slots(other).size(), 1u);

  RadioRecord lowerCase;  // comparisons are exact
  lowerCase.tubes.Set(0, kFunctionConverter, "12sa7");
  CompleteLineUp(lowerCase, {});
  EXPECT_EQ(Slots(lowerCase).size(), 1u);

  RadioRecord full;
  full.tubes.Set(0, kFunctionConverter, "12SA7");
  for (int i = 1; i < kTubeSlotCount; ++i) full.tubes.Set(i, kFunctionSecondAudio, "6C6");
  CompleteLineUp(full, {});
  EXPECT_EQ(Slots(full).size(), static_cast<std::size_t>(kTubeSlotCount));
  EXPECT_EQ(full.tubes[29].type, "6C6");
}

}  // namespace
}  // namespace korvel

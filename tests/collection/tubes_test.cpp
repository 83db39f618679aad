// Tube names, aliases, the stock list and the tube rows of the edit dialog.
#include <gtest/gtest.h>

#include "collection/data_file.h"
#include "collection/inventory_usage.h"
#include "collection/radio_ops.h"
#include "collection/tube_rows.h"
#include "collection/tubes.h"
#include "support/collection_builder.h"
#include "util/message_recorder.h"

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

InventoryItem Item(int used, int stock) {
  InventoryItem item;
  item.count = used;
  item.secondCount = stock;
  return item;
}

std::vector<std::string> Names(const InventoryUsage& usage) {
  std::vector<std::string> names;
  for (const auto& [name, item] : usage.items) names.emplace_back(UnpaddedName(name));
  return names;
}

void Stock(Collection& c, const std::string& type, int count, int kind) {
  InventoryItem* item = InsertTube(PadTubeName(type), c.inventory, c.aliases);
  item->count = count;
  item->kind = kind;
  c.asLoadedInventory = c.inventory;
}

TEST(InventoryList, ShortWhenFewSparesServeMany) {
  EXPECT_TRUE(IsShortOfStock(Item(11, 2)));
  EXPECT_FALSE(IsShortOfStock(Item(10, 2)));   // a fifth of the pieces used is enough
  EXPECT_FALSE(IsShortOfStock(Item(100, 3)));  // three spares always are
  EXPECT_TRUE(IsShortOfStock(Item(1, 0)));
  EXPECT_FALSE(IsShortOfStock(Item(0, 0)));  // stocked once, neither used nor in stock
}

TEST(InventoryList, ListsUsedAndStockedTypesInTubeOrderWithTheirStock) {
  Collection c = MakeCollection();
  InsertTubeAlias("6V6GT 6V6", c.aliases);
  AddLoadedRadio(c,
                 {.id = 1, .tubes = {{kFunctionConverter, "12SA7"}, {kFunctionPowerAmplifier, "2*6V6GT"}}});
  AddLoadedRadio(c,
                 {.id = 2, .tubes = {{kFunctionRectifier, "117Z3"}, {kFunctionPowerAmplifier, "6V6,6F6"}}});
  AddLoadedRadio(c, {.id = 3, .status = kStatusSold, .tubes = {{kFunctionRectifier, "80"}}});
  AddLoadedRadio(c, {.id = 4,
                     .technology = kTechHybrid,
                     .tubes = {{kFunctionConverter, "1R5"}, {kFunctionPowerAmplifier, "2N109"}}});
  Stock(c, "6V6", 4, kTechTube);
  Stock(c, "OZ4", 2, kTechTube);
  Stock(c, "2N109", 1, kTechTransistor);

  const InventoryUsage tubes = BuildInventoryUsage(c, kTechTube);
  EXPECT_EQ(tubes.title, "Tube");
  EXPECT_EQ(tubes.kind, kTechTube);
  // The sold radio's 80 is not counted; the stocked OZ4 is listed though no radio uses it.
  EXPECT_EQ(Names(tubes), (std::vector<std::string>{"1R5", "6F6", "6V6", "12SA7", "117Z3", "OZ4"}));
  const InventoryItem& sixV6 = tubes.items.at(PadTubeName("6V6"));
  EXPECT_EQ(sixV6.count, 3);  // 2*6V6GT through the alias, and one 6V6
  EXPECT_EQ(sixV6.secondCount, 4);
  EXPECT_FALSE(IsShortOfStock(sixV6));
  EXPECT_EQ(tubes.items.at(PadTubeName("OZ4")).count, 0);
  EXPECT_EQ(tubes.items.at(PadTubeName("OZ4")).secondCount, 2);

  const InventoryUsage transistors = BuildInventoryUsage(c, kTechTransistor);
  EXPECT_EQ(transistors.title, "Transistor");
  EXPECT_EQ(Names(transistors), (std::vector<std::string>{"2N109"}));  // the hybrid's output stage
  EXPECT_EQ(transistors.items.at(PadTubeName("2N109")).secondCount, 1);
}

TEST(InventoryEdit, TypedCountsAndNamesThatTheFileKeeps) {
  EXPECT_EQ(ParseStockCount(" 12 "), 12);
  EXPECT_EQ(ParseStockCount("0"), 0);
  EXPECT_EQ(ParseStockCount("2147483647"), 2147483647);
  for (const char* bad : {"", "  ", "abc", "12abc", "1.5", "-3", "+3", "2147483648", "99999999999999"})
    EXPECT_EQ(ParseStockCount(bad), std::nullopt) << bad;

  EXPECT_EQ(NormalizeStockName("  6v6gt \t"), "6V6GT");
  EXPECT_EQ(StockNameProblem("6V6GT", 4), "");
  EXPECT_NE(StockNameProblem("", 4), "");
  EXPECT_NE(StockNameProblem("6V6\nGT", 4), "");
  EXPECT_NE(StockNameProblem("6V6,6K7", 4), "");  // would come back as two types
  // One data file line holds "count*name": the longest name depends on the count's digits.
  EXPECT_EQ(StockNameProblem(std::string(70, 'X'), 5), "");
  EXPECT_EQ(StockNameProblem(std::string(71, 'X'), 5), "The tube name holds at most 70 characters.");
  EXPECT_NE(StockNameProblem(std::string(70, 'X'), 10), "");
}

TEST(InventoryEdit, StockChangesMarkTheCollectionAndSurviveASave) {
  MessageRecorder messages;
  Collection c = MakeCollection();
  AddLoadedRadio(c, {.id = 1, .tubes = {{kFunctionConverter, "12SA7"}, {kFunctionPowerAmplifier, "6V6"}}});
  Stock(c, "6V6", 4, kTechTube);
  Stock(c, "2N109", 2, kTechTransistor);
  InventoryUsage usage = BuildInventoryUsage(c, kTechTube);

  // The same count changes nothing.
  EXPECT_FALSE(SetStockCount(c, usage, PadTubeName("6V6"), 4, false));
  EXPECT_FALSE(c.changed);

  // A type the radios use but nobody stocked gets an item of the list's kind.
  EXPECT_TRUE(SetStockCount(c, usage, PadTubeName("12SA7"), 2, false));
  EXPECT_TRUE(c.changed);
  EXPECT_EQ(c.inventory.at(PadTubeName("12SA7")).kind, kTechTube);
  EXPECT_EQ(usage.items.at(PadTubeName("12SA7")).secondCount, 2);

  // Added by name: upper-cased and padded, and shown in the list.
  EXPECT_TRUE(SetStockCount(c, usage, PadTubeName(NormalizeStockName("5y3")), 1, true));
  EXPECT_EQ(usage.items.at("   5Y3").secondCount, 1);
  EXPECT_EQ(usage.items.at("   5Y3").count, 0);

  // A transistor added to the tube list moves there even with its count unchanged.
  c.changed = false;
  EXPECT_TRUE(SetStockCount(c, usage, PadTubeName("2N109"), 2, true));
  EXPECT_TRUE(c.changed);
  EXPECT_EQ(usage.items.at(PadTubeName("2N109")).secondCount, 2);

  Collection read;
  ReadDataBytes(FormatDataFile(c), "radata.dat", read);
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_EQ(read.inventory.at(PadTubeName("12SA7")).count, 2);
  EXPECT_EQ(read.inventory.at(PadTubeName("5Y3")).count, 1);
  EXPECT_EQ(read.inventory.at(PadTubeName("2N109")).kind, kTechTube);
  EXPECT_EQ(read.inventory.at(PadTubeName("6V6")).count, 4);
}

TEST(TubeRows, GroupedByFunctionReadBackAndNeverLosingTubesBeyondTheRows) {
  RadioRecord radio;
  radio.tubes.Set(0, kFunctionRectifier, "5Y3");
  radio.tubes.Set(1, kFunctionIfAmplifier, "6SK7");
  radio.tubes.Set(2, kFunctionRfAmplifier, "6SG7");
  radio.tubes.Set(3, kFunctionIfAmplifier, "6SG7");
  radio.tubes.Set(4, kFunctionNone, "stray");  // no function: not shown
  MessageRecorder messages;
  TubeRows rows = FillTubeRows(radio);
  EXPECT_EQ(rows[0].type, "6SG7");  // RF amplifier first
  EXPECT_EQ(rows[1].type, "6SK7");  // IF amplifiers in slot order
  EXPECT_EQ(rows[2].type, "6SG7");
  EXPECT_EQ(rows[3].function, kFunctionRectifier);
  EXPECT_EQ(rows[4].function, kFunctionNone);
  EXPECT_TRUE(rows[4].type.empty());

  // Rows that begin with a blank or are empty do not count; texts are upper-cased; no function
  // is Unknown.
  rows[1].type = " 6SK7";
  rows[5] = {kFunctionNone, "6v6gt"};
  ReadTubeRows(rows, radio, nullptr);
  EXPECT_EQ(radio.tubes[0], (TubeSlot{kFunctionRfAmplifier, "6SG7"}));
  EXPECT_EQ(radio.tubes[1], (TubeSlot{kFunctionIfAmplifier, "6SG7"}));
  EXPECT_EQ(radio.tubes[2], (TubeSlot{kFunctionRectifier, "5Y3"}));
  EXPECT_EQ(radio.tubes[3], (TubeSlot{kFunctionUnknown, "6V6GT"}));
  EXPECT_FALSE(radio.tubes[4].IsFilled());
  EXPECT_TRUE(messages.messages().empty());

  // Eighteen tubes: the rows show sixteen and say so; the two they cannot show stay in the radio.
  RadioRecord big;
  for (int i = 0; i < 18; ++i) big.tubes.Set(i, kFunctionPowerAmplifier, "T" + std::to_string(i));
  rows = FillTubeRows(big);
  ASSERT_EQ(messages.Texts(), std::vector<std::string>{"Too many tubes"});
  EXPECT_EQ(rows[15].type, "T15");
  ReadTubeRows(rows, big, nullptr);
  EXPECT_EQ(big.tubes[16].type, "T16");
  EXPECT_EQ(big.tubes[17].type, "T17");
}

}  // namespace
}  // namespace korvel

#include "collection/inventory_usage.h"

#include <gtest/gtest.h>

#include "collection/data_file.h"
#include "collection/tubes.h"
#include "support/collection_builder.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

using test::AddLoadedRadio;
using test::MakeCollection;

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
  AddLoadedRadio(c, {.id = 2, .tubes = {{kFunctionRectifier, "117Z3"}, {kFunctionPowerAmplifier, "6V6"}}});
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
  EXPECT_EQ(Names(tubes), (std::vector<std::string>{"1R5", "6V6", "12SA7", "117Z3", "OZ4"}));
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

}  // namespace
}  // namespace korvel

// A radio and what it refers to: the keys of the radio order, a new radio's defaults, its tube slots
// and picture names; the lookup tables and the macro steps that name their entries; tube names,
// aliases, the stock list and the tube rows of the edit dialog; the money totals of a selection.
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <cstdint>
#include <tuple>

#include "collection/changes.h"
#include "collection/inventory_usage.h"
#include "collection/macro_text.h"
#include "collection/money_totals.h"
#include "collection/picture_names.h"
#include "collection/radio_list.h"
#include "collection/radio_ops.h"
#include "collection/tube_rows.h"
#include "collection/tubes.h"
#include "support/collection_builder.h"
#include "support/radio_fields.h"
#include "support/random_collection.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

using test::AddLoadedRadio;
using test::MakeCollection;
using test::MakeRadio;

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
  // Without a trim the trim colours are passed over; a trim outside its table (from a damaged file)
  // is not "No Trim", and must not crash.
  auto a = MakeRadio(c, {.id = 1, .trim = "No Trim", .trimColour = "Red"});
  auto b = MakeRadio(c, {.id = 2, .trim = "No Trim", .trimColour = "Blue"});
  EXPECT_LT(CompareRadios(c.tables, *a, *b), 0) << "the trim colour counted on radios without a trim";
  a->cabinetTrim = b->cabinetTrim = 999;
  EXPECT_GT(CompareRadios(c.tables, *a, *b), 0) << "the trim colour did not count beside an unknown trim";
}

// Radios inserted one by one, equal copies and the same radio twice among them, keep the radio order
// and only the first of equal records; building the list in one go gives the same list.
RC_GTEST_PROP(RadioList, InsertingOneByOneAndBuildingInOneGoGiveTheRadioOrder, ()) {
  const Collection c = test::RandomCollection();  // for its tables
  std::vector<std::unique_ptr<RadioRecord>> radios;
  std::vector<RadioRecord*> given;
  for (int i = *rc::gen::inRange(0, 30); i > 0; --i) {
    if (!radios.empty() && *rc::gen::inRange(0, 4) == 0)  // an equal copy of one given before
      radios.push_back(
          std::make_unique<RadioRecord>(*radios[*rc::gen::inRange<std::size_t>(0, radios.size())]));
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

// A record used before, as the Add dialog's work record is, made a new radio: nothing of the old one is
// left but the picture shown, which is the caller's to set.
TEST(NewRadio, DefaultsComeFromTheTablesByName) {
  Collection c = test::MakeCollection();
  RadioRecord r;
  r.model = "left over";
  r.tubes.Set(3, kFunctionRectifier, "80");
  r.currentPicture = 2;
  SetNewRadioDefaults(c, r);
  const std::string described = test::DescribeRadio(c.tables, r);
  for (const char* field :
       {"Identifier: 0\n", "Brand: Unknown\n", "Model: Unknown\n", "Year: 1900\n", "Cabinet Trim: No Trim\n",
        "Tuning Dial: Unknown\n", "Dial Position: Unknown\n", "Grill Position: Unknown\n",
        "Push Buttons: No\n", "Technology: Tube\n", "Status: To Be Restored\n", "Tubes:\n"})
    EXPECT_NE(described.find(field), std::string::npos) << "a new radio is not " << field << described;
  EXPECT_EQ(r.pictureIndex, -1);
  EXPECT_EQ(r.currentPicture, 2);

  // A table without the default entry gives position 0.
  c.tables[kTableBands].entries = {"AM", "FM"};
  SetNewRadioDefaults(c, r);
  EXPECT_EQ(r.bands, 0);
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

  RadioRecord same = r;
  same.tubes.Set(9, kFunctionNone, "");  // held but empty: still equal
  EXPECT_TRUE(same.tubes == r.tubes);
  same.tubes.Set(9, kFunctionRectifier, "80");
  EXPECT_FALSE(same.tubes == r.tubes);
}

TEST(PictureNames, ShortNamesKeepTheModelNumberLongest) {
  EXPECT_EQ(ShortName("Super Heterodyne 5-A"), "sprhtr5a");
  EXPECT_EQ(ShortName("Acme-Standard"), "cmstndrd");
  EXPECT_EQ(ShortName("H-500"), "h-500");  // short enough: the dash stays
  EXPECT_EQ(ShortName("5A410"), "5a410");
  EXPECT_EQ(ShortName("12345678901"), "12345678");
  EXPECT_EQ(ShortName("Mr. Who's?"), "mrwhos");
  EXPECT_EQ(ShortName("Trans-Oceanic"), "transcnc");
  EXPECT_EQ(ShortName(""), "");
}

TEST(PictureNames, BrandDirectoriesComeFromExistingPicturesOrTheBrandName) {
  Collection c = test::MakeCollection();
  c.tables[kTableBrandName].entries = {"Acme", "Acme Radio Corp", "Unknown"};
  c.brandManufacturer = {0, 0, 0};
  c.asLoadedTables = c.tables;
  RadioRecord* pictured = test::AddLoadedRadio(c, {.id = 1, .brand = "Acme", .model = "A1"});
  pictured->pictureFile = "pictures\\acme\\h500.jpg";
  pictured->thumbnailFile = "";
  RadioRecord* acme = test::AddLoadedRadio(c, {.id = 2, .brand = "Acme", .model = "H-500"});
  RadioRecord* corp = test::AddLoadedRadio(c, {.id = 3, .brand = "Acme Radio Corp", .model = "5A410"});
  RadioRecord* placeholder = test::AddLoadedRadio(c, {.id = 4, .brand = "Acme Radio Corp", .model = "X"});
  placeholder->pictureFile = kPicturePlaceholder;

  ShareAsLoadedCopy(c);  // as loading leaves the radios
  FixupPictureFileNames(c);
  // The radios given names count as changed, against their names as read.
  EXPECT_EQ(test::Ids(SummarizeChanges(c).changedRadios), (std::vector<int>{2, 3, 4}));
  EXPECT_EQ(c.asLoaded.FindById(4)->pictureFile, kPicturePlaceholder);
  EXPECT_EQ(c.brandPictureDirectories, (std::vector<std::string>{"acme", "Acme Rad", "Unknown"}));
  EXPECT_EQ(acme->pictureFile, "pictures\\acme\\h-500.jpg");
  EXPECT_EQ(acme->thumbnailFile, "pictures\\acme\\smallpix\\h-500.jpg");
  EXPECT_EQ(corp->pictureFile, "pictures\\Acme Rad\\5a410.jpg");
  EXPECT_EQ(placeholder->pictureFile, "pictures\\Acme Rad\\x.jpg");
  // A radio with a picture keeps its names, even without a thumbnail.
  EXPECT_EQ(pictured->pictureFile, "pictures\\acme\\h500.jpg");
  EXPECT_EQ(pictured->thumbnailFile, "");
}

TEST(PictureNames, APathWithoutADirectoryGivesNoBrandDirectory) {
  Collection c = test::MakeCollection();
  RadioRecord* r = test::AddLoadedRadio(c, {.id = 1, .brand = "Zenith", .model = "H500"});
  r->pictureFile = "h500.jpg";
  r->brand = 99;  // outside the table: must not be used as an index
  test::AddLoadedRadio(c, {.id = 2, .brand = "Zenith", .model = "Royal 500"});
  FixupPictureFileNames(c);
  EXPECT_EQ(c.radios.FindById(2)->pictureFile, "pictures\\Zenith\\royal500.jpg");
  EXPECT_EQ(PicturePath(c, 99, "H500", false), "pictures\\\\h500.jpg");
}

TEST(MoneyTotals, CostValueSalesAndProfitOfTheRadiosSold) {
  RadioRecord kept, sold, lost;
  kept.purchasePrice = 1200;
  kept.restorationCost = 300;
  kept.value = 2500;
  sold.purchasePrice = 40;
  sold.restorationCost = 25;
  sold.value = 90;
  sold.sellingPrice = 120;  // profit 55
  lost.purchasePrice = 500;
  lost.sellingPrice = 200;  // sold at a loss of 300
  EXPECT_EQ(MoneyTotalsText(SumMoney({&kept, &sold, &lost})),
            "Cost $2,065  Value $2,590  Sales $320  Profit -$245");

  // Far more than 32 bits can hold, and the empty list.
  std::vector<RadioRecord> many(3);
  for (RadioRecord& r : many) r.value = 2'000'000'000;
  EXPECT_EQ(SumMoney({&many[0], &many[1], &many[2]}).value, 6'000'000'000);
  EXPECT_EQ(MoneyTotalsText(SumMoney({})), "Cost $0  Value $0  Sales $0  Profit $0");
  EXPECT_EQ(MoneyTotalsText({.cost = INT64_MIN, .value = 1000, .sales = 999, .profit = -1'000'000}),
            "Cost -$9,223,372,036,854,775,808  Value $1,000  Sales $999  Profit -$1,000,000");
}

LookupTable Table(std::vector<std::string> entries) {
  return LookupTable{std::move(entries), true};
}

// What is typed finds the first entry it begins, both taken in the capitalised form, where digits end
// a run of letters ("12SK7" is "12Sk7"); by words, each typed word begins the entry's word.
TEST(TableLookup, NamesArePrefixesInTheCapitalisedForm) {
  const LookupTable t = Table({"12SA7", "12SK7", "Uncle Sam", "Undersea", "Unknown", "Zenith"});
  const std::tuple<std::string, int, bool> cases[] = {
      {"unknown", 4, true},  {"Un", 2, true},
      {"UNDERSEA", 3, true}, {"", 0, true},
      {"12sk", 1, true},     {"12SK7", 1, true},
      {"Philco", 0, false},  {"Zenith Trans-Oceanic", 0, false},  // longer than every entry
  };
  for (const auto& [typed, position, found] : cases) {
    const TableMatch match = FindTableEntry(typed, t);
    EXPECT_EQ(match.position, position) << "\"" << typed << "\"";
    EXPECT_EQ(match.found, found) << "\"" << typed << "\"";
  }

  const LookupTable sections = Table({"Bands", "Cabinet Composition", "Cabinet Style"});
  // What is typed is left capitalised.
  const std::tuple<std::string, int, bool, std::string> byWords[] = {
      {"cab", 1, true, "Cab"},
      {"Cab Sty", 2, true, "Cab Sty"},
      {"cabinet x", 0, false, "Cabinet X"},
      {"Bands Extra", 0, false, "Bands Extra"},  // the entry runs out of words first
  };
  for (auto [typed, position, found, left] : byWords) {
    SCOPED_TRACE("\"" + typed + "\" by words");
    const TableMatch match = FindTableEntryByWords(typed, sections);
    EXPECT_EQ(match.position, position);
    EXPECT_EQ(match.found, found);
    EXPECT_EQ(typed, left);
  }
}

// Radios following their entries through any insertion:
// Collection.RadioOrderAndTablePositionsSurviveAnyEdits.
TEST(TableInsert, DuplicatesAndBuiltInTablesAreRefusedAndUnknownKindsGiveNothing) {
  Collection c = MakeCollection();
  c.tables[kTableCondition].entries = {"Alpha", "Gamma"};
  MessageRecorder messages;

  EXPECT_EQ(InsertTableEntry(c, kTableCondition, "Gamma"), -1);
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"this entry already present."});
  EXPECT_EQ(messages.messages()[0].severity, kWarning);
  EXPECT_EQ(c.tables[kTableCondition].Count(), 2);

  EXPECT_EQ(InsertTableEntry(c, kTableCondition, "gamma"), 2);  // byte-wise: after "Gamma"

  messages.Clear();
  EXPECT_EQ(InsertTableEntry(c, kTableStatus, "Lost"), -1);
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"this table may not be modified."});
  EXPECT_EQ(c.tables[kTableStatus].Count(), 12);
  EXPECT_FALSE(MakeTableSet()[kTableTechnology].modifiable);

  // Kinds and positions outside the tables give nothing, and never a crash. (Section names are read
  // back by the data file tests.)
  EXPECT_EQ(TableSectionName(kTableStatus), nullptr);
  EXPECT_EQ(TableChooserName(16), nullptr);
  EXPECT_EQ(TableChooserName(-1), nullptr);
  EXPECT_EQ(StatusTable().Text(99), "");
}

TEST(TableInsert, BrandAndManufacturerMapsStayAligned) {
  Collection c = MakeCollection();
  const std::vector<int> before = c.brandManufacturer;

  // A manufacturer at position 0 moves every brand's manufacturer up by one.
  EXPECT_EQ(InsertTableEntry(c, kTableManufacturer, "Admiral Corp."), 0);
  for (std::size_t i = 0; i < before.size(); ++i) EXPECT_EQ(c.brandManufacturer[i], before[i] + 1);

  // A brand gets manufacturer 0 from the insert itself, its own from the full operation.
  const int p = InsertTableEntry(c, kTableBrandName, "Delco");
  EXPECT_EQ(p, 1);
  EXPECT_EQ(c.brandManufacturer[p], 0);
  EXPECT_EQ(c.brandManufacturer.size(), c.tables[kTableBrandName].entries.size());
  EXPECT_EQ(c.brandPictureDirectories.size(), c.tables[kTableBrandName].entries.size());

  const int q = AddTableEntry(c, kTableBrandName, "Arvin", 3);
  EXPECT_EQ(q, 0);
  EXPECT_EQ(c.brandManufacturer[0], 3);
  EXPECT_EQ(c.brandManufacturer[2], 0);  // Delco moved up with its entry
}

class MacroText : public ::testing::Test {
 protected:
  Collection c = test::MakeCollection();
  std::optional<Criterion> Parse(const std::string& token) { return ParseMacroToken(token, c.tables); }
};

TEST_F(MacroText, CriteriaFindFieldsAndEntriesWordByWord) {
  c.tables[kTableCabinetStyle].entries = {"Cathedral", "Console", "Console Radio-Phono", "Table"};
  const int wood = test::Position(c, kTableCabinetComposition, "Wood");
  const std::pair<const char*, Criterion> steps[] = {
      {"+cab sty=con", MakeCriterion(kActionAdd, kFieldCabinetStyle, kRelationEqual, 1, "Console")},
      // "c": the first field that fits
      {"-c=wood", MakeCriterion(kActionSubtract, kFieldCabinetComposition, kRelationEqual, wood, "Wood")},
      {"&Year>1935,x", MakeCriterion(kActionAnd, kFieldYear, kRelationGreater, 1935)},
      {"|Tube=12sa7", MakeCriterion(kActionOr, kFieldTube, kRelationEqual, 0, "12SA7")},
      // saturated to the field's range
      {"+Year=99999999999", MakeCriterion(kActionAdd, kFieldYear, kRelationEqual, 2147483647)},
      {"+Year<-99999999999", MakeCriterion(kActionAdd, kFieldYear, kRelationLess, -2147483647 - 1)},
  };
  for (const auto& [typed, step] : steps) EXPECT_EQ(Parse(typed), step) << "the step \"" << typed << "\"";
  EXPECT_EQ(Parse("+Date Acquired<05jan1980")->value, 19800105);
  EXPECT_FALSE(Parse("+Date Acquired<yesterday").has_value());

  EXPECT_FALSE(Parse("+Technology=Valve").has_value());  // no such entry
  EXPECT_FALSE(Parse("+Colour=Red").has_value());        // no such field
  EXPECT_FALSE(Parse("+Technology").has_value());        // no relation
  EXPECT_EQ(Parse("+Status=sold")->value, kStatusSold);
}

TEST_F(MacroText, WrittenFormReadsBackToTheSameStep) {
  for (const char* token :
       {"+Technology=Tube", "&Year<1950", "-Status=Sold", "|Model=5A", "push", "||", "&&", "*", "clear",
        "copy", "swap", "+Identifier=12", "+Date Restored>01Feb1990", "&Brand=Zenith", "-Grill=Cloth"}) {
    const std::optional<Criterion> step = Parse(token);
    ASSERT_TRUE(step.has_value()) << token;
    EXPECT_EQ(CriterionText(*step), token);
    EXPECT_EQ(Parse(CriterionText(*step)), step) << token;
  }
  EXPECT_EQ(CriterionText(*Parse("12")), "+Identifier=12");  // a number alone adds that identifier
  EXPECT_EQ(CriterionText(*Parse("&& anything")), "&&");     // a stack step takes no criterion
  for (const char* refused : {"pop", "", "12a"}) EXPECT_FALSE(Parse(refused).has_value()) << refused;
  const MacroEntry kept = ReadMacroEntry("what is this", c.tables);
  EXPECT_FALSE(kept.parsed);
  EXPECT_EQ(MacroEntryText(kept), "what is this");
}

TEST(TubeNames, EdgesOfPaddingAndCountsAndStockLinesPieceByPiece) {
  EXPECT_EQ(PadTubeName("1629"), " 1629");
  EXPECT_EQ(PadTubeName("OZ4"), " OZ4");
  EXPECT_EQ(PadTubeName(""), " ");
  EXPECT_EQ(PadTubeName(std::string(100, 'X')).size(), static_cast<std::size_t>(kPaddedNameLimit));
  EXPECT_EQ(PadTubeText("x*6V6").count, 1) << "a count that is not a number";
  EXPECT_EQ(PadTubeText("12SA7").count, 1);

  // A stock line adds its counts piece by piece.
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
  // Pieces used and in stock: 2*6V6GT through the alias and one 6V6.
  const auto counts = [&](const char* type) {
    const InventoryItem& item = tubes.items.at(PadTubeName(type));
    return std::pair(item.count, item.secondCount);
  };
  EXPECT_EQ(counts("6V6"), std::pair(3, 4));
  EXPECT_EQ(counts("OZ4"), std::pair(0, 2));

  // Short where few spares serve many: a fifth of the pieces used is enough, three spares always are.
  for (const auto& [used, stock, isShort] :
       {std::tuple(11, 2, true), {10, 2, false}, {100, 3, false}, {1, 0, true}, {0, 0, false}})
    EXPECT_EQ(IsShortOfStock({"", used, stock, kTechTube, ""}), isShort)
        << used << " used, " << stock << " in stock";

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

TEST(InventoryEdit, StockChangesMarkTheCollection) {
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

  // A transistor added to the tube list moves there even with its count unchanged. (Added by name
  // and saved: the inventory journey.)
  c.changed = false;
  EXPECT_TRUE(SetStockCount(c, usage, PadTubeName("2N109"), 2, true));
  EXPECT_TRUE(c.changed);
  EXPECT_EQ(usage.items.at(PadTubeName("2N109")).secondCount, 2);
  EXPECT_EQ(c.inventory.at(PadTubeName("2N109")).kind, kTechTube);
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

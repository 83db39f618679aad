#include <gtest/gtest.h>

#include "collection/macro_text.h"
#include "collection/radio_ops.h"
#include "support/collection_builder.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

using test::MakeCollection;

LookupTable Table(std::vector<std::string> entries) {
  return LookupTable{std::move(entries), true};
}

TEST(TableLookup, NamesArePrefixesInTheCapitalisedForm) {
  const LookupTable t = Table({"Uncle Sam", "Undersea", "Unknown", "Zenith"});
  EXPECT_EQ(FindTableEntry("unknown", t).position, 2);
  EXPECT_TRUE(FindTableEntry("unknown", t).found);
  EXPECT_EQ(FindTableEntry("Un", t).position, 0);  // the first in table order wins
  EXPECT_EQ(FindTableEntry("UNDERSEA", t).position, 1);
  EXPECT_EQ(FindTableEntry("", t).position, 0);
  EXPECT_TRUE(FindTableEntry("", t).found);

  const TableMatch none = FindTableEntry("Philco", t);
  EXPECT_FALSE(none.found);
  EXPECT_EQ(none.position, 0);
  EXPECT_FALSE(FindTableEntry("Zenith Trans-Oceanic", t).found);  // longer than every entry
}

TEST(TableLookup, CapitalisedFormTreatsDigitsAsRunBreaks) {
  // "12SK7" capitalises to "12Sk7", so 12sk7 and 12SK7 find the same entry.
  const LookupTable t = Table({"12SA7", "12SK7"});
  EXPECT_EQ(FindTableEntry("12sk", t).position, 1);
  EXPECT_TRUE(FindTableEntry("12SK7", t).found);
}

TEST(TableLookup, ByWordsMatchesEachWordAsAPrefix) {
  const LookupTable t = Table({"Bands", "Cabinet Composition", "Cabinet Style"});
  std::string name = "cab";
  EXPECT_EQ(FindTableEntryByWords(name, t).position, 1);
  EXPECT_EQ(name, "Cab");  // left capitalised

  name = "Cab Sty";
  EXPECT_EQ(FindTableEntryByWords(name, t).position, 2);

  name = "Cabinet X";
  const TableMatch none = FindTableEntryByWords(name, t);
  EXPECT_FALSE(none.found);
  EXPECT_EQ(none.position, 0);

  name = "Bands Extra";  // the entry runs out of words first
  EXPECT_FALSE(FindTableEntryByWords(name, t).found);
}

// Section names are read back by the data file tests; here the chooser's and what lies outside.
TEST(TableKinds, KindsAndPositionsOutsideTheTablesGiveNothing) {
  EXPECT_STREQ(TableChooserName(kTableChassisCondition), "ChassisCondition");  // one word, as the dialog asks
  EXPECT_STREQ(TableChooserName(kTableGrillStyle), "Grill");
  EXPECT_EQ(TableSectionName(kTableStatus), nullptr);
  EXPECT_EQ(TableChooserName(16), nullptr);
  EXPECT_EQ(TableChooserName(-1), nullptr);
  EXPECT_EQ(StatusTable().Text(99), "");  // an empty text, never a crash
  EXPECT_FALSE(MakeTableSet()[kTableTechnology].modifiable);
}

// Radios following their entries through any insertion: collection_properties_test.
TEST(TableInsert, DuplicatesAndBuiltInTablesAreRefused) {
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

TEST_F(MacroText, NumbersTooLargeForTheFieldSaturate) {
  EXPECT_EQ(Parse("+Year=99999999999")->value, 2147483647);
  EXPECT_EQ(Parse("+Year<-99999999999")->value, -2147483647 - 1);
  EXPECT_EQ(Parse("+Year>1939")->value, 1939);
}

TEST_F(MacroText, CriteriaFindFieldsAndEntriesWordByWord) {
  c.tables[kTableCabinetStyle].entries = {"Cathedral", "Console", "Console Radio-Phono", "Table"};
  const Criterion style = *Parse("+cab sty=con");
  EXPECT_EQ(style.action, kActionAdd);
  EXPECT_EQ(style.field, kFieldCabinetStyle);
  EXPECT_EQ(style.value, 1);
  EXPECT_EQ(style.text, "Console");

  const std::optional<Criterion> wood = Parse("-c=wood");  // "c": the first field that fits
  ASSERT_TRUE(wood.has_value());
  EXPECT_EQ(wood->field, kFieldCabinetComposition);
  EXPECT_EQ(wood->text, "Wood");

  const Criterion year = *Parse("&Year>1935,x");
  EXPECT_EQ(year.action, kActionAnd);
  EXPECT_EQ(year.relation, kRelationGreater);
  EXPECT_EQ(year.value, 1935);
  EXPECT_FALSE(year.hasText);

  const Criterion tube = *Parse("|Tube=12sa7");
  EXPECT_EQ(tube.text, "12SA7");

  const Criterion date = *Parse("+Date Acquired<05jan1980");
  EXPECT_EQ(date.value, 19800105);
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
  EXPECT_EQ(CriterionText(*Parse("&& anything")), "&&");      // a stack step takes no criterion
  for (const char* refused : {"pop", "", "12a"}) EXPECT_FALSE(Parse(refused).has_value()) << refused;
  const MacroEntry kept = ReadMacroEntry("what is this", c.tables);
  EXPECT_FALSE(kept.parsed);
  EXPECT_EQ(MacroEntryText(kept), "what is this");
}

}  // namespace
}  // namespace korvel

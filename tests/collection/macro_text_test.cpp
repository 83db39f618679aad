#include <gtest/gtest.h>

#include "collection/macro_text.h"
#include "support/collection_builder.h"

namespace korvel {
namespace {

class MacroText : public ::testing::Test {
 protected:
  Collection c = test::MakeCollection();
  std::optional<Criterion> Parse(const std::string& token) { return ParseMacroToken(token, c.tables); }
};

TEST_F(MacroText, StackAndAllStepsTakeNoCriterion) {
  EXPECT_EQ(Parse("&&")->action, kActionAndCombine);
  EXPECT_EQ(Parse("&& anything")->action, kActionAndCombine);
  EXPECT_EQ(Parse("||")->action, kActionOrCombine);
  EXPECT_EQ(Parse("*")->action, kActionAll);
  EXPECT_EQ(Parse("clear")->action, kActionClear);
  EXPECT_EQ(Parse("copy")->action, kActionCopy);
  EXPECT_EQ(Parse("push")->action, kActionPush);
  EXPECT_EQ(Parse("swap")->action, kActionSwap);
  EXPECT_FALSE(Parse("pop").has_value());
  EXPECT_FALSE(Parse("").has_value());
}

TEST_F(MacroText, ANumberAloneAddsThatIdentifier) {
  const Criterion twelve = *Parse("12");
  EXPECT_EQ(twelve.action, kActionAdd);
  EXPECT_EQ(twelve.field, kFieldIdentifier);
  EXPECT_EQ(twelve.relation, kRelationEqual);
  EXPECT_EQ(twelve.value, 12);
  EXPECT_FALSE(Parse("12a").has_value());
}

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
  EXPECT_EQ(CriterionText(*Parse("12")), "+Identifier=12");
  const MacroEntry kept = ReadMacroEntry("what is this", c.tables);
  EXPECT_FALSE(kept.parsed);
  EXPECT_EQ(MacroEntryText(kept), "what is this");
}

}  // namespace
}  // namespace korvel

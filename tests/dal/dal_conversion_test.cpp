#include <array>
#include <clocale>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "dal_fixture.h"

namespace korvel::test {
namespace {

TEST_F(DalTest, CharacterFieldsShowQuotedLettersAndHexadecimalForTheRest) {
  std::int32_t code = 0;
  DalDialog dialog{.templateId = 1, .fields = {Field(kDalEdit, 10, &code, DAL_CHAR)}};
  auto window = host.Open(dialog);
  DalFieldInfo& field = dialog.fields[0];
  auto shown = [&](std::int32_t value) {
    code = value;
    EXPECT_TRUE(DalSetField(field));
    return window->At(10).Text();
  };
  EXPECT_EQ(shown(65), "'A'");
  EXPECT_EQ(shown(' '), "' '");
  EXPECT_EQ(shown(7), "0x7");
  EXPECT_EQ(shown(0), "0");
  EXPECT_EQ(shown(200), "0xc8");
  EXPECT_EQ(shown(-1), "0xffffffff");

  auto read = [&](const std::string& text) {
    code = -99;
    window->At(10).SetText(text);
    EXPECT_TRUE(DalReadField(field)) << text;
    return code;
  };
  EXPECT_EQ(read("'x'"), 120);
  EXPECT_EQ(read("0x41"), 65);
  EXPECT_EQ(read("0XfFfFfFfF"), -1);
  EXPECT_EQ(read("66"), 66);
  EXPECT_EQ(read("'\xe9'"), -23);  // the byte is sign-extended
  // What does not scan keeps the value and is no failure.
  for (const char* unreadable : {"'", "''", "0x", "0x-1", "0x100000000", "abc", ""}) {
    EXPECT_EQ(read(unreadable), -99) << unreadable;
  }
}

TEST_F(DalTest, NumbersScanLikeScanfButNeverOverflow) {
  std::int32_t year = 1950;
  float weight = 0;
  double ratio = 0;
  DalDialog dialog{.templateId = 1,
                   .fields = {Field(kDalEdit, 10, &year, DAL_INT), Field(kDalEdit, 11, &weight, DAL_FLOAT),
                              Field(kDalEdit, 12, &ratio, DAL_DOUBLE)}};
  auto window = host.Open(dialog);
  // A locale with a decimal comma (the GUI toolkit adopts the user's) must not change the texts.
  const std::string locale = std::setlocale(LC_NUMERIC, nullptr);
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");

  weight = 2.5f;
  ratio = 0.1;
  for (DalFieldInfo& field : dialog.fields) EXPECT_TRUE(DalSetField(field));
  EXPECT_EQ(window->At(10).Text(), "1950");
  EXPECT_EQ(window->At(11).Text(), "2.5");
  EXPECT_EQ(window->At(12).Text(), "0.1");
  weight = 0.1f;  // "%g" of the float widened to double
  ratio = 12345678;
  DalSetField(dialog.fields[1]);
  DalSetField(dialog.fields[2]);
  EXPECT_EQ(window->At(11).Text(), "0.1");
  EXPECT_EQ(window->At(12).Text(), "1.23457e+07");

  auto readYear = [&](const std::string& text) {
    year = 1950;
    window->At(10).SetText(text);
    EXPECT_TRUE(DalReadField(dialog.fields[0])) << text;
    return year;
  };
  EXPECT_EQ(readYear(" 1937 "), 1937);
  EXPECT_EQ(readYear("+1937"), 1937);
  EXPECT_EQ(readYear("-12"), -12);
  EXPECT_EQ(readYear(""), 1950);  // nothing typed keeps the value, silently
  EXPECT_TRUE(messages.messages().empty());
  // Anything but a whole number is refused with a word, and the value stays.
  for (const char* unreadable : {"19x5", "1937 (about)", "about 1937", "+-5", "99999999999", "-2147483649"}) {
    year = 1950;
    window->At(10).SetText(unreadable);
    EXPECT_FALSE(DalReadField(dialog.fields[0])) << unreadable;
    EXPECT_NE(dialog.fields[0].state & kDalRefused, 0u);
    EXPECT_EQ(year, 1950) << unreadable;
  }
  ASSERT_EQ(messages.messages().size(), 6u);
  EXPECT_EQ(messages.Texts()[0], "'19x5' is not a whole number (between -2147483648 and 2147483647).");
  window->At(11).SetText("3.25");
  window->At(12).SetText("  -1e-3x");
  EXPECT_TRUE(DalReadField(dialog.fields[1]));
  EXPECT_TRUE(DalReadField(dialog.fields[2]));
  EXPECT_EQ(weight, 3.25f);
  EXPECT_EQ(ratio, -0.001);
  std::setlocale(LC_NUMERIC, locale.c_str());
}

TEST_F(DalTest, TextsAreStoredAsTypedOrCapitalisedAndMismatchedVariablesFail) {
  std::string model = "old";
  std::string source = "old";
  DalDialog dialog{.templateId = 1,
                   .fields = {Field(kDalEdit, 10, &model, DAL_STRING | DAL_CAPITALIZE),
                              Field(kDalEdit, 11, &source, DAL_STRING), Field(kDalEdit, 12, &source, DAL_INT),
                              Field(kDalCheck, 13, &source)}};
  auto window = host.Open(dialog);
  window->At(10).SetText("mcMURDO silver-masterpiece 15-17");
  window->At(11).SetText(" Radio  News, p. 4 ");
  EXPECT_TRUE(DalReadField(dialog.fields[0]));
  EXPECT_TRUE(DalReadField(dialog.fields[1]));
  EXPECT_EQ(model, "Mcmurdo Silver-Masterpiece 15-17");
  EXPECT_EQ(source, " Radio  News, p. 4 ");

  window->At(12).SetText("unchanged");
  EXPECT_FALSE(DalSetField(dialog.fields[2]));
  EXPECT_FALSE(DalReadField(dialog.fields[2]));
  EXPECT_FALSE(DalSetField(dialog.fields[3]));
  EXPECT_FALSE(DalReadField(dialog.fields[3]));
  EXPECT_EQ(window->At(12).Text(), "unchanged");
  EXPECT_EQ(source, " Radio  News, p. 4 ");
}

TEST_F(DalTest, PositionsAndCheckStatesNeedAChoiceToBeRead) {
  const std::vector<std::string> brands{"Unknown", "Zenith", "Philco"};
  std::int32_t brand = 1;
  std::int32_t pushButtons = 1;
  std::int32_t listed = 2;
  std::int32_t outside = 7;
  DalDialog dialog{
      .templateId = 1,
      .fields = {Listed(kDalCombo, 10, &brand, &brands), Field(kDalCheck, 11, &pushButtons),
                 Listed(kDalList, 12, &listed, &brands), Listed(kDalCombo, 13, &outside, &brands)}};
  auto window = host.Open(dialog);
  EXPECT_TRUE(DalFillDialog(dialog, true, true));
  EXPECT_EQ(window->At(10).ItemTexts(), brands);
  EXPECT_EQ(window->At(10).CurrentItem(), 1);
  EXPECT_TRUE(window->At(11).IsChecked());
  EXPECT_TRUE(window->At(12).IsItemSelected(2));
  EXPECT_EQ(window->At(13).CurrentItem(), -1);
  EXPECT_FALSE(DalSetField(dialog.fields[3]));  // position outside the table

  window->At(10).SetCurrentItem(2);
  window->At(11).SetChecked(false);
  EXPECT_TRUE(DalReadField(dialog.fields[0]));
  EXPECT_TRUE(DalReadField(dialog.fields[1]));
  EXPECT_EQ(brand, 2);
  EXPECT_EQ(pushButtons, 0);
  pushButtons = 5;  // any nonzero value ticks the box, and reads back as yes
  DalSetField(dialog.fields[1]);
  DalReadField(dialog.fields[1]);
  EXPECT_EQ(pushButtons, 1);

  window->At(10).SetCurrentItem(-1);
  window->At(12).SelectItem(2, false);
  EXPECT_FALSE(DalReadField(dialog.fields[0]));
  EXPECT_FALSE(DalReadField(dialog.fields[2]));
  EXPECT_EQ(brand, 2);
  EXPECT_EQ(listed, 2);
}

TEST_F(DalTest, PartsAreJoinedWithoutDoubledSeparatorsAndSplitBackWithinTheirCount) {
  std::array<std::string, 4> pictures{"a.jpg", "b.jpg", "", "c.jpg"};
  std::array<std::string, 3> words{"one ", "", "two"};
  std::array<std::string, 2> two{"x", "y"};
  DalDialog dialog{.templateId = 13,
                   .fields = {Field(kDalMultiPart, 1018, std::span<std::string>(pictures), DAL_COMMAS),
                              Field(kDalMultiPart, 1019, std::span<std::string>(words)),
                              Field(kDalMultiPart, 1020, std::span<std::string>(two), DAL_COMMAS)}};
  dialog.fields[0].partCount = 4;
  dialog.fields[1].partCount = 3;
  dialog.fields[2].partCount = 10;  // more than the variable holds
  for (DalFieldInfo& field : dialog.fields) field.partWidth = 1024;
  auto window = host.Open(dialog);
  for (DalFieldInfo& field : dialog.fields) EXPECT_TRUE(DalSetField(field));
  EXPECT_EQ(window->At(1018).Text(), "a.jpg,b.jpg,c.jpg");
  EXPECT_EQ(window->At(1019).Text(), "one two");
  EXPECT_EQ(window->At(1020).Text(), "x,y");
  pictures = {"a,", "b", "", ""};
  DalSetField(dialog.fields[0]);
  EXPECT_EQ(window->At(1018).Text(), "a,b");

  window->At(1018).SetText("x.jpg,y.jpg");
  EXPECT_TRUE(DalReadField(dialog.fields[0]));
  EXPECT_EQ(pictures, (std::array<std::string, 4>{"x.jpg", "y.jpg", "", ""}));
  EXPECT_TRUE(messages.messages().empty());

  // Parts beyond the count are lost, so the user is told.
  window->At(1018).SetText("1,2,3,4,5");
  window->At(1020).SetText("p,q,r");
  EXPECT_TRUE(DalReadField(dialog.fields[0]));
  EXPECT_TRUE(DalReadField(dialog.fields[2]));
  EXPECT_EQ(pictures, (std::array<std::string, 4>{"1", "2", "3", "4"}));
  EXPECT_EQ(two, (std::array<std::string, 2>{"p", "q"}));
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Too much text.", "Too much text."}));
}

}  // namespace
}  // namespace korvel::test

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "util/alu_date.h"

namespace korvel {
namespace {

// The date number and the text as the parser left it.
std::pair<int, std::string> Parsed(std::string text) {
  const int date = AluParseDate(text);
  return {date, text};
}

TEST(DateText, ShortAndLongFormsParseAndTheMonthIsRewritten) {
  EXPECT_EQ(Parsed("05jan50"), std::pair(19500105, std::string("05Jan50")));
  EXPECT_EQ(Parsed("31DEC1999"), std::pair(19991231, std::string("31Dec1999")));
  EXPECT_EQ(Parsed("28Feb1952"), std::pair(19520228, std::string("28Feb1952")));
  // Day 00 is let through by the parser; formatting is what refuses it.
  EXPECT_EQ(Parsed("00Jan1950").first, 19500100);

  char buffer[] = "01mAY2024";
  EXPECT_EQ(AluParseDate(buffer), 20240501);
  EXPECT_STREQ(buffer, "01May2024");
}

TEST(DateText, ImpossibleDatesGiveZeroButTheMonthIsStillRewritten) {
  EXPECT_EQ(Parsed("31apr1950"), std::pair(0, std::string("31Apr1950")));
  EXPECT_EQ(Parsed("x5JAN50"), std::pair(0, std::string("x5Jan50")));
  for (const char* bad :
       {"29Feb1952", "29FEB2000", "29Feb52", "05Jxn50", "05Jan5O", "05Jan19x0", "32Jan1950"}) {
    EXPECT_EQ(Parsed(bad).first, 0) << bad;
  }
  // Only texts of 7 or 9 characters are touched at all.
  for (const char* wrongLength : {"5jan1950", "05jan1950 ", "", "05jan5"}) {
    EXPECT_EQ(Parsed(wrongLength), std::pair(0, std::string(wrongLength)));
  }
}

TEST(DateText, FormattingGivesTheLongFormOrNothingForInvalidNumbers) {
  EXPECT_EQ(AluFormatDate(19500105), "05Jan1950");
  EXPECT_EQ(AluFormatDate(99991231), "31Dec9999");
  EXPECT_EQ(AluFormatDate(501105), "05Nov0050");
  EXPECT_EQ(AluFormatDate(19501131), "31Nov1950");  // the day is not held to the month's length
  for (int invalid : {0, -19500105, 19501332, 19500100, 19500005, 19501305, 19500132, 100000101}) {
    EXPECT_EQ(AluFormatDate(invalid), "") << invalid;
  }
}

}  // namespace
}  // namespace korvel

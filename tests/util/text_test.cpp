// Texts: dates, capitals, formatting, and lines split to fit.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "util/alu_date.h"
#include "util/alu_string.h"
#include "util/alu_text.h"
#include "util/message_recorder.h"

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

std::string Capitalized(std::string text) {
  AluCapitalizeWords(text);
  return text;
}

std::string LoweredOutsideQuotes(std::string text) {
  AluLowerOutsideQuotes(text);
  return text;
}

TEST(Capitalization, EveryRunOfLettersStartsWithACapital) {
  EXPECT_EQ(Capitalized("ACME RADIO corp."), "Acme Radio Corp.");
  EXPECT_EQ(Capitalized("12SK7"), "12Sk7");  // digits end a run as well
  EXPECT_EQ(Capitalized("o'NEIL x-RAY"), "O'Neil X-Ray");
  EXPECT_EQ(Capitalized("caf\xe9SOCIETY"), "Caf\xe9Society");  // bytes above 127 are not letters

  char text[] = "rca VICTOR";
  AluCapitalizeWords(text);
  EXPECT_STREQ(text, "Rca Victor");
}

// In UTF-8 text a letter beyond ASCII is part of its word, and changes its case with it.
TEST(Capitalization, AccentedLettersBelongToTheirWords) {
  const std::pair<const char*, const char*> cases[] = {
      {"\u00fcber \u00f6l\u00e7er", "\u00dcber \u00d6l\u00e7er"},
      {"\u00dcBER M\u00dcLLER", "\u00dcber M\u00fcller"},
      {"stra\u00dfe", "Stra\u00dfe"},  // no capital sharp s
      {"\u0142\u00f3d\u017a \u017c\u00f3\u0142w",
       "\u0141\u00f3d\u017a \u017b\u00f3\u0142w"},  // Latin Extended-A
      {"\u0440\u0430\u0434\u0438\u043e \u041c\u0418\u0420",
       "\u0420\u0430\u0434\u0438\u043e \u041c\u0438\u0440"},
      {"u\u0308ber", "U\u0308ber"},                                                // a combining accent
      {"caf\u00e9\u2013SOCIETY 5\u00d7six", "Caf\u00e9\u2013Society 5\u00d7Six"},  // dash, times sign
  };
  for (const auto& [typed, expected] : cases) EXPECT_EQ(Capitalized(typed), expected) << typed;
}

TEST(Capitalization, QuotedTextKeepsItsCaseAndEverythingElseIsLowered) {
  EXPECT_EQ(LoweredOutsideQuotes("Brand = \"RCA Victor\" AND Model = 'X-1'"),
            "brand = \"RCA Victor\" and model = 'X-1'");
  // A quote only ends at the same character, so the apostrophe stays inside.
  EXPECT_EQ(LoweredOutsideQuotes("A \"It's\" B 'Say \"HI\"' C"), "a \"It's\" b 'Say \"HI\"' c");
  EXPECT_EQ(LoweredOutsideQuotes("NAME = \"Open END"), "name = \"Open END");
}

TEST(Formatting, ResultsLiveInOneBufferPerThreadAndAreCut) {
  const char* mine = AluFormat("%s %d", "Model", 40);
  // Another thread formatting meanwhile must not overwrite this thread's text.
  std::string theirs;
  std::thread other([&] { theirs = AluFormat("tour %d", 7); });
  other.join();
  EXPECT_EQ(theirs, "tour 7");
  EXPECT_STREQ(mine, "Model 40");

  const std::string longText(2000, 'x');
  EXPECT_EQ(std::strlen(AluFormat("%s", longText.c_str())), 1023u);
}

using Lines = std::vector<std::string>;

TEST(SplitLines, TooMuchTextIsCutWithAWarningAndSplitAtBlanks) {
  MessageRecorder recorder;
  // 26 words of five characters: 130 characters for 2 lines of 60.
  std::string text;
  for (int i = 0; i < 26; ++i) text += std::string(1, static_cast<char>('a' + i)) + "bcd ";
  Lines lines;
  EXPECT_EQ(AluSplitUpMultiline(text, lines, 2, 60), 1);
  EXPECT_EQ(recorder.Texts(), Lines{"Too much text."});
  EXPECT_EQ(recorder.messages().at(0).severity, kWarning);
  // Cut to 120 characters, then the trailing blank goes; the second line starts with the 13th word.
  EXPECT_EQ(text.size(), 119u);
  EXPECT_EQ(lines, (Lines{text.substr(0, 59), text.substr(60)}));

  // Exactly as much as fits is no warning.
  recorder.Clear();
  std::string full = "abcdefghi abcdefghi ";
  EXPECT_EQ(AluSplitUpMultiline(full, lines, 2, 10), 1);
  EXPECT_TRUE(recorder.messages().empty());
  EXPECT_EQ(lines, (Lines{"abcdefghi", "abcdefghi"}));
}

TEST(SplitLines, WordsMustFitAndControlCharactersAreDropped) {
  MessageRecorder recorder;
  Lines lines;
  // A word exactly as long as the line fits.
  std::string text = "Superhetro dyne";
  EXPECT_EQ(AluSplitUpMultiline(text, lines, 2, 10), 1);
  EXPECT_EQ(lines, (Lines{"Superhetro", "dyne"}));

  // One character more does not: the lines filled before it stay.
  text = "AM Superheterodyne";
  EXPECT_EQ(AluSplitUpMultiline(text, lines, 2, 10), 0);
  EXPECT_EQ(lines, (Lines{"AM", ""}));

  // Stale lines are emptied; bytes above 127 are not control characters.
  lines = {"stale", "stale", "stale", "stale"};
  text = std::string("Line\r\none\t \xe9t\xe9\x01") + '\0' + "!   ";
  EXPECT_EQ(AluSplitUpMultiline(text, lines, 2, 20), 1);
  EXPECT_EQ(lines, (Lines{"Lineone \xe9t\xe9!", ""}));
  EXPECT_TRUE(recorder.messages().empty());
}

TEST(SplitLines, DelimitedSplitUsesTheFirstDelimiterAndCutsLongLines) {
  MessageRecorder recorder;
  Lines lines;
  std::string text = "a,b,,c";
  EXPECT_EQ(AluSplitUpDelimitedMultiline(text, lines, 4, 10, ","), 1);
  EXPECT_EQ(lines, (Lines{"a", "b", "", "c"}));

  text = "a;b,c";
  EXPECT_EQ(AluSplitUpDelimitedMultiline(text, lines, 3, 10, ";,"), 1);
  EXPECT_EQ(lines, (Lines{"a", "b,c", ""}));

  // Width 5 keeps four characters a line; a cut line goes on right after the cut.
  text = "abcdefghijkl,m";
  EXPECT_EQ(AluSplitUpDelimitedMultiline(text, lines, 5, 5, ","), 1);
  EXPECT_EQ(lines, (Lines{"abcd", "efgh", "ijkl", "m", ""}));
  EXPECT_TRUE(recorder.messages().empty());

  // Cut to ten characters, and what would need a third line is dropped.
  text = "one,two,three";
  EXPECT_EQ(AluSplitUpDelimitedMultiline(text, lines, 2, 5, ","), 1);
  EXPECT_EQ(recorder.Texts(), Lines{"Too much text."});
  EXPECT_EQ(lines, (Lines{"one", "two"}));
}

}  // namespace
}  // namespace korvel

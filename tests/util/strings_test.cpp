#include <gtest/gtest.h>

#include <utility>

#include <cstring>
#include <string>
#include <thread>

#include "util/alu_memory.h"
#include "util/alu_string.h"

namespace korvel {
namespace {

std::string Capitalized(std::string text) {
  AluCapitalizeWords(text);
  return text;
}

std::string LoweredOutsideQuotes(std::string text) {
  AluLowerOutsideQuotes(text);
  return text;
}

TEST(OwnedText, CopiesAreSeparateBlocksAndNoTextGivesTheEmptyText) {
  const char* original = "Philco";
  char* copy = AluCopyString(original);
  EXPECT_NE(copy, original);
  EXPECT_STREQ(copy, "Philco");
  EXPECT_EQ(AluInspect(copy).requested, 7u);  // the terminator is part of the block
  AluFree(copy);

  char* empty = AluCopyString(nullptr);
  ASSERT_NE(empty, nullptr);
  EXPECT_STREQ(empty, "");
  AluFree(empty);
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

TEST(TextSearch, FindsTheFirstOccurrenceWithOrWithoutCase) {
  const std::string text = "Zenith Trans-Oceanic, zenith royal";
  EXPECT_EQ(AluFindText(text, "zenith", false), 22);
  EXPECT_EQ(AluFindText(text, "zenith", true), 0);
  EXPECT_EQ(AluFindText(text, "OCEANIC", false), -1);
  EXPECT_EQ(AluFindText(text, "OCEANIC", true), 13);
  EXPECT_EQ(text, "Zenith Trans-Oceanic, zenith royal");
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

}  // namespace
}  // namespace korvel

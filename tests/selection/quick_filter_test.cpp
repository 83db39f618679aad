#include <gtest/gtest.h>

#include <algorithm>

#include "collection/data_file.h"
#include "selection/quick_filter.h"
#include "support/collection_builder.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

// Typed words and the sample radios they must find: case never matters, accented letters
// included, whether a text was stored as UTF-8 or, by an older program, as Windows-1252.
TEST(QuickFilter, FindsTheSampleRadiosByEveryTypedWord) {
  MessageRecorder messages;
  Collection c;
  ASSERT_TRUE(LoadCollection(KORVEL_SAMPLE, c).opened);
  c.radios.FindById(7)->comments =
      "Cabinet of \xC3\x89"
      "b\xC3\xA8ne, STRASSE find";  // UTF-8
  c.radios.FindById(8)->comments =
      "Finition \xE9"
      "b\xE8ne";                                        // Windows-1252
  c.radios.FindById(9)->cabinetColour = "Gro\xC3\x9F";  // Groß

  const struct {
    const char* typed;
    std::vector<int> ids;
  } cases[] = {
      {"PHILCO", {3, 5, 8, 9, 14, 28, 30, 35, 41}},                 // brand and manufacturer
      {"philco   cathedral", {3, 5}},                               // every word, blanks between them
      {"Cathedral philco", {3, 5}},                                 // in any order
      {"6V6", {11, 17}},                                              // a tube type
      {"ebay SAMS", {23, 29, 33, 35, 36, 38, 39, 41, 44, 45, 47}},  // places, references
      {"1936", {7}},                                                // the year
      {"zenith black", {19, 44}},                                   // a colour
      {"\xC3\x89"
       "B\xC3\x88NE",
       {7, 8}},       // ÉBÈNE finds ébène in either encoding
      {"ebene", {}},  // the accents themselves count
      {"stra\xC3\x9F"
       "e",
       {7}},  // ß folds to ss
      {"GROSS", {9}},
      {"philco zzz", {}},
      {"", {}},  // no words: every radio (checked below)
  };
  QuickFilter filter;
  for (const auto& [typed, expected] : cases) {
    std::vector<int> found = test::Ids(filter.Narrow(c.tables, c.radios, typed));
    if (std::string(typed).empty()) {
      EXPECT_EQ(found.size(), 48u) << "a blank search field leaves every radio";
      continue;
    }
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, expected) << "typing \"" << typed << "\" found other radios";
  }
  // Typing on narrows what was found; taking letters back widens it again.
  EXPECT_EQ(filter.Narrow(c.tables, c.radios, "phil").Count(), 10);
  EXPECT_EQ(filter.Narrow(c.tables, c.radios, "philc").Count(), 9);
  EXPECT_EQ(filter.Narrow(c.tables, c.radios, "phil").Count(), 10);
}

}  // namespace
}  // namespace korvel

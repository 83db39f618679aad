#include <gtest/gtest.h>

#include "reports/csv_file.h"
#include "support/collection_builder.h"

namespace korvel {
namespace {

// Splits the text at CR LF outside quotes; enough to look at single rows.
std::vector<std::string> Rows(const std::string& text) {
  std::vector<std::string> rows;
  std::string row;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '"') quoted = !quoted;
    if (!quoted && text.compare(i, 2, "\r\n") == 0) {
      rows.push_back(row);
      row.clear();
      ++i;
      continue;
    }
    row += text[i];
  }
  EXPECT_TRUE(row.empty()) << "the last row has no CR LF";
  return rows;
}

TEST(CsvFile, QuotesOnlyWhatNeedsItAndConvertsTextsToUtf8) {
  Collection c = test::MakeCollection();
  RadioRecord* r = test::AddLoadedRadio(c, {.id = 7,
                                            .brand = "Zenith",
                                            .model = "5\"x7, \"Bullet\"",
                                            .year = 1939,
                                            .cabinetStyle = "Table",
                                            .tubes = {{1, "6A7"}, {3, "2*6F6"}}});
  r->comments = "Two lines\nof comment";
  r->whereAcquired = "Caf\xe9 sale";  // Windows-1252, as older collections hold it
  r->damage = " leading blank";
  r->purchasePrice = -5;
  RadioList selection;
  InsertRadio(c.tables, r, selection);

  const std::vector<std::string> rows = Rows(RadioCsvText(c, selection));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].substr(0, 33), "Identifier,Brand,Model,Serial Num");
  const std::string& row = rows[1];
  EXPECT_EQ(row.substr(0, 42), "7,Zenith,\"5\"\"x7, \"\"Bullet\"\"\",,1939,Unknown");
  EXPECT_NE(row.find(",\"Two lines\nof comment\","), std::string::npos);
  EXPECT_NE(row.find(",Caf\xc3\xa9 sale,"), std::string::npos);
  EXPECT_NE(row.find(",\" leading blank\","), std::string::npos);
  EXPECT_NE(row.find(",-5,"), std::string::npos);
  EXPECT_NE(row.find(TubeFunctionTable().Text(1) + " 6A7; " + TubeFunctionTable().Text(3) + " 2*6F6"),
            std::string::npos);
}

// A text a spreadsheet would run as a formula is written with a leading apostrophe; numbers and
// texts with such characters further in are written as they are.
TEST(CsvFile, TextsThatLookLikeFormulasAreNeverRun) {
  const std::pair<const char*, const char*> cases[] = {
      {"=HYPERLINK(\"http://x\",\"y\")", ",\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\","},
      {"+1 555", ",'+1 555,"},
      {"-2", ",'-2,"},
      {"@SUM(A1)", ",'@SUM(A1),"},
      {"\tTab", ",'\tTab,"},
      {"\rReturn", ",\"'\rReturn\","},
      {"Flea market = cheap", ",Flea market = cheap,"},
  };
  Collection c = test::MakeCollection();
  RadioRecord* r = test::AddLoadedRadio(c, {.id = 1, .brand = "Zenith", .model = "Z"});
  r->purchasePrice = -5;
  RadioList selection;
  InsertRadio(c.tables, r, selection);
  for (const auto& [typed, cell] : cases) {
    r->whereAcquired = typed;
    const std::string row = Rows(RadioCsvText(c, selection))[1];
    EXPECT_NE(row.find(cell), std::string::npos) << "Where Acquired " << typed << " is written in " << row;
    EXPECT_NE(row.find(",-5,"), std::string::npos) << "a negative cost is no longer a number";
  }
}

}  // namespace
}  // namespace korvel

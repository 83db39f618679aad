#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include "reports/csv_file.h"
#include "support/collection_builder.h"
#include "support/radio_fields.h"
#include "support/random_collection.h"
#include "util/alu_encoding.h"

namespace korvel {
namespace {

// A strict reader of RFC 4180: rows end in CR LF, a quoted field doubles its quotes, and nothing
// else may follow a closing quote; only a value that needs them is quoted. Fails the property on
// anything a spreadsheet would misread.
std::vector<std::vector<std::string>> ReadCsv(const std::string& text) {
  std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
  std::size_t i = 0;
  while (i < text.size()) {
    std::string& field = rows.back().back();
    if (text[i] == '"' && field.empty()) {
      for (++i;; ++i) {
        RC_ASSERT(i < text.size());  // a quoted field is closed
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            field += '"';
            ++i;
          } else {
            ++i;
            break;
          }
        } else {
          field += text[i];
        }
      }
      RC_ASSERT(i == text.size() || text[i] == ',' || text[i] == '\r');
      // Plain values stay plain, for readers that know no quotes.
      RC_ASSERT(field.find_first_of(",\"\r\n") != std::string::npos || field.starts_with(' ') ||
                field.ends_with(' '));
      continue;
    }
    if (text[i] == ',') {
      rows.back().emplace_back();
    } else if (text.compare(i, 2, "\r\n") == 0) {
      rows.emplace_back(1);
      ++i;
    } else {
      RC_ASSERT(text[i] != '"' && text[i] != '\r' && text[i] != '\n');  // only inside quotes
      field += text[i];
    }
    ++i;
  }
  RC_ASSERT(rows.back() == std::vector<std::string>(1));  // the last row ends in CR LF too
  rows.pop_back();
  return rows;
}

// A text a spreadsheet would run as a formula is written with a leading apostrophe.
std::string AsWritten(const std::string& stored) {
  std::string shown = AluDisplayUtf8(stored);
  if (!shown.empty() && std::string_view("=+-@\t\r").find(shown.front()) != std::string_view::npos)
    shown.insert(shown.begin(), '\'');
  return shown;
}

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
  return rows;
}

// Every text of every radio, line breaks and leading blanks included, comes back from the file
// as the program shows it; so do the table entries and numbers.
RC_GTEST_PROP(CsvFile, EveryTextOfTheSelectionReadsBackFromTheFile, ()) {
  Collection c = test::RandomCollection();
  for (RadioRecord* r : c.radios) {
    r->comments = *rc::gen::container<std::string>(
        rc::gen::element<char>('a', ' ', '"', ',', '\r', '\n', '\xe9', '=', '-', '@', '\t'));
  }
  const auto rows = ReadCsv(RadioCsvText(c, c.radios));
  RC_ASSERT(rows.size() == static_cast<std::size_t>(c.radios.Count()) + 1);
  const std::vector<std::string>& header = rows[0];
  for (std::size_t row = 1; row < rows.size(); ++row) {
    const RadioRecord& r = *c.radios[row - 1];
    RC_ASSERT(rows[row].size() == header.size());
    for (const test::RadioField& f : test::AllRadioFields()) {
      const auto column = std::find(header.begin(), header.end(), f.name);
      RC_ASSERT(column != header.end());
      std::string want;
      switch (f.kind) {
        case test::FieldKind::kTable:
          want = c.tables[f.table].Text(r.*f.number);
          break;
        case test::FieldKind::kYesNo:
          want = YesNoTable().Text(r.*f.number);
          break;
        case test::FieldKind::kNumber:
          want = std::to_string(r.*f.number);
          break;
        default:
          want = r.*f.text;
      }
      const std::string& got = rows[row][static_cast<std::size_t>(column - header.begin())];
      if (f.kind == test::FieldKind::kNumber ? got != want : got != AsWritten(want))
        RC_FAIL(std::string(f.name) + " reads \"" + got + "\" in the file");
    }
    const auto cell = [&](const char* name) {
      return rows[row]
                 [static_cast<std::size_t>(std::find(header.begin(), header.end(), name) - header.begin())];
    };
    std::string extras;
    for (int i = 0; i < UsedExtraPictures(r); ++i) extras += (i > 0 ? "; " : "") + r.extraPictureFiles[i];
    RC_ASSERT(cell("Extra Picture Files") == AsWritten(extras));
    for (int i = 0; i < r.tubes.HeldCount(); ++i) {
      if (r.tubes[i].IsFilled())
        RC_ASSERT(cell("Tubes").find(TubeFunctionTable().Text(r.tubes[i].function)) != std::string::npos);
    }
  }
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

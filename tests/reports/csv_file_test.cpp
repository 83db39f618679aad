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

// A text a spreadsheet would run as a formula is written with a leading apostrophe; texts with such
// characters further in, and numbers, negative ones too, are written as they are.
std::string AsWritten(const std::string& stored) {
  std::string shown = AluDisplayUtf8(stored);
  if (!shown.empty() && std::string_view("=+-@\t\r").find(shown.front()) != std::string_view::npos)
    shown.insert(shown.begin(), '\'');
  return shown;
}

// Every text of every radio, line breaks and leading blanks included, comes back from the file
// as the program shows it, any that a spreadsheet would run as a formula behind an apostrophe; so do
// the table entries and numbers.
RC_GTEST_PROP(CsvFile, EveryTextOfTheSelectionReadsBackFromTheFile, ()) {
  Collection c = test::RandomCollection();
  for (RadioRecord* r : c.radios) {
    r->comments = *rc::gen::container<std::string>(
        rc::gen::element<char>('a', ' ', '"', ',', '\r', '\n', '\xe9', '=', '+', '-', '@', '\t'));
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

}  // namespace
}  // namespace korvel

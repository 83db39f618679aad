// Reading a spreadsheet's comma-separated values: the bytes as UTF-8 (or Windows-1252, turned into
// UTF-8), commas or semicolons, quoted values that may hold delimiters, quotes and line breaks.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace korvel {

// The values point into their table's text: a large file is not copied value by value.
struct CsvRow {
  int line = 0;  // the file line the row starts on, from 1
  std::vector<std::string_view> values;
};

struct CsvTable {
  // What the rows' values point into: the file's text (as UTF-8), and the values whose doubled
  // quotes had to be made single. Shared, so that copies of the table point into the same text.
  std::shared_ptr<const std::string> text;
  std::shared_ptr<std::deque<std::string>> unquoted = std::make_shared<std::deque<std::string>>();
  std::vector<CsvRow> rows;  // rows without any value (empty lines) are left out
  char delimiter = ',';
  bool windows1252 = false;  // the file was not UTF-8 and was read as Windows-1252
  // A row that cannot be read (a quote left open, text after a closing quote): nothing is taken.
  int errorLine = 0;
  std::string error;
};

// The delimiter is the one of ',' and ';' that the first line holds more of, outside quotes.
CsvTable ReadCsv(std::string_view bytes);

}  // namespace korvel

// What importing a spreadsheet would do, worked out before anything changes: each row as the radio
// it would become, and every value that cannot be stored, with its line and column.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "collection/collection.h"
#include "import/csv_reader.h"
#include "import/import_columns.h"

namespace korvel {

// The fields that take a lookup table's entry, in the order of the table texts of a row.
inline constexpr int kImportTableFieldCount = 14;
// The field and table of each table text.
struct ImportTableField {
  int field;
  int kind;
  std::int32_t RadioRecord::*member;
};
const std::array<ImportTableField, kImportTableFieldCount>& ImportTableFields();

struct ImportProblem {
  int line = 0;
  int field = kNotImported;  // kNotImported: the file itself (the import cannot go on)
  std::string text;          // "'c. 1935' is not a year"
};
// "line 12, Year: 'c. 1935' is not a year"
std::string ProblemText(const ImportProblem& problem);

struct ImportRow {
  int line = 0;
  // The new radio's numbers, texts, tubes and pictures, with the new-radio defaults where the file
  // has nothing or a faulty value. Its table positions are set only when the import is applied.
  RadioRecord radio;
  std::optional<int> fileId;  // the file's identifier, kept where it is free
  // The table entries as they would be stored, by ImportTableFields(); empty takes the default.
  std::array<std::string, kImportTableFieldCount> tableTexts;
  int faultyFields = 0;
};

struct ImportPlan {
  std::vector<std::string> headers;
  std::vector<int> columns;  // field of each column, or kNotImported
  std::vector<ImportRow> rows;
  std::vector<ImportProblem> problems;  // in line order
  bool unreadable = false;              // the file cannot be read at all: nothing can be imported
  int faultyFields = 0;
};

// Plans the import of a file read by ReadCsv; its first row is the header. Without `columns` they
// are matched by their headers (MatchColumns).
ImportPlan PlanImport(const Collection& collection, const CsvTable& table,
                      std::optional<std::vector<int>> columns = std::nullopt);

// The value of a field as the row would store it, for the preview.
std::string StoredValue(const ImportRow& row, int field);

}  // namespace korvel

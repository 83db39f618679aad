// The selection as a table: one row per radio, a column per field of the record, and the order
// of the rows when sorted by a column.
#pragma once

#include <string>
#include <vector>

#include "collection/collection.h"

namespace korvel {

enum class ColumnKind { kNumber, kMoney, kDate, kEntry, kText };

struct RadioColumn {
  const char* name;
  ColumnKind kind;
};

// Columns are numbered for good: the settings keep these numbers.
constexpr int kRadioColumnCount = 44;
const RadioColumn& RadioColumnAt(int column);
// ID, Brand, Model, Year, Cabinet Style, Status, Purchase Price, Value.
const std::vector<int>& DefaultTableColumns();

// The cell as stored: table entries as their texts, money as "$%d", dates as typed, a year or
// an identifier as a number (a year of 0 as nothing).
std::string RadioColumnText(const TableSet& tables, const RadioRecord& radio, int column);

// Sorts rows given in radio order by the column, ascending or descending: numbers and money by
// value, dates by the day they name (texts that are no date first), table entries and texts by
// their letters whatever their case. Rows that tie stay in radio order.
void SortRadioRows(const TableSet& tables, std::vector<RadioRecord*>& rows, int column, bool descending);

}  // namespace korvel

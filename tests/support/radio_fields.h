// Every stored field of a radio by its name on the edit dialog, for tests that must cover them all.
#pragma once

#include <string>
#include <vector>

#include "collection/changes.h"

namespace korvel::test {

enum class FieldKind { kTable, kYesNo, kNumber, kText, kDate };

struct RadioField {
  const char* name;
  FieldKind kind;
  int table;  // kTable: its table kind
  std::int32_t RadioRecord::*number;
  std::string RadioRecord::*text;
  int changeFlag;
};

// Every field held in one member, in the order of the data file.
const std::vector<RadioField>& AllRadioFields();

// "Brand: Zenith\nModel: 5G500\n...", tables by entry text, then the filled tubes in slot order
// and the used extra pictures: two radios that read the same here are the same radio.
std::string DescribeRadio(const TableSet& tables, const RadioRecord& radio);

}  // namespace korvel::test

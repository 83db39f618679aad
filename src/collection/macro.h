// Selection criteria and the named macros that the data file keeps.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvel {

// Actions of a criterion: 0-5 change the current selection by a test, 6-11 work the stack.
enum CriterionAction : int {
  kActionAdd = 0,
  kActionAnd = 1,
  kActionNone = 2,
  kActionOr = 3,
  kActionSubtract = 4,
  kActionAll = 5,
  kActionAndCombine = 6,
  kActionClear = 7,
  kActionCopy = 8,
  kActionOrCombine = 9,
  kActionPush = 10,
  kActionSwap = 11,
};
constexpr int kActionCount = 12;

// Fields a criterion tests, in the order of the selection dialog's lists.
enum CriterionField : int {
  kFieldBands = 0,
  kFieldBrand = 1,
  kFieldCabinetComposition = 2,
  kFieldCabinetStyle = 3,
  kFieldChassisCondition = 4,
  kFieldCircuit = 5,
  kFieldCondition = 6,
  kFieldDateAcquired = 7,
  kFieldDateDisposed = 8,
  kFieldDateRestored = 9,
  kFieldGrill = 10,
  kFieldIdentifier = 11,
  kFieldModel = 12,
  kFieldPower = 13,
  kFieldStatus = 14,
  kFieldTechnology = 15,
  kFieldTube = 16,
  kFieldTuningDial = 17,
  kFieldYear = 18,
};
constexpr int kFieldCount = 19;

enum CriterionRelation : int { kRelationLess = 0, kRelationEqual = 1, kRelationGreater = 2 };
constexpr int kRelationCount = 3;

const char* ActionName(int action);      // "Add", ... "Swap"; nullptr outside the table
const char* FieldName(int field);        // "Bands", ... "Year"; nullptr outside the table
const char* RelationName(int relation);  // "<", "=", ">"; nullptr outside the table

// The table kind a lookup field takes its value from, or -1 for the date, number and text fields.
int FieldTableKind(int field);

// One row of a selection, or one entry of a macro.
struct Criterion {
  std::int32_t action = kActionAdd;
  std::int32_t field = 0;
  std::int32_t relation = 0;
  std::int32_t value = 0;  // a table position, a number, or a date yyyymmdd
  std::string text;        // Model and Tube text, a date as entered, a macro's matched entry
  bool hasText = false;

  friend bool operator==(const Criterion&, const Criterion&) = default;
};

// A criterion from its parts; the text, when given, is kept as the criterion's text.
Criterion MakeCriterion(int action, int field, int relation, int value, std::string text = {});

// A macro entry read from a line that is not a step keeps the line as it was written, so that
// saving the collection never changes it; the entry itself does nothing.
struct MacroEntry {
  Criterion criterion;
  std::string unparsed;  // the line, when it did not parse
  bool parsed = true;

  friend bool operator==(const MacroEntry&, const MacroEntry&) = default;
};

struct SelectionMacro {
  std::string name;
  std::vector<MacroEntry> entries;

  friend bool operator==(const SelectionMacro&, const SelectionMacro&) = default;
};

}  // namespace korvel

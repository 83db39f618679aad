#include "collection/macro.h"

#include "collection/tables.h"

namespace korvel {
namespace {

constexpr const char* kActionNames[kActionCount] = {"Add",      "And",        "None",        "Or",
                                                    "Subtract", "All",        "And-Combine", "Clear",
                                                    "Copy",     "Or-Combine", "Push",        "Swap"};

constexpr const char* kFieldNames[kFieldCount] = {"Bands",
                                                  "Brand",
                                                  "Cabinet Composition",
                                                  "Cabinet Style",
                                                  "Chassis Condition",
                                                  "Circuit",
                                                  "Condition",
                                                  "Date Acquired",
                                                  "Date Disposed",
                                                  "Date Restored",
                                                  "Grill",
                                                  "Identifier",
                                                  "Model",
                                                  "Power",
                                                  "Status",
                                                  "Technology",
                                                  "Tube",
                                                  "Tuning Dial",
                                                  "Year"};

constexpr const char* kRelationNames[kRelationCount] = {"<", "=", ">"};

constexpr int kFieldTables[kFieldCount] = {kTableBands,
                                           kTableBrandName,
                                           kTableCabinetComposition,
                                           kTableCabinetStyle,
                                           kTableChassisCondition,
                                           kTableCircuitType,
                                           kTableCondition,
                                           -1,
                                           -1,
                                           -1,
                                           kTableGrillStyle,
                                           -1,
                                           -1,
                                           kTablePowerSource,
                                           kTableStatus,
                                           kTableTechnology,
                                           -1,
                                           kTableTuningDial,
                                           -1};

}  // namespace

const char* ActionName(int action) {
  return action >= 0 && action < kActionCount ? kActionNames[action] : nullptr;
}
const char* FieldName(int field) {
  return field >= 0 && field < kFieldCount ? kFieldNames[field] : nullptr;
}
const char* RelationName(int relation) {
  return relation >= 0 && relation < kRelationCount ? kRelationNames[relation] : nullptr;
}
Criterion MakeCriterion(int action, int field, int relation, int value, std::string text) {
  Criterion c;
  c.action = action;
  c.field = field;
  c.relation = relation;
  c.value = value;
  c.hasText = !text.empty();
  c.text = std::move(text);
  return c;
}

int FieldTableKind(int field) {
  return field >= 0 && field < kFieldCount ? kFieldTables[field] : -1;
}

}  // namespace korvel

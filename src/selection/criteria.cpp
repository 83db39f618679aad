#include "selection/criteria.h"

#include "collection/changes.h"
#include "selection/stack.h"
#include "util/alu_date.h"

namespace korvel {
namespace {

constexpr std::size_t kPrefetchDistance = 8;

// Walks the radios with the test, asking for records (and, for the Tube field, their slots) a
// few steps ahead: a large collection does not fit the caches, and each radio is a cache miss.
template <typename Visit>
void WalkAhead(const std::vector<RadioRecord*>& radios, bool tubes, Visit visit) {
  const std::size_t n = radios.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (i + 2 * kPrefetchDistance < n) {
      const char* p = reinterpret_cast<const char*>(radios[i + 2 * kPrefetchDistance]);
      for (int line = 0; line < 4; ++line) __builtin_prefetch(p + line * 64);
    }
    if (tubes && i + kPrefetchDistance < n) __builtin_prefetch(radios[i + kPrefetchDistance]->tubes.HeldData());
    visit(radios[i]);
  }
}

char Upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool Compare(long long radio, int relation, long long value) {
  switch (relation) {
    case kRelationLess:
      return radio < value;
    case kRelationEqual:
      return radio == value;
    case kRelationGreater:
      return radio > value;
    default:
      return false;
  }
}

int DateOf(const std::string& text) {
  return AluDateNumber(text);
}

// `upper` is the wanted type in upper case.
bool TubeMatches(const RadioRecord& radio, const std::string& upper) {
  for (int i = 0; i < kTubeSlotCount; ++i) {
    const TubeSlot& slot = radio.tubes[i];
    if (slot.function == 0 || slot.type.empty()) return false;
    const std::size_t star = slot.type.find('*');
    const std::string_view type = star == std::string::npos ? std::string_view(slot.type)
                                                            : std::string_view(slot.type).substr(star + 1);
    if (type.size() != upper.size()) continue;
    bool same = true;
    for (std::size_t k = 0; k < type.size() && same; ++k) same = Upper(type[k]) == upper[k];
    if (same) return true;
  }
  return false;
}

std::int32_t LookupValue(const RadioRecord& r, int field) {
  switch (field) {
    case kFieldBands:
      return r.bands;
    case kFieldBrand:
      return r.brand;
    case kFieldCabinetComposition:
      return r.cabinetComposition;
    case kFieldCabinetStyle:
      return r.cabinetStyle;
    case kFieldChassisCondition:
      return r.chassisCondition;
    case kFieldCircuit:
      return r.circuitType;
    case kFieldCondition:
      return r.condition;
    case kFieldGrill:
      return r.grillStyle;
    case kFieldPower:
      return r.powerSource;
    case kFieldStatus:
      return r.status;
    case kFieldTechnology:
      return r.technology;
    case kFieldTuningDial:
      return r.tuningDial;
    default:
      return -1;
  }
}

}  // namespace

bool RadioMatches(const RadioRecord& radio, const Criterion& criterion) {
  return CriterionTest(criterion)(radio);
}

CriterionTest::CriterionTest(const Criterion& criterion) : criterion_(criterion) {
  if (criterion.field == kFieldTube) {
    tube_ = criterion.text;
    for (char& c : tube_) c = Upper(c);
  }
}

bool CriterionTest::operator()(const RadioRecord& r) const {
  const Criterion& c = criterion_;
  switch (c.field) {
    case kFieldDateAcquired: {
      const int date = DateOf(r.dateAcquired);
      return date != 0 && Compare(date, c.relation, c.value);
    }
    case kFieldDateDisposed: {
      const int date = DateOf(r.dateDisposed);
      return date != 0 && Compare(date, c.relation, c.value);
    }
    case kFieldDateRestored: {
      const int date = DateOf(r.dateRestored);
      return date != 0 && Compare(date, c.relation, c.value);
    }
    case kFieldIdentifier:
      return Compare(r.id, c.relation, c.value);
    case kFieldYear:
      return Compare(r.year, c.relation, c.value);
    case kFieldModel:
      return r.model.compare(0, c.text.size(), c.text) == 0;
    case kFieldTube:
      return TubeMatches(r, tube_);
    default:
      // Lookup fields compare positions; the relation is not consulted.
      return c.field >= 0 && c.field < kFieldCount && LookupValue(r, c.field) == c.value;
  }
}

void ApplyCriterion(const Criterion& c, const Collection& collection, SelectionState& state) {
  switch (c.action) {
    case kActionAdd:
    case kActionOr: {
      const CriterionTest test(c);
      RadioList matches;
      WalkAhead(collection.radios.Records(), c.field == kFieldTube, [&](RadioRecord* r) {
        if (test(*r)) AppendInOrder(matches, r);
      });
      MergeInto(collection.tables, state.current, matches);
      return;
    }
    case kActionAnd:
    case kActionSubtract: {
      const CriterionTest test(c);
      const bool keepMatches = c.action == kActionAnd;
      RadioList kept;
      WalkAhead(state.current.Records(), c.field == kFieldTube, [&](RadioRecord* r) {
        if (test(*r) == keepMatches) AppendInOrder(kept, r);
      });
      state.current = std::move(kept);
      return;
    }
    case kActionAndCombine:
    case kActionClear:
    case kActionCopy:
    case kActionOrCombine:
    case kActionPush:
    case kActionSwap:
      ApplyStackAction(c.action, collection, state);
      return;
    default:  // None and All change nothing
      return;
  }
}

void EvaluateParameters(const SelectionParameters& parameters, Evaluation mode, const Collection& collection,
                        SelectionState& state, const std::function<bool(const RadioRecord*)>& keep) {
  if (mode == Evaluation::kFresh) {
    state.current.Clear();
    for (const Criterion& row : parameters.rows) {
      if (row.action == kActionAdd || row.action == kActionNone || row.action == kActionOr) break;
      if (row.action == kActionAnd || row.action == kActionSubtract) {
        state.current = collection.radios;  // narrowing rows start from the whole collection
        break;
      }
    }
  } else if (keep) {
    state.current.KeepOnly([&](const RadioRecord* r) { return keep(r); });
  }
  for (const Criterion& row : parameters.rows) ApplyCriterion(row, collection, state);
  if (parameters.filter != nullptr) {
    for (const MacroEntry& entry : parameters.filter->entries) {
      if (entry.parsed) ApplyCriterion(entry.criterion, collection, state);
    }
  }
}

void SelectChanges(const Collection& collection, SelectionState& state) {
  ChangeSummary summary = SummarizeChanges(collection);
  state.current = std::move(summary.newRadios);
  MergeInto(collection.tables, state.current, summary.changedRadios);
  ShowFirstMember(state);
}

std::string MemberText(const Collection& c, const RadioRecord& r) {
  const auto entry = [&](int kind, int position) -> const std::string& {
    return c.tables[kind].Text(position);
  };
  std::string text = entry(kTableBrandName, r.brand) + " " + r.model + ", " + std::to_string(r.year) + ", " +
                     entry(kTableCabinetStyle, r.cabinetStyle) + ", " + StatusTable().Text(r.status) + ", ";
  if (!r.cabinetColour.empty()) text += r.cabinetColour + " ";
  text += entry(kTableCabinetComposition, r.cabinetComposition) + ", ";
  const std::string& trim = entry(kTableCabinetTrim, r.cabinetTrim);
  if (trim != "No Trim") {
    if (!r.trimColour.empty()) text += r.trimColour + " ";
    text += trim + ", ";
  }
  text += entry(kTablePosition, r.dialPosition) + " " + entry(kTableTuningDial, r.tuningDial) + " Dial, " +
          entry(kTablePosition, r.grillPosition) + " " + entry(kTableGrillStyle, r.grillStyle) + " Grill " +
          std::to_string(r.id);
  return text;
}

}  // namespace korvel

#include "reports/radio_table.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "collection/tubes.h"
#include "util/alu_case_folding.h"
#include "util/alu_date.h"

namespace korvel {
namespace {

using K = ColumnKind;

constexpr RadioColumn kColumns[kRadioColumnCount] = {
    {"ID", K::kNumber},
    {"Brand", K::kEntry},
    {"Model", K::kText},
    {"Serial Number", K::kText},
    {"Year", K::kNumber},
    {"Manufacturer", K::kEntry},
    {"Cabinet Style", K::kEntry},
    {"Cabinet Composition", K::kEntry},
    {"Cabinet Colour", K::kText},
    {"Cabinet Trim", K::kEntry},
    {"Trim Colour", K::kText},
    {"Push Buttons", K::kEntry},
    {"Telephone Dial", K::kEntry},
    {"Tuning Dial", K::kEntry},
    {"Dial Position", K::kEntry},
    {"Grill Style", K::kEntry},
    {"Grill Position", K::kEntry},
    {"Power Source", K::kEntry},
    {"Bands", K::kEntry},
    {"Technology", K::kEntry},
    {"Circuit Type", K::kEntry},
    {"Tubes", K::kText},
    {"Date Acquired", K::kDate},
    {"Purchase Price", K::kMoney},
    {"Where Acquired", K::kText},
    {"Status", K::kEntry},
    {"Condition", K::kEntry},
    {"Chassis Condition", K::kEntry},
    {"Damage", K::kText},
    {"Value", K::kMoney},
    {"Source of Value", K::kText},
    {"Date Restored", K::kDate},
    {"Restoration Cost", K::kMoney},
    {"Repairs Needed", K::kText},
    {"Date Disposed", K::kDate},
    {"Selling Price", K::kMoney},
    {"Where Disposed", K::kText},
    {"Schematic", K::kText},
    {"References", K::kText},
    {"Comments", K::kText},
    {"Extras", K::kText},
    {"Picture File", K::kText},
    {"Thumbnail File", K::kText},
    {"Extra Pictures", K::kText},
};

// The table of an entry column and the radio's position in it.
struct EntryOf {
  const LookupTable* table = nullptr;
  std::int32_t position = 0;
};

EntryOf Entry(const TableSet& t, const RadioRecord& r, int column) {
  switch (column) {
    case 1:
      return {&t[kTableBrandName], r.brand};
    case 5:
      return {&t[kTableManufacturer], r.manufacturer};
    case 6:
      return {&t[kTableCabinetStyle], r.cabinetStyle};
    case 7:
      return {&t[kTableCabinetComposition], r.cabinetComposition};
    case 9:
      return {&t[kTableCabinetTrim], r.cabinetTrim};
    case 11:
      return {&YesNoTable(), r.pushButtons};
    case 12:
      return {&YesNoTable(), r.telephoneDial};
    case 13:
      return {&t[kTableTuningDial], r.tuningDial};
    case 14:
      return {&t[kTablePosition], r.dialPosition};
    case 15:
      return {&t[kTableGrillStyle], r.grillStyle};
    case 16:
      return {&t[kTablePosition], r.grillPosition};
    case 17:
      return {&t[kTablePowerSource], r.powerSource};
    case 18:
      return {&t[kTableBands], r.bands};
    case 19:
      return {&t[kTableTechnology], r.technology};
    case 20:
      return {&t[kTableCircuitType], r.circuitType};
    case 25:
      return {&t[kTableStatus], r.status};
    case 26:
      return {&t[kTableCondition], r.condition};
    case 27:
      return {&t[kTableChassisCondition], r.chassisCondition};
    default:
      return {};
  }
}

// Numbers, money and dates.
std::int64_t NumberOf(const RadioRecord& r, int column) {
  switch (column) {
    case 0:
      return r.id;
    case 4:
      return r.year;
    case 22:
      return AluDateNumber(r.dateAcquired);
    case 23:
      return r.purchasePrice;
    case 29:
      return r.value;
    case 31:
      return AluDateNumber(r.dateRestored);
    case 32:
      return r.restorationCost;
    case 34:
      return AluDateNumber(r.dateDisposed);
    case 35:
      return r.sellingPrice;
    default:
      return 0;
  }
}

std::string Joined(const RadioRecord& r, bool tubes) {
  std::string text;
  const int count = tubes ? r.tubes.HeldCount() : UsedExtraPictures(r);
  for (int i = 0; i < count; ++i) {
    if (tubes && !r.tubes[i].IsFilled()) continue;
    if (!text.empty()) text += ", ";
    text += tubes ? std::string(UnpaddedName(r.tubes[i].type)) : r.extraPictureFiles[i];
  }
  return text;
}

const std::string& TextOf(const RadioRecord& r, int column) {
  static const std::string kNone;
  switch (column) {
    case 2:
      return r.model;
    case 3:
      return r.serialNumber;
    case 8:
      return r.cabinetColour;
    case 10:
      return r.trimColour;
    case 22:
      return r.dateAcquired;
    case 24:
      return r.whereAcquired;
    case 28:
      return r.damage;
    case 30:
      return r.sourceOfValue;
    case 31:
      return r.dateRestored;
    case 33:
      return r.repairsNeeded;
    case 34:
      return r.dateDisposed;
    case 36:
      return r.whereDisposed;
    case 37:
      return r.schematic;
    case 38:
      return r.references;
    case 39:
      return r.comments;
    case 40:
      return r.extras;
    case 41:
      return r.pictureFile;
    case 42:
      return r.thumbnailFile;
    default:
      return kNone;
  }
}

}  // namespace

const RadioColumn& RadioColumnAt(int column) {
  return kColumns[std::clamp(column, 0, kRadioColumnCount - 1)];
}

const std::vector<int>& DefaultTableColumns() {
  static const std::vector<int> columns{0, 1, 2, 4, 6, 25, 23, 29};
  return columns;
}

std::string RadioColumnText(const TableSet& tables, const RadioRecord& r, int column) {
  if (column < 0 || column >= kRadioColumnCount) return {};
  switch (kColumns[column].kind) {
    case K::kNumber: {
      const std::int64_t n = NumberOf(r, column);
      return column == 4 && n == 0 ? std::string() : std::to_string(n);
    }
    case K::kMoney:
      return "$" + std::to_string(NumberOf(r, column));
    case K::kEntry: {
      const EntryOf entry = Entry(tables, r, column);
      return entry.table->Text(entry.position);
    }
    case K::kDate:
    case K::kText:
      if (column == 21 || column == 43) return Joined(r, column == 21);
      return TextOf(r, column);
  }
  return {};
}

void SortRadioRows(const TableSet& tables, std::vector<RadioRecord*>& rows, int column, bool descending) {
  if (column < 0 || column >= kRadioColumnCount) return;
  const std::size_t n = rows.size();
  std::vector<std::uint32_t> order(n);
  std::iota(order.begin(), order.end(), 0u);
  const ColumnKind kind = kColumns[column].kind;
  const bool textual = kind == K::kText;
  std::vector<std::int64_t> numbers;
  std::vector<std::string> texts;
  if (textual) {
    texts.reserve(n);
    for (const RadioRecord* r : rows) texts.push_back(AluFoldCase(RadioColumnText(tables, *r, column)));
  } else if (kind == K::kEntry) {
    // An entry sorts by its letters; each position is ranked once, not folded per radio.
    std::vector<std::int64_t> rank;
    const LookupTable* table = nullptr;
    numbers.reserve(n);
    for (const RadioRecord* r : rows) {
      const EntryOf entry = Entry(tables, *r, column);
      if (table == nullptr) {
        table = entry.table;
        std::vector<int> positions(table->Count());
        std::iota(positions.begin(), positions.end(), 0);
        std::vector<std::string> folded;
        for (const std::string& e : table->entries) folded.push_back(AluFoldCase(e));
        std::stable_sort(positions.begin(), positions.end(),
                         [&](int a, int b) { return folded[a] < folded[b]; });
        rank.assign(positions.size(), 0);
        for (std::size_t i = 0; i < positions.size(); ++i) rank[positions[i]] = static_cast<std::int64_t>(i);
      }
      const bool inside = entry.position >= 0 && entry.position < static_cast<int>(rank.size());
      numbers.push_back(inside ? rank[entry.position] : -1);  // no entry: an empty text, first
    }
  } else {
    numbers.reserve(n);
    for (const RadioRecord* r : rows) numbers.push_back(NumberOf(*r, column));
  }
  const auto less = [&](std::uint32_t a, std::uint32_t b) {
    return textual ? texts[a] < texts[b] : numbers[a] < numbers[b];
  };
  if (descending) {
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return less(b, a); });
  } else {
    std::stable_sort(order.begin(), order.end(), less);
  }
  std::vector<RadioRecord*> sorted(n);
  for (std::size_t i = 0; i < n; ++i) sorted[i] = rows[order[i]];
  rows = std::move(sorted);
}

}  // namespace korvel

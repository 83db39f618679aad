#include "collection/tables.h"

#include <cstddef>
#include <string_view>

#include "util/alu_string.h"

namespace korvel {
namespace {

struct KindInfo {
  const char* chooserName;
  const char* sectionName;
  const char* newRadioEntry;
};

constexpr KindInfo kKinds[kTableKindCount] = {
    {"Bands", "Bands", "Unknown"},
    {"Brand Name", "Brand Name", "Unknown"},
    {"Cabinet Composition", "Cabinet Composition", "Unknown"},
    {"Cabinet Style", "Cabinet Style", "Unknown"},
    {"Cabinet Trim", "Cabinet Trim", "No Trim"},
    {"ChassisCondition", "Chassis Condition", "Unknown"},
    {"Circuit Type", "Circuit Type", "Unknown"},
    {"Condition", "Condition", "Unknown"},
    {"Grill", "Grill Style", "Unknown"},
    {"Manufacturer", "Manufacturer", "Unknown"},
    {"Position", "Position", "Unknown"},
    {"Power", "Power Source", "Unknown"},
    {"Status", nullptr, "To Be Restored"},
    {"Technology", nullptr, "Tube"},
    {"Tube Function", nullptr, ""},
    {"Tuning Dial", "Tuning Dial", "Unknown"},
};

LookupTable BuiltIn(std::vector<std::string> entries) {
  return LookupTable{std::move(entries), false};
}

bool IsLetter(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Character i of the capitalised form of a text, given whether character i-1 was a letter.
char CapitalisedAt(std::string_view text, std::size_t i) {
  const auto c = static_cast<unsigned char>(text[i]);
  if (!IsLetter(c)) return static_cast<char>(c);
  const bool afterLetter = i > 0 && IsLetter(static_cast<unsigned char>(text[i - 1]));
  if (afterLetter) return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : static_cast<char>(c);
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : static_cast<char>(c);
}

// Whether `prefix`, capitalised, begins `text`, capitalised (without copying either).
bool IsCapitalisedPrefix(std::string_view prefix, std::string_view text) {
  if (prefix.size() > text.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (CapitalisedAt(prefix, i) != CapitalisedAt(text, i)) return false;
  }
  return true;
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && text[at] == ' ') ++at;
    std::size_t end = at;
    while (end < text.size() && text[end] != ' ') ++end;
    if (end > at) words.push_back(text.substr(at, end - at));
    at = end;
  }
  return words;
}

}  // namespace

const std::string& LookupTable::Text(int position) const {
  static const std::string kNone;
  if (position < 0 || position >= Count()) return kNone;
  return entries[position];
}

bool IsTableKind(int kind) {
  return kind >= 0 && kind < kTableKindCount;
}

bool IsBuiltInTable(int kind) {
  return kind == kTableStatus || kind == kTableTechnology || kind == kTableTubeFunction;
}

const char* TableChooserName(int kind) {
  return IsTableKind(kind) ? kKinds[kind].chooserName : nullptr;
}
const char* TableSectionName(int kind) {
  return IsTableKind(kind) ? kKinds[kind].sectionName : nullptr;
}
const char* NewRadioEntryName(int kind) {
  return IsTableKind(kind) ? kKinds[kind].newRadioEntry : nullptr;
}

const std::array<int, kUserTableCount>& UserTableKindsInFileOrder() {
  static const std::array<int, kUserTableCount> kOrder = {
      kTableManufacturer,       kTableBrandName,    kTableBands,
      kTableCabinetComposition, kTableCabinetStyle, kTableCabinetTrim,
      kTableChassisCondition,   kTableCircuitType,  kTableCondition,
      kTableGrillStyle,         kTablePosition,     kTablePowerSource,
      kTableTuningDial};
  return kOrder;
}

const LookupTable& StatusTable() {
  static const LookupTable table =
      BuiltIn({"As Acquired", "Donated", "For Sale", "Not Restored", "Partially Restored", "Restored",
               "Restored and Sold", "Restored For Sale", "Returned", "Scrapped", "Sold", "To Be Restored"});
  return table;
}

const LookupTable& TechnologyTable() {
  static const LookupTable table = BuiltIn({"Crystal", "Hybrid", "Transistor", "Tube"});
  return table;
}

const LookupTable& TubeFunctionTable() {
  static const LookupTable table = BuiltIn({"",
                                            "Ballast",
                                            "Converter",
                                            "Detector",
                                            "Detector/First Audio",
                                            "First Audio",
                                            "FM Converter",
                                            "FM Discriminator",
                                            "FM IF Amplifier",
                                            "FM Limiter",
                                            "FM Mixer",
                                            "FM Oscillator",
                                            "FM Ratio Detector",
                                            "FM RF Amplifier",
                                            "IF Amplifier",
                                            "IF Amplifier/Detector",
                                            "Mixer",
                                            "Oscillator",
                                            "Phase Inverter",
                                            "Power Amplifier",
                                            "Rectifier",
                                            "RF Amplifier",
                                            "Second Audio",
                                            "Tuning Indicator",
                                            "Unknown"});
  return table;
}

const LookupTable& YesNoTable() {
  static const LookupTable table = BuiltIn({"No", "Yes"});
  return table;
}

TableSet MakeTableSet() {
  TableSet tables;
  tables[kTableStatus] = StatusTable();
  tables[kTableTechnology] = TechnologyTable();
  tables[kTableTubeFunction] = TubeFunctionTable();
  return tables;
}

TableMatch FindTableEntry(const std::string& name, const LookupTable& table) {
  for (int i = 0; i < table.Count(); ++i) {
    if (IsCapitalisedPrefix(name, table.entries[i])) return {true, i};
  }
  return {};
}

TableMatch FindTableEntryByWords(std::string& name, const LookupTable& table) {
  AluCapitalizeWords(name);
  const std::vector<std::string_view> nameWords = Words(name);
  for (int i = 0; i < table.Count(); ++i) {
    std::string entry = table.entries[i];
    AluCapitalizeWords(entry);
    const std::vector<std::string_view> entryWords = Words(entry);
    if (entryWords.size() < nameWords.size()) continue;
    bool match = true;
    for (std::size_t w = 0; w < nameWords.size() && match; ++w) {
      match = entryWords[w].substr(0, nameWords[w].size()) == nameWords[w];
    }
    if (match) return {true, i};
  }
  return {};
}

}  // namespace korvel

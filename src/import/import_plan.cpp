#include "import/import_plan.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string_view>
#include <unordered_map>

#include "collection/radio_ops.h"
#include "collection/storable_text.h"
#include "util/alu_date.h"

namespace korvel {
namespace {

using R = RadioRecord;

// ASCII letters in small letters; other bytes (UTF-8 included) as they are.
inline char Folded(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = Folded(c);
  return lowered;
}

// Equal but for the case of ASCII letters.
bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Folded(a[i]) != Folded(b[i])) return false;
  }
  return true;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// A value as a record may hold it: the apostrophe that keeps a spreadsheet from reading a value as a
// formula goes, and line breaks and tabs become blanks (records hold no control characters).
std::string Cleaned(std::string_view value) {
  if (value.size() >= 2 && value[0] == '\'' &&
      std::string_view("=+-@\t\r").find(value[1]) != std::string_view::npos)
    value.remove_prefix(1);
  if (std::none_of(value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; }))
    return std::string(value);
  std::string text;
  text.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') continue;  // CR LF is one break
    text += (c == '\r' || c == '\n' || c == '\t') ? ' ' : c;
  }
  return text;
}

// Quoted in a message, cut to what a line can show.
std::string Quoted(std::string_view value) {
  constexpr std::size_t kShown = 40;
  std::string shown(value.substr(0, kShown));
  if (value.size() > kShown) {
    while (!shown.empty() && (static_cast<unsigned char>(shown.back()) & 0xC0) == 0x80) shown.pop_back();
    if (!shown.empty() && static_cast<unsigned char>(shown.back()) >= 0xC0) shown.pop_back();
    shown += "...";
  }
  return "'" + shown + "'";
}

std::string Lowercase(std::string problem) {
  if (!problem.empty()) problem[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(problem[0])));
  if (!problem.empty() && problem.back() == '.') problem.pop_back();
  return problem;
}

std::optional<std::int32_t> WholeNumber(std::string_view text, bool dollars) {
  text = Trimmed(text);
  bool negative = false;
  if (!text.empty() && text[0] == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  if (dollars && !text.empty() && text[0] == '$') text.remove_prefix(1);
  if (text.empty() || text[0] < '0' || text[0] > '9') return std::nullopt;
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

// The built-in table's entry, letter case aside.
std::optional<int> BuiltInEntry(const LookupTable& table, std::string_view text) {
  text = Trimmed(text);
  for (int i = 0; i < table.Count(); ++i) {
    if (SameLetters(table.Text(i), text)) return i;
  }
  return std::nullopt;
}

// "Rectifier 80; Power Amplifier 2*6V6": each item is a tube function, a blank and the tube text. A
// text may hold "; " itself: an item starts only where a function name follows.
std::optional<int> FunctionAt(std::string_view text, std::size_t& length) {
  const LookupTable& functions = TubeFunctionTable();
  int best = -1;
  length = 0;
  for (int f = 1; f < functions.Count(); ++f) {
    const std::string& name = functions.Text(f);
    if (name.size() > length && text.size() > name.size() && text[name.size()] == ' ' &&
        SameLetters(text.substr(0, name.size()), name)) {
      best = f;
      length = name.size();
    }
  }
  if (best < 0) return std::nullopt;
  return best;
}

std::string ParseTubes(std::string_view text, TubeSlots& tubes) {
  tubes.ClearAll();
  int slot = 0;
  std::size_t pos = 0;
  text = Trimmed(text);
  while (pos < text.size()) {
    std::size_t nameLength = 0;
    const std::optional<int> function = FunctionAt(text.substr(pos), nameLength);
    if (!function) {
      const std::size_t end = text.find("; ", pos);
      tubes.ClearAll();
      return Quoted(text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos)) +
             " does not begin with a tube function";
    }
    std::size_t start = pos + nameLength + 1;
    std::size_t end = start;
    std::size_t ignored = 0;
    for (;;) {
      end = text.find("; ", end);
      if (end == std::string_view::npos || FunctionAt(text.substr(end + 2), ignored)) break;
      end += 2;
    }
    const std::string_view type =
        Trimmed(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (!type.empty()) {
      if (slot >= kTubeSlotCount) {
        tubes.ClearAll();
        return "a radio holds at most 30 tubes";
      }
      const std::string problem = StorageProblem(type, StoredText::kTubeType);
      if (!problem.empty()) {
        tubes.ClearAll();
        return Quoted(type) + ": " + Lowercase(problem);
      }
      tubes.Set(slot++, *function, std::string(type));
    }
    pos = end == std::string_view::npos ? text.size() : end + 2;
  }
  return {};
}

std::string ParseExtraPictures(std::string_view text, RadioRecord& radio) {
  std::vector<std::string> names;
  text = Trimmed(text);
  while (!text.empty()) {
    const std::size_t end = text.find("; ");
    const std::string_view name = Trimmed(text.substr(0, end));
    if (!name.empty()) names.emplace_back(name);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 2);
  }
  if (names.size() > static_cast<std::size_t>(kExtraPictureLimit))
    return "a radio has at most 10 extra pictures";
  for (const std::string& name : names) {
    const std::string problem = StorageProblem(name, StoredText::kLine);
    if (!problem.empty()) return Quoted(name) + ": " + Lowercase(problem);
  }
  for (std::size_t i = 0; i < names.size(); ++i) radio.extraPictureFiles[static_cast<int>(i)] = names[i];
  radio.extraPictureCount = static_cast<std::int32_t>(names.size());
  return {};
}

struct TextField {
  int field;
  std::string R::*member;
  StoredText kind;
};
constexpr TextField kTextFields[] = {
    {kImportModel, &R::model, StoredText::kLine},
    {kImportSerialNumber, &R::serialNumber, StoredText::kLine},
    {kImportCabinetColour, &R::cabinetColour, StoredText::kLine},
    {kImportTrimColour, &R::trimColour, StoredText::kLine},
    {kImportWhereAcquired, &R::whereAcquired, StoredText::kLine},
    {kImportDamage, &R::damage, StoredText::kLongText},
    {kImportSourceOfValue, &R::sourceOfValue, StoredText::kLine},
    {kImportRepairsNeeded, &R::repairsNeeded, StoredText::kLongText},
    {kImportWhereDisposed, &R::whereDisposed, StoredText::kLine},
    {kImportSchematic, &R::schematic, StoredText::kLine},
    {kImportReferences, &R::references, StoredText::kLongText},
    {kImportComments, &R::comments, StoredText::kLongText},
    {kImportExtras, &R::extras, StoredText::kLongText},
    {kImportPictureFile, &R::pictureFile, StoredText::kLine},
    {kImportThumbnailFile, &R::thumbnailFile, StoredText::kLine},
};
struct NumberField {
  int field;
  std::int32_t R::*member;
  const char* what;
};
constexpr NumberField kNumberFields[] = {
    {kImportYear, &R::year, "a year"},
    {kImportPurchasePrice, &R::purchasePrice, "a whole number of dollars"},
    {kImportValue, &R::value, "a whole number of dollars"},
    {kImportRestorationCost, &R::restorationCost, "a whole number of dollars"},
    {kImportSellingPrice, &R::sellingPrice, "a whole number of dollars"},
};
struct DateField {
  int field;
  std::string R::*member;
};
constexpr DateField kDateFields[] = {
    {kImportDateAcquired, &R::dateAcquired},
    {kImportDateRestored, &R::dateRestored},
    {kImportDateDisposed, &R::dateDisposed},
};

// What each column does to a row, decided once for the file.
enum class Action {
  kNone,
  kId,
  kTable,
  kText,
  kNumber,
  kYesNo,
  kTechnology,
  kStatus,
  kDate,
  kTubes,
  kExtraPictures
};
struct ColumnAction {
  Action action = Action::kNone;
  int field = kNotImported;
  int index = 0;  // into the table, text, number or date fields
};

ColumnAction ActionOf(int field) {
  ColumnAction a{.field = field};
  if (field == kImportId) a.action = Action::kId;
  if (field == kImportPushButtons || field == kImportTelephoneDial) a.action = Action::kYesNo;
  if (field == kImportTechnology) a.action = Action::kTechnology;
  if (field == kImportStatus) a.action = Action::kStatus;
  if (field == kImportTubes) a.action = Action::kTubes;
  if (field == kImportExtraPictureFiles) a.action = Action::kExtraPictures;
  for (int i = 0; i < kImportTableFieldCount; ++i) {
    if (ImportTableFields()[i].field == field) a = {Action::kTable, field, i};
  }
  for (int i = 0; i < static_cast<int>(std::size(kTextFields)); ++i) {
    if (kTextFields[i].field == field) a = {Action::kText, field, i};
  }
  for (int i = 0; i < static_cast<int>(std::size(kNumberFields)); ++i) {
    if (kNumberFields[i].field == field) a = {Action::kNumber, field, i};
  }
  for (int i = 0; i < static_cast<int>(std::size(kDateFields)); ++i) {
    if (kDateFields[i].field == field) a = {Action::kDate, field, i};
  }
  return a;
}

// The tables' entries by text, and by text in small letters (the first entry of that spelling).
struct TableIndex {
  std::unordered_map<std::string, int> exact;
  std::unordered_map<std::string, int> folded;
};

class RowReader {
 public:
  explicit RowReader(const Collection& collection) : collection_(collection) {
    for (int kind = 0; kind < kTableKindCount; ++kind) {
      const LookupTable& table = collection.tables[kind];
      for (int i = 0; i < table.Count(); ++i) {
        index_[kind].exact.emplace(table.Text(i), i);
        index_[kind].folded.emplace(Lowered(table.Text(i)), i);
      }
    }
    SetNewRadioDefaults(collection, defaults_);
  }

  ImportRow Read(const CsvRow& csv, const std::vector<ColumnAction>& actions,
                 std::vector<ImportProblem>& problems) {
    ImportRow row;
    row.line = csv.line;
    row.radio = defaults_;
    const std::size_t count = std::min(csv.values.size(), actions.size());
    for (std::size_t i = 0; i < count; ++i) {
      if (actions[i].action == Action::kNone) continue;
      const std::string problem = Apply(actions[i], Cleaned(csv.values[i]), row);
      if (problem.empty()) continue;
      ++row.faultyFields;
      problems.push_back({csv.line, actions[i].field, problem});
    }
    return row;
  }

 private:
  std::string Apply(const ColumnAction& a, std::string value, ImportRow& row) {
    R& r = row.radio;
    switch (a.action) {
      case Action::kNone:
        return {};
      case Action::kId: {
        if (Trimmed(value).empty()) return {};
        const std::optional<std::int32_t> id = WholeNumber(value, false);
        if (!id || *id <= 0) return Quoted(value) + " is not an identifier";
        row.fileId = *id;
        return {};
      }
      case Action::kTable: {
        const int kind = ImportTableFields()[a.index].kind;
        if (Trimmed(value).empty()) return {};
        const TableIndex& index = index_[kind];
        if (const auto found = index.exact.find(value); found != index.exact.end()) {
          row.tableTexts[a.index] = std::move(value);
          return {};
        }
        if (const auto found = index.folded.find(Lowered(value)); found != index.folded.end()) {
          row.tableTexts[a.index] = collection_.tables[kind].Text(found->second);
          return {};
        }
        const std::string problem = StorageProblem(value, StoredText::kTableEntry);
        if (!problem.empty()) return Quoted(value) + ": " + Lowercase(problem);
        row.tableTexts[a.index] = std::move(value);
        return {};
      }
      case Action::kText: {
        const TextField& f = kTextFields[a.index];
        if (f.kind == StoredText::kLongText) {
          while (!value.empty() && value.front() == ' ') value.erase(0, 1);
        }
        const std::string problem = StorageProblem(value, f.kind);
        if (!problem.empty()) return Quoted(value) + ": " + Lowercase(problem);
        r.*f.member = std::move(value);
        return {};
      }
      case Action::kNumber: {
        const NumberField& f = kNumberFields[a.index];
        if (Trimmed(value).empty()) return {};
        const std::optional<std::int32_t> number = WholeNumber(value, f.field != kImportYear);
        if (!number) return Quoted(value) + " is not " + f.what;
        r.*f.member = *number;
        return {};
      }
      case Action::kYesNo:
      case Action::kTechnology:
      case Action::kStatus: {
        if (Trimmed(value).empty()) return {};
        const LookupTable& table = a.action == Action::kYesNo        ? YesNoTable()
                                   : a.action == Action::kTechnology ? TechnologyTable()
                                                                     : StatusTable();
        const std::optional<int> entry = BuiltInEntry(table, value);
        if (!entry) {
          return Quoted(value) + (a.action == Action::kYesNo ? " is not Yes or No"
                                  : a.action == Action::kTechnology
                                      ? " is not Crystal, Hybrid, Transistor or Tube"
                                      : " is not a status");
        }
        (a.field == kImportPushButtons     ? r.pushButtons
         : a.field == kImportTelephoneDial ? r.telephoneDial
         : a.field == kImportTechnology    ? r.technology
                                           : r.status) = *entry;
        return {};
      }
      case Action::kDate: {
        std::string date(Trimmed(value));
        if (!date.empty() && AluParseDate(date) == 0)
          return Quoted(value) + " is not a date such as 05Jan1950";
        r.*kDateFields[a.index].member = std::move(date);
        return {};
      }
      case Action::kTubes:
        return ParseTubes(value, r.tubes);
      case Action::kExtraPictures:
        return ParseExtraPictures(value, r);
    }
    return {};
  }

  const Collection& collection_;
  std::array<TableIndex, kTableKindCount> index_;
  RadioRecord defaults_;
};

}  // namespace

const std::array<ImportTableField, kImportTableFieldCount>& ImportTableFields() {
  static const std::array<ImportTableField, kImportTableFieldCount> fields{{
      {kImportBrand, kTableBrandName, &R::brand},
      {kImportManufacturer, kTableManufacturer, &R::manufacturer},
      {kImportCabinetStyle, kTableCabinetStyle, &R::cabinetStyle},
      {kImportCabinetComposition, kTableCabinetComposition, &R::cabinetComposition},
      {kImportCabinetTrim, kTableCabinetTrim, &R::cabinetTrim},
      {kImportTuningDial, kTableTuningDial, &R::tuningDial},
      {kImportDialPosition, kTablePosition, &R::dialPosition},
      {kImportGrillStyle, kTableGrillStyle, &R::grillStyle},
      {kImportGrillPosition, kTablePosition, &R::grillPosition},
      {kImportPowerSource, kTablePowerSource, &R::powerSource},
      {kImportBands, kTableBands, &R::bands},
      {kImportCircuitType, kTableCircuitType, &R::circuitType},
      {kImportCondition, kTableCondition, &R::condition},
      {kImportChassisCondition, kTableChassisCondition, &R::chassisCondition},
  }};
  return fields;
}

std::string ProblemText(const ImportProblem& problem) {
  if (problem.field == kNotImported) return "line " + std::to_string(problem.line) + ": " + problem.text;
  return "line " + std::to_string(problem.line) + ", " + ImportFieldName(problem.field) + ": " + problem.text;
}

ImportPlan PlanImport(const Collection& collection, const CsvTable& table,
                      std::optional<std::vector<int>> columns) {
  ImportPlan plan;
  if (!table.error.empty()) {
    plan.unreadable = true;
    plan.problems.push_back({table.errorLine, kNotImported, table.error});
    return plan;
  }
  if (table.rows.empty()) return plan;
  for (std::string_view header : table.rows.front().values) plan.headers.push_back(Cleaned(header));
  plan.columns = columns ? std::move(*columns) : MatchColumns(plan.headers);
  plan.columns.resize(plan.headers.size(), kNotImported);
  std::vector<ColumnAction> actions;
  for (int field : plan.columns) actions.push_back(ActionOf(field));

  RowReader reader(collection);
  plan.rows.reserve(table.rows.size() - 1);
  for (std::size_t i = 1; i < table.rows.size(); ++i) {
    plan.rows.push_back(reader.Read(table.rows[i], actions, plan.problems));
    plan.faultyFields += plan.rows.back().faultyFields;
  }
  return plan;
}

std::string StoredValue(const ImportRow& row, int field) {
  const R& r = row.radio;
  const ColumnAction a = ActionOf(field);
  switch (a.action) {
    case Action::kNone:
      return {};
    case Action::kId:
      return row.fileId ? std::to_string(*row.fileId) : "new";
    case Action::kTable: {
      const std::string& text = row.tableTexts[a.index];
      return text.empty() ? NewRadioEntryName(ImportTableFields()[a.index].kind) : text;
    }
    case Action::kText:
      return r.*kTextFields[a.index].member;
    case Action::kNumber:
      return std::to_string(r.*kNumberFields[a.index].member);
    case Action::kYesNo:
      return YesNoTable().Text(field == kImportPushButtons ? r.pushButtons : r.telephoneDial);
    case Action::kTechnology:
      return TechnologyTable().Text(r.technology);
    case Action::kStatus:
      return StatusTable().Text(r.status);
    case Action::kDate:
      return r.*kDateFields[a.index].member;
    case Action::kTubes: {
      std::string text;
      for (int i = 0; i < r.tubes.HeldCount(); ++i) {
        if (!r.tubes[i].IsFilled()) continue;
        if (!text.empty()) text += "; ";
        text += TubeFunctionTable().Text(r.tubes[i].function) + " " + r.tubes[i].type;
      }
      return text;
    }
    case Action::kExtraPictures: {
      std::string text;
      for (int i = 0; i < UsedExtraPictures(r); ++i) text += (i ? "; " : "") + r.extraPictureFiles[i];
      return text;
    }
  }
  return {};
}

}  // namespace korvel

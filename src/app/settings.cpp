#include "app/settings.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <optional>
#include <string_view>

#include "collection/tables.h"
#include "reports/radio_table.h"
#include "util/alu_path.h"
#include "util/message.h"

namespace korvel {
namespace {

constexpr int kMostSelectionRecords = 50;  // 49 saved selections and the current parameters

// The number at the start of a line: digits, with a leading "-" read as a sign; none when the
// line does not start with one.
std::optional<int> ParseNumber(const std::string& line) {
  std::size_t i = 0;
  bool negative = false;
  if (i < line.size() && line[i] == '-') {
    negative = true;
    ++i;
  }
  if (i >= line.size() || line[i] < '0' || line[i] > '9') return std::nullopt;
  long long value = 0;
  for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
    value = std::min<long long>(value * 10 + (line[i] - '0'), std::numeric_limits<int>::max());
  }
  return static_cast<int>(negative ? -value : value);
}

int Number(const std::string& line) {
  return ParseNumber(line).value_or(0);
}

// A number that does not parse (a damaged or short file) leaves the value as it was.
void ReadNumber(LineSource& in, int& value) {
  if (const std::optional<int> number = ParseNumber(in.Next())) value = *number;
}
void ReadSwitch(LineSource& in, bool& value) {
  if (const std::optional<int> number = ParseNumber(in.Next())) value = *number != 0;
}

// Where a value ends: at its own label, looked for from the end so that a value holding " --- "
// (a name the user typed) keeps it; at the first " --- " on a line labelled otherwise.
std::size_t LabelStart(const std::string& line, std::string_view label) {
  const std::size_t own = line.rfind(label);
  return own != std::string::npos ? own : line.find(" --- ");
}

// The value in front of its label, without blanks around it.
std::string BeforeLabel(const std::string& line, std::string_view label) {
  std::string value = line.substr(0, LabelStart(line, label));
  const std::size_t first = value.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  value.erase(0, first);
  value.erase(value.find_last_not_of(' ') + 1);
  return value;
}

const LookupTable& NameTable(const char* (*name)(int), int count) {
  static LookupTable tables[3];
  LookupTable& t = tables[count == kActionCount ? 0 : (count == kFieldCount ? 1 : 2)];
  if (t.entries.empty()) {
    for (int i = 0; i < count; ++i) t.entries.push_back(name(i));
    t.modifiable = false;
  }
  return t;
}

int Lookup(const char* (*name)(int), int count, const std::string& text) {
  return FindTableEntry(text, NameTable(name, count)).position;
}

Criterion ReadRow(LineSource& in) {
  Criterion row;
  std::string action = in.Next();
  // The action's name ends at its label; older files are cut at the first "-".
  if (action.find(" --- ") != std::string::npos) {
    action = action.substr(0, action.find(" --- "));
  } else if (const std::size_t dash = action.find('-'); dash != std::string::npos) {
    action = action.substr(0, dash > 0 && action[dash - 1] == ' ' ? dash - 1 : dash);
  }
  row.action = Lookup(ActionName, kActionCount, action);
  row.field = Lookup(FieldName, kFieldCount, in.Next());
  row.relation = Lookup(RelationName, kRelationCount, in.Next());
  row.value = Number(in.Next());
  row.text = in.Next();
  row.hasText = !row.text.empty();
  return row;
}

void ReadSavedSelections(LineSource& in, int version, Settings& s) {
  if (version >= 11) {
    const int count = Number(in.Next());
    std::vector<SelectionParameters> records;
    for (int n = 0; n < count && !in.Ended(); ++n) {
      SelectionParameters record;
      const std::string first = in.Next();
      record.name = first.substr(0, LabelStart(first, " --- Saved Selection "));
      for (Criterion& row : record.rows) row = ReadRow(in);
      record.filterName = in.Next();
      if (static_cast<int>(records.size()) < kMostSelectionRecords - 1 || n == count - 1) {
        records.push_back(std::move(record));
      }
    }
    if (!records.empty()) {
      s.current = std::move(records.back());
      records.pop_back();
    }
    s.saved = std::move(records);
    return;
  }
  s.current = SelectionParameters();
  const int rows = version > 6 ? kCriteriaRows : 1;
  for (int i = 0; i < rows; ++i) s.current.rows[i] = ReadRow(in);
  if (version < 7) in.Next();
  if (version >= 1) s.current.filterName = in.Next();
}

constexpr std::string_view kTableColumnsLabel = " --- Table Columns ---";

// "0 1 2 4 --- Table Columns ---": numbers this program does not know (a newer one wrote them)
// are passed over.
std::vector<int> ReadTableColumns(const std::string& line) {
  std::vector<int> columns;
  std::size_t i = 0;
  const std::size_t end = line.rfind(kTableColumnsLabel);
  while (i < end) {
    const std::optional<int> number = ParseNumber(line.substr(i, end - i));
    if (number && *number >= 0 && *number < kRadioColumnCount &&
        std::find(columns.begin(), columns.end(), *number) == columns.end()) {
      columns.push_back(*number);
    }
    i = line.find(' ', i);
    if (i == std::string::npos) break;
    ++i;
  }
  return columns.empty() ? DefaultTableColumns() : columns;
}

// Lines after the web parameters, each known by its label: a program that knows fewer of them
// reads what it knows and stops, as the older ones stop after the web parameters.
void ReadLabelledLines(LineSource& in, Settings& s) {
  constexpr int kMostLines = 64;  // a damaged file's endless tail is not read to its end
  for (int n = 0; n < kMostLines; ++n) {
    const std::string line = in.Next();
    if (in.Ended() && line.empty()) return;
    const std::size_t label = line.rfind(kTableColumnsLabel);
    if (label != std::string::npos && label + kTableColumnsLabel.size() == line.size()) {
      s.tableColumns = ReadTableColumns(line);
    }
  }
}

std::string RecordText(const SelectionParameters& p, int position) {
  std::string text;
  if (!p.name.empty()) text += p.name + " --- Saved Selection " + std::to_string(position) + " ---";
  text += '\n';
  for (const Criterion& row : p.rows) {
    const char* action = ActionName(row.action);
    const char* field = FieldName(row.field);
    const char* relation = RelationName(row.relation);
    text += std::string(action != nullptr ? action : "None") + " --- Selection Parameters ---\n";
    text += std::string(field != nullptr ? field : "") + "\n";
    text += std::string(relation != nullptr ? relation : "") + "\n";
    text += std::to_string(row.value) + "\n";
    text += (row.hasText ? row.text : std::string()) + "\n";
  }
  const std::string filter = p.filter != nullptr ? p.filter->name : p.filterName;
  text += filter + "\n";
  return text;
}

}  // namespace

Settings::Settings() : tableColumns(DefaultTableColumns()) {
  mainWindow.x = 100;
  mainWindow.y = 100;
  mainWindow.width = 500;
  mainWindow.height = 500;
  mainWindow.fonts = {FontSpec{false, 12, "Courier"}};
  pane.fonts = {FontSpec{false, 8, "Courier"}};
}

int ReadSettings(const std::string& path, Settings& s) {
  s = Settings();
  std::FILE* file = std::fopen(AluNativePath(path).c_str(), "rb");
  if (file == nullptr) {
    // No file at all is a first start, where the defaults are simply what there is.
    std::error_code error;
    if (std::filesystem::exists(AluNativePath(path), error)) {
      ShowMessage(kWarning, kButtonsOk, "Cannot open initialization file; using defaults.");
    }
    return -1;
  }
  LineSource in(file);
  // A file that is no settings file at all, or one this program cannot read, is set aside whole:
  // half of it read would mix with defaults in ways nobody chose.
  const auto unusable = [&](const std::string& why) {
    std::fclose(file);
    s = Settings();
    ShowMessage(kWarning, kButtonsOk,
                "'%s' could not be read as settings (%s). Korvel starts on its defaults; leaving with Yes "
                "writes a sound settings file.",
                AluNativePath(path).c_str(), why.c_str());
    return -1;
  };
  const std::string first = in.Next();
  if (in.Ended()) return unusable("it is empty");
  const std::optional<int> version = ParseNumber(first);
  if (!version || *version < 0) return unusable("it is not a settings file");
  const int v = *version;
  if (v > kSettingsVersion) return unusable("it was written by a newer Korvel, version " + std::to_string(v));
  // Blanks are allowed in the directory: it runs up to its label.
  if (v > 5) s.dataDirectory = BeforeLabel(in.Next(), " --- Data File Directory ---");
  if (v == 10) in.Next();
  ReadSavedSelections(in, v, s);

  const int members = Number(in.Next());
  for (int i = 0; i < members && !in.Ended(); ++i) {
    if (const std::optional<int> id = ParseNumber(in.Next())) s.selection.push_back(*id);
  }
  ReadNumber(in, s.currentRadio);
  if (v > 0) ReadNumber(in, s.tourSize);
  bool fontRefused = false;
  if (v > 1) {
    if (v < 5) {
      if (Number(in.Next()) != 0) s.mainWindow.maximised = true;
      ReadNumber(in, s.mainWindow.x);
      ReadNumber(in, s.mainWindow.y);
      ReadNumber(in, s.mainWindow.width);
      ReadNumber(in, s.mainWindow.height);
    } else {
      in.Next();
      ReadWindowParameters(in, s.mainWindow, kWindowFontLimit, &fontRefused);
    }
  }
  if (v > 7) ReadWindowParameters(in, s.pane, kWindowFontLimit, &fontRefused);
  if (v > 12) ReadWindowParameters(in, s.view, kWindowFontLimit, &fontRefused);
  if (v > 2) {
    ReadNumber(in, s.graphField);
    ReadSwitch(in, s.graphSelected);
  }
  if (v > 8) {
    in.Next();
    s.webRoot = in.Next();
    s.webHtml = in.Next();
    s.webPictures = in.Next();
    s.webSnapshots = in.Next();
    if (v > 11) {
      s.webListName = in.Next();
      ReadSwitch(in, s.webDescriptions);
    }
  }
  if (v == 4) {
    FontSpec& font = s.mainWindow.fonts[0];
    std::string face = in.Next();
    if (face.empty()) {
      fontRefused = true;
    } else {
      font.face = std::move(face);
    }
    ReadNumber(in, font.size);
    in.Next();
    font.bold = (Number(in.Next()) & 1) != 0;
    // It is written back on a window record's line: keep what that line holds, so that the file
    // reads the same after a save.
    const std::size_t prefix =
        std::to_string(font.bold ? 1 : 0).size() + 1 + std::to_string(font.size).size() + 1;
    if (prefix + font.face.size() > LineSource::kMostLineCharacters)
      font.face.resize(LineSource::kMostLineCharacters - prefix);
    while (!font.face.empty() && font.face.back() == '\r') font.face.pop_back();
  }
  if (in.Ended()) return unusable("it is cut short");
  if (v == kSettingsVersion) ReadLabelledLines(in, s);
  std::fclose(file);
  if (fontRefused) {
    ShowMessage(kWarning, kButtonsOk, "A font in '%s' has no name; the default font is used instead.",
                path.c_str());
  }
  if (s.tourSize < 1 || s.tourSize > 8) s.tourSize = 2;
  return v;
}

std::string SettingsText(const Settings& s) {
  std::string text = std::to_string(kSettingsVersion) + " --- Version ---\n";
  text += s.dataDirectory + " --- Data File Directory ---\n";
  text += std::to_string(s.saved.size() + 1) + " ---- Saved Selections ---\n";
  for (std::size_t i = 0; i < s.saved.size(); ++i) text += RecordText(s.saved[i], static_cast<int>(i) + 1);
  text += RecordText(s.current, static_cast<int>(s.saved.size()) + 1);
  text += std::to_string(s.selection.size()) + " --- Selection List ---\n";
  for (int id : s.selection) text += std::to_string(id) + "\n";
  text += std::to_string(s.currentRadio) + " --- View Radio ---\n";
  text += std::to_string(s.tourSize) + " --- Tour Size ---\n";
  text += "--- Window Parameters ---\n";
  text += WindowParametersText(s.mainWindow);
  text += WindowParametersText(s.pane);
  text += WindowParametersText(s.view);
  text += std::to_string(s.graphField) + " --- Graphing Parameters ---\n";
  text += std::string(s.graphSelected ? "1" : "0") + "\n";
  text += "  --- Web Image Publishing Parameters ---\n";
  for (const std::string* line : {&s.webRoot, &s.webHtml, &s.webPictures, &s.webSnapshots, &s.webListName}) {
    text += *line + "\n";
  }
  text += std::string(s.webDescriptions ? "1" : "0") + "\n";
  // Only columns the user chose: a file left at the defaults stays as older programs wrote it.
  if (!s.tableColumns.empty() && s.tableColumns != DefaultTableColumns()) {
    for (int column : s.tableColumns) text += std::to_string(column) + " ";
    text.pop_back();
    text += std::string(kTableColumnsLabel) + "\n";
  }
  return text;
}

bool WriteSettings(const std::string& path, const Settings& settings) {
  namespace fs = std::filesystem;
  const std::string native = AluNativePath(path);
  const std::string partial = native + ".new";
  const std::string text = SettingsText(settings);
  std::FILE* file = std::fopen(partial.c_str(), "wb");
  bool ok = file != nullptr && std::fwrite(text.data(), 1, text.size(), file) == text.size();
  if (file != nullptr && std::fclose(file) != 0) ok = false;
  std::error_code ec;
  if (ok) {
    fs::rename(partial, native, ec);
    ok = !ec;
  }
  if (!ok) {
    fs::remove(partial, ec);
    ShowMessage(kNote, kButtonsOkCancel, "Unable to open '%s' for writing.", path.c_str());
  }
  return ok;
}

}  // namespace korvel

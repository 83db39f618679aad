#include "import/import_columns.h"

#include <cctype>
#include <string_view>

#include "reports/csv_file.h"

namespace korvel {
namespace {

// Other names a collector's spreadsheet may use: the labels of the description and the notebook.
struct Alias {
  int field;
  const char* label;
};
constexpr Alias kAliases[] = {
    {kImportId, "ID"},
    {kImportCabinetColour, "Cabinet Color"},
    {kImportCabinetTrim, "Trim"},
    {kImportTrimColour, "Trim Color"},
    {kImportTuningDial, "Tuning Dial Style"},
    {kImportDialPosition, "Tuning Dial Position"},
    {kImportPowerSource, "Power"},
    {kImportPurchasePrice, "Cost"},
    {kImportDateRestored, "Date Repaired"},
    {kImportRepairsNeeded, "Repairs"},
    {kImportSellingPrice, "Price"},
    {kImportWhereDisposed, "Where Sold"},
    {kImportWhereDisposed, "Where Donated"},
    {kImportThumbnailFile, "Snapshot File"},
};

std::string Folded(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  std::string folded(text);
  for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

}  // namespace

const char* ImportFieldName(int field) {
  const auto columns = RadioCsvColumns();
  return field >= 0 && field < static_cast<int>(columns.size()) ? columns[field] : "";
}

std::vector<int> MatchColumns(const std::vector<std::string>& headers) {
  const auto columns = RadioCsvColumns();
  std::vector<int> fields(headers.size(), kNotImported);
  std::vector<bool> taken(kImportFieldCount, false);
  const auto take = [&](std::size_t i, int field) {
    if (field < 0 || taken[field]) return;
    fields[i] = field;
    taken[field] = true;
  };
  // Exact headers first, so that Korvel's own file is read as written whatever else it holds.
  for (std::size_t i = 0; i < headers.size(); ++i) {
    for (int f = 0; f < kImportFieldCount; ++f) {
      if (headers[i] == columns[f]) take(i, f);
    }
  }
  for (std::size_t i = 0; i < headers.size(); ++i) {
    if (fields[i] != kNotImported) continue;
    const std::string header = Folded(headers[i]);
    int field = kNotImported;
    for (int f = 0; f < kImportFieldCount && field < 0; ++f) {
      if (header == Folded(columns[f])) field = f;
    }
    for (const Alias& alias : kAliases) {
      if (field < 0 && header == Folded(alias.label)) field = alias.field;
    }
    take(i, field);
  }
  return fields;
}

}  // namespace korvel

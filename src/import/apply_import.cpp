#include "import/apply_import.h"

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "collection/history.h"
#include "collection/picture_names.h"
#include "collection/radio_ops.h"

namespace korvel {
namespace {

// Manufacturers go in before brands, so a new brand can be given its manufacturer's position.
int InsertionRank(int kind) {
  return kind == kTableManufacturer ? 0 : (kind == kTableBrandName ? 2 : 1);
}

}  // namespace

ImportOutcome ApplyImport(Collection& collection, ImportPlan plan, bool skipFaultyFields) {
  ImportOutcome outcome;
  if (plan.unreadable || (plan.faultyFields > 0 && !skipFaultyFields)) return outcome;
  outcome.applied = true;
  outcome.skippedFields = plan.faultyFields;
  if (plan.rows.empty()) return outcome;
  const auto& tableFields = ImportTableFields();

  // The entries to make, by table, and the manufacturer each new brand's first row names.
  std::map<int, std::set<std::string>> missing;
  std::unordered_map<std::string, std::string> brandMaker;
  {
    std::array<std::unordered_set<std::string>, kTableKindCount> present;
    for (int kind = 0; kind < kTableKindCount; ++kind)
      present[kind].insert(collection.tables[kind].entries.begin(), collection.tables[kind].entries.end());
    for (const ImportRow& row : plan.rows) {
      for (int i = 0; i < kImportTableFieldCount; ++i) {
        const std::string& text = row.tableTexts[i];
        if (!text.empty() && !present[tableFields[i].kind].contains(text))
          missing[tableFields[i].kind].insert(text);
      }
      const std::string& brand = row.tableTexts[0];
      if (!brand.empty()) brandMaker.emplace(brand, row.tableTexts[1]);
    }
  }
  std::vector<int> kinds;
  for (const auto& [kind, texts] : missing) kinds.push_back(kind);
  std::stable_sort(kinds.begin(), kinds.end(),
                   [](int a, int b) { return InsertionRank(a) < InsertionRank(b); });
  for (int kind : kinds) {
    for (const std::string& text : missing[kind]) {
      int maker = 0;
      if (kind == kTableBrandName) {
        const std::string& name = brandMaker[text];
        const std::vector<std::string>& makers = collection.tables[kTableManufacturer].entries;
        const auto found = std::find(makers.begin(), makers.end(), name.empty() ? "Unknown" : name);
        maker = found == makers.end() ? 0 : static_cast<int>(found - makers.begin());
      }
      if (AddTableEntry(collection, kind, text, maker) >= 0) outcome.newEntries.push_back({kind, text});
    }
  }

  // Positions by text, in the tables as they are now.
  std::array<std::unordered_map<std::string_view, int>, kTableKindCount> position;
  for (int kind = 0; kind < kTableKindCount; ++kind) {
    const LookupTable& table = collection.tables[kind];
    for (int i = 0; i < table.Count(); ++i) position[kind].emplace(table.entries[i], i);
  }
  RadioRecord defaults;
  SetNewRadioDefaults(collection, defaults);

  std::vector<std::unique_ptr<RadioRecord>> records;
  records.reserve(plan.rows.size());
  for (ImportRow& row : plan.rows) {
    auto record = std::make_unique<RadioRecord>(std::move(row.radio));
    for (int i = 0; i < kImportTableFieldCount; ++i) {
      const ImportTableField& f = tableFields[i];
      const std::string& text = row.tableTexts[i];
      const auto found = text.empty() ? position[f.kind].end() : position[f.kind].find(text);
      (*record).*f.member = found != position[f.kind].end() ? found->second : defaults.*f.member;
    }
    if (record->pictureFile.empty() && record->thumbnailFile.empty()) SetPictureNames(collection, *record);
    records.push_back(std::move(record));
  }

  // Identifiers in radio order (the file's order among equals); the file's own ones where free.
  std::vector<std::size_t> order(records.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return CompareRadios(collection.tables, *records[a], *records[b]) < 0;
  });
  const bool keepIds = collection.radios.Empty();
  // Identifiers of radios deleted since the save stay taken: the exit question counts them by it.
  std::unordered_set<int> used;
  for (const RadioRecord* r : collection.asLoaded) used.insert(r->id);
  for (const RadioRecord* r : collection.radios) used.insert(r->id);
  if (keepIds) {
    for (std::size_t i : order) {
      const std::optional<int>& id = plan.rows[i].fileId;
      if (id && used.insert(*id).second) {
        records[i]->id = *id;
        collection.nextId = std::max(collection.nextId, *id + 1);
      }
    }
  }
  for (std::size_t i : order) {
    if (records[i]->id != 0) continue;
    while (used.contains(collection.nextId)) ++collection.nextId;
    records[i]->id = collection.nextId++;
  }

  // Into the collection in one merge: each radio alone would move the whole list.
  std::vector<RadioRecord*> raw;
  raw.reserve(records.size());
  for (const auto& record : records) raw.push_back(record.get());
  const RadioList added = BuildRadioList(collection.tables, raw);
  MergeInto(collection.tables, collection.radios, added);
  for (auto& record : records) collection.radioStore.push_back(std::move(record));
  if (collection.recorder != nullptr) {
    for (RadioRecord* radio : added) collection.recorder->RadioAdded(radio);
  }
  outcome.radios = added.Records();
  collection.changed = true;
  return outcome;
}

}  // namespace korvel

#include "support/collection_builder.h"

#include <gtest/gtest.h>

#include "collection/radio_ops.h"

namespace korvel::test {

Collection MakeCollection() {
  Collection c;
  auto set = [&](int kind, std::vector<std::string> entries) { c.tables[kind].entries = std::move(entries); };
  set(kTableBands, {"AM", "AM/FM", "AM/SW", "Unknown"});
  set(kTableBrandName, {"Crosley", "Emerson", "Philco", "RCA Victor", "Unknown", "Zenith"});
  set(kTableCabinetComposition, {"Bakelite", "Catalin", "Plastic", "Unknown", "Wood"});
  set(kTableCabinetStyle, {"Cathedral", "Console", "Table", "Tombstone", "Unknown"});
  set(kTableCabinetTrim, {"Chrome", "Gold", "No Trim", "Unknown"});
  set(kTableChassisCondition, {"Good", "Poor", "Unknown"});
  set(kTableCircuitType, {"Regenerative", "Superheterodyne", "TRF", "Unknown"});
  set(kTableCondition, {"Excellent", "Fair", "Good", "Unknown"});
  set(kTableGrillStyle, {"Cloth", "Louvres", "Unknown"});
  set(kTableManufacturer,
      {"Crosley Corp.", "Emerson Radio", "Philco Corp.", "RCA", "Unknown", "Zenith Radio"});
  set(kTablePosition, {"Center", "Front", "Top", "Unknown"});
  set(kTablePowerSource, {"AC", "AC/DC", "Battery", "DC", "Three Way", "Unknown"});
  set(kTableTuningDial, {"Airplane", "Round", "Slide Rule", "Unknown"});
  c.brandManufacturer = {0, 1, 2, 3, 4, 5};
  c.asLoadedBrandManufacturer = c.brandManufacturer;
  c.brandPictureDirectories.assign(c.tables[kTableBrandName].entries.size(), std::string());
  c.asLoadedTables = c.tables;
  c.nextId = 1;
  return c;
}

int Position(const Collection& collection, int kind, const std::string& text) {
  const auto& entries = collection.tables[kind].entries;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i] == text) return static_cast<int>(i);
  }
  ADD_FAILURE() << "no entry \"" << text << "\" in table " << kind;
  return 0;
}

std::unique_ptr<RadioRecord> MakeRadio(const Collection& c, const RadioFields& fields) {
  auto r = std::make_unique<RadioRecord>();
  SetNewRadioDefaults(c, *r);
  r->id = fields.id;
  r->brand = Position(c, kTableBrandName, fields.brand);
  r->model = fields.model;
  r->year = fields.year;
  r->cabinetStyle = Position(c, kTableCabinetStyle, fields.cabinetStyle);
  r->status = fields.status;
  r->cabinetColour = fields.cabinetColour;
  r->cabinetTrim = Position(c, kTableCabinetTrim, fields.trim);
  r->trimColour = fields.trimColour;
  r->technology = fields.technology;
  r->powerSource = Position(c, kTablePowerSource, fields.powerSource);
  for (std::size_t i = 0; i < fields.tubes.size(); ++i) {
    r->tubes.Set(static_cast<int>(i), fields.tubes[i].first, fields.tubes[i].second);
  }
  return r;
}

std::vector<int> Ids(const RadioList& list) {
  std::vector<int> ids;
  for (const RadioRecord* r : list) ids.push_back(r->id);
  return ids;
}

RadioRecord* AddLoadedRadio(Collection& collection, const RadioFields& fields) {
  auto record = MakeRadio(collection, fields);
  auto copy = std::make_unique<RadioRecord>(*record);
  RadioRecord* added = AddRadio(collection, std::move(record));
  if (added != nullptr) AddAsLoadedRadio(collection, std::move(copy));
  return added;
}

}  // namespace korvel::test

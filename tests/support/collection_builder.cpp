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

std::unique_ptr<RadioRecord> MakeRadio(const Collection& c, const RadioSpec& spec) {
  auto r = std::make_unique<RadioRecord>();
  SetNewRadioDefaults(c, *r);
  r->id = spec.id;
  r->brand = Position(c, kTableBrandName, spec.brand);
  r->model = spec.model;
  r->year = spec.year;
  r->cabinetStyle = Position(c, kTableCabinetStyle, spec.cabinetStyle);
  r->status = spec.status;
  r->cabinetColour = spec.cabinetColour;
  r->cabinetTrim = Position(c, kTableCabinetTrim, spec.trim);
  r->trimColour = spec.trimColour;
  r->technology = spec.technology;
  r->powerSource = Position(c, kTablePowerSource, spec.powerSource);
  for (std::size_t i = 0; i < spec.tubes.size(); ++i) {
    r->tubes.Set(static_cast<int>(i), spec.tubes[i].first, spec.tubes[i].second);
  }
  return r;
}

RadioRecord* AddLoadedRadio(Collection& collection, const RadioSpec& spec) {
  auto record = MakeRadio(collection, spec);
  auto copy = std::make_unique<RadioRecord>(*record);
  RadioRecord* added = AddRadio(collection, std::move(record));
  if (added != nullptr) AddAsLoadedRadio(collection, std::move(copy));
  return added;
}

}  // namespace korvel::test

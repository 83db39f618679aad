#include "collection/radio_ops.h"

#include <algorithm>
#include <new>

#include "collection/history.h"
#include "util/message.h"

namespace korvel {
namespace {

int DefaultPosition(const Collection& collection, int kind) {
  return FindTableEntry(NewRadioEntryName(kind), collection.tables[kind]).position;
}

// The record fields that hold a position in the table of that kind.
template <typename Visit>
void ForEachReference(RadioRecord& r, int kind, Visit visit) {
  switch (kind) {
    case kTableBands:
      visit(r.bands);
      break;
    case kTableBrandName:
      visit(r.brand);
      break;
    case kTableCabinetComposition:
      visit(r.cabinetComposition);
      break;
    case kTableCabinetStyle:
      visit(r.cabinetStyle);
      break;
    case kTableCabinetTrim:
      visit(r.cabinetTrim);
      break;
    case kTableChassisCondition:
      visit(r.chassisCondition);
      break;
    case kTableCircuitType:
      visit(r.circuitType);
      break;
    case kTableCondition:
      visit(r.condition);
      break;
    case kTableGrillStyle:
      visit(r.grillStyle);
      break;
    case kTableManufacturer:
      visit(r.manufacturer);
      break;
    case kTablePosition:
      visit(r.dialPosition);
      visit(r.grillPosition);
      break;
    case kTablePowerSource:
      visit(r.powerSource);
      break;
    case kTableTuningDial:
      visit(r.tuningDial);
      break;
    default:
      break;  // the built-in tables never grow
  }
}

}  // namespace

void SetNewRadioDefaults(const Collection& collection, RadioRecord& r) {
  const int currentPicture = r.currentPicture;
  r = RadioRecord{};
  r.currentPicture = currentPicture;
  r.brand = DefaultPosition(collection, kTableBrandName);
  r.model = "Unknown";
  r.year = 1900;
  r.manufacturer = DefaultPosition(collection, kTableManufacturer);
  r.cabinetStyle = DefaultPosition(collection, kTableCabinetStyle);
  r.cabinetComposition = DefaultPosition(collection, kTableCabinetComposition);
  r.cabinetTrim = DefaultPosition(collection, kTableCabinetTrim);
  r.pushButtons = kNo;
  r.telephoneDial = kNo;
  r.tuningDial = DefaultPosition(collection, kTableTuningDial);
  r.dialPosition = DefaultPosition(collection, kTablePosition);
  r.grillStyle = DefaultPosition(collection, kTableGrillStyle);
  r.grillPosition = DefaultPosition(collection, kTablePosition);
  r.powerSource = DefaultPosition(collection, kTablePowerSource);
  r.bands = DefaultPosition(collection, kTableBands);
  r.technology = kTechTube;
  r.circuitType = DefaultPosition(collection, kTableCircuitType);
  r.status = kStatusToBeRestored;
  r.condition = DefaultPosition(collection, kTableCondition);
  r.chassisCondition = DefaultPosition(collection, kTableChassisCondition);
}

void CopyRadio(const RadioRecord& source, RadioRecord& target) {
  if (&source != &target) target = source;
}

void ReleaseRadio(RadioRecord& record) {
  record = RadioRecord{};
}

int FindTubeSlot(const RadioRecord& record, int function, int after) {
  if (function == 0) return -1;
  for (int i = std::max(after + 1, 0); i < record.tubes.HeldCount(); ++i) {
    if (record.tubes[i].function == function) return i;
  }
  return -1;
}

int InsertTableEntry(Collection& collection, int kind, std::string text) {
  if (!IsTableKind(kind) || !collection.tables[kind].modifiable) {
    ShowMessage(kWarning, kButtonsOk, "this table may not be modified.");
    return -1;
  }
  auto& entries = collection.tables[kind].entries;
  // A walk rather than a binary search: a table read from a file need not be in order.
  auto at = entries.begin();
  for (; at != entries.end(); ++at) {
    if (*at == text) {
      ShowMessage(kWarning, kButtonsOk, "this entry already present.");
      return -1;
    }
    if (*at > text) break;
  }
  const int p = static_cast<int>(at - entries.begin());
  try {
    entries.insert(at, std::move(text));
    if (kind == kTableManufacturer) {
      for (auto& m : collection.brandManufacturer) {
        if (m >= p) ++m;
      }
    }
    if (kind == kTableBrandName) {
      auto& map = collection.brandManufacturer;
      auto& directories = collection.brandPictureDirectories;
      // Both run parallel to the brand table; a shorter one (an old file) is filled up first.
      if (static_cast<int>(map.size()) < p) map.resize(p, 0);
      if (static_cast<int>(directories.size()) < p) directories.resize(p);
      map.insert(map.begin() + p, 0);
      directories.insert(directories.begin() + p, std::string());
    }
  } catch (const std::bad_alloc&) {
    ShowMessage(kError, kButtonsOk, "'AluMalloc' failure in 'InsertTableEntry'.");
    return -1;
  }
  return p;
}

void RenumberReferences(Collection& collection, int kind, int position, int delta) {
  for (RadioRecord* r : collection.radios) RenumberRecordReferences(*r, kind, position, delta);
  // Unchanged radios are their own as-loaded copies: their copies as read will take this back.
  collection.shiftsSinceLoad.push_back({kind, position, delta});
}

void RenumberRecordReferences(RadioRecord& record, int kind, int position, int delta) {
  ForEachReference(record, kind, [&](std::int32_t& value) {
    if (value >= position) value += delta;
  });
}

int AddTableEntry(Collection& collection, int kind, std::string text, int brandManufacturer) {
  const int p = InsertTableEntry(collection, kind, std::move(text));
  if (p < 0) return -1;
  RenumberReferences(collection, kind, p, 1);
  if (kind == kTableBrandName) collection.brandManufacturer[p] = brandManufacturer;
  if (collection.recorder != nullptr)
    collection.recorder->TableEntryAdded(collection, kind, p, brandManufacturer);
  collection.changed = true;
  return p;
}

void StartNewCollection(Collection& collection) {
  ClearCollection(collection);
  for (int kind : UserTableKindsInFileOrder()) {
    std::vector<std::string> entries{"Unknown"};
    if (kind == kTableCabinetTrim) entries = {"No Trim", "Unknown"};
    collection.tables[kind].entries = entries;
    collection.asLoadedTables[kind].entries = entries;
  }
  collection.brandManufacturer.assign(1, 0);
  collection.asLoadedBrandManufacturer = collection.brandManufacturer;
  collection.brandPictureDirectories.assign(1, std::string());
  collection.nextId = 1;
  collection.changed = false;
}

}  // namespace korvel

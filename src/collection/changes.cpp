#include "collection/changes.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace korvel {
namespace {

constexpr const char* kNoTrim = "No Trim";

// Tube Function position -> change flag.
constexpr int kTubeFlags[kTubeFunctionCount] = {
    66,  // none
    43,  // Ballast
    22,  // Converter
    27,  // Detector
    26,  // Detector/First Audio
    29,  // First Audio
    34,  // FM Converter
    39,  // FM Discriminator
    37,  // FM IF Amplifier
    38,  // FM Limiter
    36,  // FM Mixer
    35,  // FM Oscillator
    40,  // FM Ratio Detector
    33,  // FM RF Amplifier
    25,  // IF Amplifier
    28,  // IF Amplifier/Detector
    24,  // Mixer
    23,  // Oscillator
    31,  // Phase Inverter
    32,  // Power Amplifier
    41,  // Rectifier
    21,  // RF Amplifier
    30,  // Second Audio
    42,  // Tuning Indicator
    66,  // Unknown
};

// Whether the tubes of one function differ: the slots of that function, in slot order, pairwise.
bool TubesDiffer(const RadioRecord& a, const RadioRecord& b, int function) {
  int i = -1;
  int j = -1;
  for (;;) {
    do ++i;
    while (i < a.tubes.HeldCount() && a.tubes[i].function != function);
    do ++j;
    while (j < b.tubes.HeldCount() && b.tubes[j].function != function);
    const bool moreA = i < a.tubes.HeldCount();
    const bool moreB = j < b.tubes.HeldCount();
    if (moreA != moreB) return true;
    if (!moreA) return false;
    if (a.tubes[i].type != b.tubes[j].type) return true;
  }
}

}  // namespace

int TubeFunctionChangeFlag(int function) {
  return function >= 0 && function < kTubeFunctionCount ? kTubeFlags[function] : kChangedNewRadio;
}

ChangeFlags CompareRadio(const Collection& collection, const RadioRecord& a, const RadioRecord& b) {
  ChangeFlags f;
  if (&a == &b) return f;  // an unchanged radio is its own as-loaded copy
  const TableSet& now = collection.tables;
  const TableSet& then = collection.asLoadedTables;

  f[kChangedId] = a.id != b.id;
  f[kChangedYear] = a.year != b.year;
  f[kChangedPushButtons] = a.pushButtons != b.pushButtons;
  f[kChangedTelephoneDial] = a.telephoneDial != b.telephoneDial;
  f[kChangedTechnology] = a.technology != b.technology;
  f[kChangedStatus] = a.status != b.status;
  f[kChangedPurchasePrice] = a.purchasePrice != b.purchasePrice;
  f[kChangedValue] = a.value != b.value;
  f[kChangedRestorationCost] = a.restorationCost != b.restorationCost;
  f[kChangedSellingPrice] = a.sellingPrice != b.sellingPrice;

  // A table that has grown since loading has moved its positions: its fields are not compared.
  // Tables only ever grow, so one of the same size is the table as loaded: the same position is
  // the same text, and only differing positions need their texts compared.
  const auto entry = [&](int flag, int kind, std::int32_t RadioRecord::*field) {
    if (now[kind].Count() != then[kind].Count() || a.*field == b.*field) return;
    f[flag] = now[kind].Text(a.*field) != then[kind].Text(b.*field);
  };
  entry(kChangedBrand, kTableBrandName, &RadioRecord::brand);
  entry(kChangedManufacturer, kTableManufacturer, &RadioRecord::manufacturer);
  entry(kChangedCabinetStyle, kTableCabinetStyle, &RadioRecord::cabinetStyle);
  entry(kChangedCabinetComposition, kTableCabinetComposition, &RadioRecord::cabinetComposition);
  entry(kChangedCabinetTrim, kTableCabinetTrim, &RadioRecord::cabinetTrim);
  entry(kChangedTuningDial, kTableTuningDial, &RadioRecord::tuningDial);
  entry(kChangedDialPosition, kTablePosition, &RadioRecord::dialPosition);
  entry(kChangedGrillStyle, kTableGrillStyle, &RadioRecord::grillStyle);
  entry(kChangedGrillPosition, kTablePosition, &RadioRecord::grillPosition);
  entry(kChangedPowerSource, kTablePowerSource, &RadioRecord::powerSource);
  entry(kChangedBands, kTableBands, &RadioRecord::bands);
  entry(kChangedCircuitType, kTableCircuitType, &RadioRecord::circuitType);
  entry(kChangedCondition, kTableCondition, &RadioRecord::condition);
  entry(kChangedChassisCondition, kTableChassisCondition, &RadioRecord::chassisCondition);

  const LookupTable& trimsNow = now[kTableCabinetTrim];
  const LookupTable& trimsThen = then[kTableCabinetTrim];
  if (trimsNow.Count() == trimsThen.Count() && trimsNow.Text(a.cabinetTrim) != kNoTrim &&
      trimsThen.Text(b.cabinetTrim) != kNoTrim) {
    f[kChangedTrimColour] = a.trimColour != b.trimColour;
  }

  // An empty text and an absent one are the same here.
  f[kChangedModel] = a.model != b.model;
  f[kChangedSerialNumber] = a.serialNumber != b.serialNumber;
  f[kChangedCabinetColour] = a.cabinetColour != b.cabinetColour;
  f[kChangedDateAcquired] = a.dateAcquired != b.dateAcquired;
  f[kChangedWhereAcquired] = a.whereAcquired != b.whereAcquired;
  f[kChangedDamage] = a.damage != b.damage;
  f[kChangedSourceOfValue] = a.sourceOfValue != b.sourceOfValue;
  f[kChangedDateRestored] = a.dateRestored != b.dateRestored;
  f[kChangedRepairsNeeded] = a.repairsNeeded != b.repairsNeeded;
  f[kChangedDateDisposed] = a.dateDisposed != b.dateDisposed;
  if (a.whereDisposed != b.whereDisposed) {
    f[a.status == kStatusDonated ? kChangedWhereDonated : kChangedWhereSold] = true;
  }
  f[kChangedSchematic] = a.schematic != b.schematic;
  f[kChangedReferences] = a.references != b.references;
  f[kChangedComments] = a.comments != b.comments;
  f[kChangedExtras] = a.extras != b.extras;

  bool pictures = a.pictureFile != b.pictureFile || a.extraPictureCount != b.extraPictureCount;
  for (int i = 0; !pictures && i < UsedExtraPictures(a); ++i) {
    pictures = a.extraPictureFiles[i] != b.extraPictureFiles[i];
  }
  f[kChangedPictures] = pictures;
  f[kChangedThumbnail] = a.thumbnailFile != b.thumbnailFile;

  if (!(a.tubes == b.tubes)) {  // most radios keep their tubes: skip the walk per function
    for (int function = 1; function <= kFunctionTuningIndicator; ++function) {
      if (TubesDiffer(a, b, function)) f[kTubeFlags[function]] = true;
    }
  }
  return f;
}

RadioChanges RadioChangeFlags(const Collection& collection, const RadioRecord& record) {
  const RadioRecord* original = collection.asLoaded.FindById(record.id);
  if (original == nullptr) return {ChangeFlags().set(), true};
  return {CompareRadio(collection, record, *original), false};
}

ChangeSummary SummarizeChanges(const Collection& collection) {
  // The first as-loaded record of each identifier, found by a binary search instead of a scan
  // of the whole list per radio. Sorting (id, list position) puts the first one of an id first.
  const RadioList& loaded = collection.asLoaded;
  std::vector<std::pair<std::int32_t, int>> original;
  original.reserve(loaded.Count());
  for (int i = 0; i < loaded.Count(); ++i) original.emplace_back(loaded[i]->id, i);
  std::sort(original.begin(), original.end());
  std::vector<std::int32_t> present;
  present.reserve(collection.radios.Count());

  ChangeSummary summary;
  for (RadioRecord* r : collection.radios) {
    present.push_back(r->id);
    const auto it = std::lower_bound(original.begin(), original.end(), std::pair{r->id, -1});
    if (it == original.end() || it->first != r->id) {
      AppendInOrder(summary.newRadios, r);
    } else if (CompareRadio(collection, *r, *loaded[it->second]).any()) {
      AppendInOrder(summary.changedRadios, r);
    }
  }
  std::sort(present.begin(), present.end());
  for (RadioRecord* r : loaded) {
    if (!std::binary_search(present.begin(), present.end(), r->id)) AppendInOrder(summary.deletedRadios, r);
  }
  summary.inventoryChanged = InventoryChanged(collection.inventory, collection.asLoadedInventory);
  return summary;
}

bool InventoryChanged(const InventoryList& current, const InventoryList& asLoaded) {
  for (const auto& [name, item] : asLoaded) {
    const auto it = current.find(name);
    if (it == current.end() || it->second.count != item.count || it->second.kind != item.kind) return true;
  }
  for (const auto& [name, item] : current) {
    if (item.count != 0 && !asLoaded.contains(name)) return true;
  }
  return false;
}

}  // namespace korvel

// What changed since the data file was loaded: per radio, per collection, and in the inventory.
#pragma once

#include <bitset>

#include "collection/collection.h"

namespace korvel {

// Flag numbers: 0-20 and 44-65 one field each, 21-43 the tubes of one function, 66 set only
// for a radio that has no as-loaded copy.
constexpr int kChangeFlagCount = 67;
using ChangeFlags = std::bitset<kChangeFlagCount>;

enum ChangeFlag : int {
  kChangedId = 0,
  kChangedBrand = 1,
  kChangedModel = 2,
  kChangedSerialNumber = 3,
  kChangedYear = 4,
  kChangedManufacturer = 5,
  kChangedCabinetStyle = 6,
  kChangedCabinetComposition = 7,
  kChangedCabinetColour = 8,
  kChangedCabinetTrim = 9,
  kChangedTrimColour = 10,
  kChangedTuningDial = 11,
  kChangedDialPosition = 12,
  kChangedPushButtons = 13,
  kChangedTelephoneDial = 14,
  kChangedGrillStyle = 15,
  kChangedGrillPosition = 16,
  kChangedPowerSource = 17,
  kChangedBands = 18,
  kChangedCircuitType = 19,
  kChangedTechnology = 20,
  kChangedDateAcquired = 44,
  kChangedPurchasePrice = 45,
  kChangedWhereAcquired = 46,
  kChangedStatus = 47,
  kChangedCondition = 48,
  kChangedChassisCondition = 49,
  kChangedDamage = 50,
  kChangedValue = 51,
  kChangedSourceOfValue = 52,
  kChangedDateRestored = 53,
  kChangedRestorationCost = 54,
  kChangedRepairsNeeded = 55,
  kChangedDateDisposed = 56,
  kChangedSellingPrice = 57,
  kChangedWhereSold = 58,
  kChangedWhereDonated = 59,
  kChangedSchematic = 60,
  kChangedReferences = 61,
  kChangedComments = 62,
  kChangedExtras = 63,
  kChangedPictures = 64,
  kChangedThumbnail = 65,
  kChangedNewRadio = 66,
};

// The flag of the tubes of one Tube Function position (21-43), or 66 for none and Unknown.
int TubeFunctionChangeFlag(int function);

// Compares a radio with its as-loaded copy: table fields by entry text, and only while the table
// has as many entries as when it was loaded.
ChangeFlags CompareRadio(const Collection& collection, const RadioRecord& current,
                         const RadioRecord& asLoaded);

struct RadioChanges {
  ChangeFlags flags;
  bool isNew = false;  // no as-loaded record with its identifier: every flag is set
};
// Against the first as-loaded record with the same identifier.
RadioChanges RadioChangeFlags(const Collection& collection, const RadioRecord& record);

struct ChangeSummary {
  RadioList newRadios;      // in `radios`, no as-loaded record with their identifier
  RadioList changedRadios;  // an as-loaded record with their identifier differs from them
  RadioList deletedRadios;  // as-loaded records whose identifier no radio has any more
  bool inventoryChanged = false;
};
ChangeSummary SummarizeChanges(const Collection& collection);

// Whether the inventory differs from the one loaded: an item gone or recounted, or a new item
// with pieces in stock.
bool InventoryChanged(const InventoryList& current, const InventoryList& asLoaded);

}  // namespace korvel

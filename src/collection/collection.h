// The single in-memory collection and the as-loaded copy against which changes are found.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "collection/inventory.h"
#include "collection/macro.h"
#include "collection/radio_list.h"
#include "collection/record.h"
#include "collection/tables.h"

namespace korvel {

struct Collection {
  RadioList radios;    // every radio, in radio order
  RadioList asLoaded;  // copies of the radios exactly as read; not changed by editing
  std::vector<std::unique_ptr<RadioRecord>> radioStore;     // owns the records of `radios`
  std::vector<std::unique_ptr<RadioRecord>> asLoadedStore;  // owns the records of `asLoaded`

  TableSet tables = MakeTableSet();             // by kind; built-in kinds 12-14 are filled
  TableSet asLoadedTables = MakeTableSet();     // as read; never changed after loading
  std::vector<std::int32_t> brandManufacturer;  // parallel to Brand Name: Manufacturer position
  std::vector<std::int32_t> asLoadedBrandManufacturer;
  std::vector<std::string> brandPictureDirectories;  // parallel to Brand Name; not stored

  InventoryList inventory;
  InventoryList asLoadedInventory;
  TubeAliasList aliases;
  std::vector<SelectionMacro> macros;  // in the order the data file gives them

  std::int32_t nextId = 0;            // identifier of the next new radio
  std::int32_t nextBackupNumber = 0;  // 0-99
  bool changed = false;
};

// Takes the record into the collection at its place in radio order. A record equal to one
// already there is dropped and nullptr is given.
RadioRecord* AddRadio(Collection& collection, std::unique_ptr<RadioRecord> record);
// The same for the as-loaded copy (used only while loading).
RadioRecord* AddAsLoadedRadio(Collection& collection, std::unique_ptr<RadioRecord> record);
// Removes the radio from the collection and releases it; false when it is not there.
bool DeleteRadio(Collection& collection, RadioRecord* record);
// Back to an empty collection.
void ClearCollection(Collection& collection);

// After a save: the collection as written becomes the as-loaded copy, so that changes are
// counted, selected and highlighted from the last save on. Clears `changed`.
void RetakeAsLoadedCopy(Collection& collection);

}  // namespace korvel

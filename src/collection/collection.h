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

class UndoHistory;

// Positions of a table moved since loading: every reference at or above `position` moved by
// `delta`.
struct TableShift {
  int kind = 0;
  int position = 0;
  int delta = 0;
};

struct Collection {
  RadioList radios;  // every radio, in radio order
  // The radios as read, in their order then. A radio unchanged since is its own entry: the very
  // record of `radios`, marked by its asLoadedSlot. A radio about to change first leaves a copy of
  // itself as read here (PrepareRadioChange), and a deleted one leaves itself.
  RadioList asLoaded;
  std::vector<std::unique_ptr<RadioRecord>> radioStore;     // owns the records of `radios`
  std::vector<std::unique_ptr<RadioRecord>> asLoadedStore;  // owns the entries of `asLoaded` no radio is
  // The table insertions since loading, in order. They renumbered the references of unchanged
  // radios too, which a copy as read takes back.
  std::vector<TableShift> shiftsSinceLoad;

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
  // While a command's Undo step is open: it hears of every radio added, changed or deleted and of
  // every table entry inserted.
  UndoHistory* recorder = nullptr;
};

// Takes the record into the collection at its place in radio order. A record equal to one
// already there is dropped and nullptr is given.
RadioRecord* AddRadio(Collection& collection, std::unique_ptr<RadioRecord> record);
// A separate as-loaded copy of a radio, kept in order (loading by hand, as tests do).
RadioRecord* AddAsLoadedRadio(Collection& collection, std::unique_ptr<RadioRecord> record);
// Removes the radio from the collection and releases it; false when it is not there. A radio
// unchanged since loading stays behind as its own as-loaded copy.
bool DeleteRadio(Collection& collection, RadioRecord* record);
// Back to an empty collection.
void ClearCollection(Collection& collection);

// The radios as they stand become the as-loaded copy, each one its own entry (after loading).
void ShareAsLoadedCopy(Collection& collection);

// Every change to a radio of the collection comes after this: a radio unchanged since loading
// leaves a copy of itself as read in the as-loaded list. False, with an error shown, when there is
// no memory for the copy; the radio must then be left as it is.
bool PrepareRadioChange(Collection& collection, RadioRecord& record);
// After a save: the collection as written becomes the as-loaded copy, so that changes are
// counted, selected and highlighted from the last save on. Clears `changed`.
void RetakeAsLoadedCopy(Collection& collection);

}  // namespace korvel

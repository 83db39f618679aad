// The as-loaded copy: what the radios were at loading (or at the last save), against which the
// change summary, the changed-value highlighting and the exit counts are found. An unchanged radio
// is its own copy, so that a collection holds its radios once until they are edited.
#include <algorithm>
#include <memory>
#include <new>

#include "collection/collection.h"
#include "collection/history.h"
#include "collection/radio_ops.h"
#include "collection/tables.h"
#include "util/message.h"

namespace korvel {
namespace {

// Where the radio is its own entry in the as-loaded list, or -1.
int SharedSlot(const Collection& collection, const RadioRecord& record) {
  const int slot = record.asLoadedSlot.index;
  if (slot < 0) return -1;
  if (slot < collection.asLoaded.Count() && collection.asLoaded[slot] == &record) return slot;
  return collection.asLoaded.IndexOf(&record);  // the list was added to by hand since
}

// A record as read: the table insertions since loading taken back, no registry handles.
void MakeAsRead(const Collection& collection, RadioRecord& record) {
  const std::vector<TableShift>& shifts = collection.shiftsSinceLoad;
  for (auto shift = shifts.rbegin(); shift != shifts.rend(); ++shift) {
    RenumberRecordReferences(record, shift->kind, shift->position + shift->delta, -shift->delta);
  }
  record.currentPicture = -1;
  record.pictureIndex = -1;
  record.thumbnailIndex = -1;
  record.extraPictureIndex.fill(-1);
}

}  // namespace

void ShareAsLoadedCopy(Collection& collection) {
  collection.asLoaded = collection.radios;
  collection.asLoadedStore.clear();
  collection.shiftsSinceLoad.clear();
  for (int i = 0; i < collection.radios.Count(); ++i) collection.radios[i]->asLoadedSlot.index = i;
}

bool PrepareRadioChange(Collection& collection, RadioRecord& record) {
  if (collection.recorder != nullptr) collection.recorder->RadioChanging(record);
  const int slot = SharedSlot(collection, record);
  if (slot < 0) return true;
  try {
    collection.asLoadedStore.reserve(collection.asLoadedStore.size() + 1);
    auto copy = std::make_unique<RadioRecord>(record);
    MakeAsRead(collection, *copy);
    collection.asLoaded.ReplaceAt(static_cast<std::size_t>(slot), copy.get());
    collection.asLoadedStore.push_back(std::move(copy));
  } catch (const std::bad_alloc&) {
    ShowMessage(kError, kButtonsOk, "'AluMalloc' failure in 'PrepareRadioChange'.");
    return false;
  }
  record.asLoadedSlot.index = -1;
  return true;
}

bool DeleteRadio(Collection& collection, RadioRecord* record) {
  if (record == nullptr || collection.radios.IndexOf(record) < 0) return false;
  auto& store = collection.radioStore;
  const auto it = std::find_if(store.begin(), store.end(), [&](const auto& p) { return p.get() == record; });
  if (collection.recorder != nullptr && it != store.end()) {
    // The Undo step keeps the record itself; the as-loaded list keeps a copy of it.
    UndoHistory* recorder = collection.recorder;
    collection.recorder = nullptr;
    const bool prepared = PrepareRadioChange(collection, *record);
    collection.recorder = recorder;
    if (!prepared) return false;
    collection.radios.Remove(record);
    std::unique_ptr<RadioRecord> owned = std::move(*it);
    store.erase(it);
    recorder->RadioRemoved(std::move(owned));
    return true;
  }
  const int slot = SharedSlot(collection, *record);
  if (slot >= 0 && it != store.end()) {
    try {
      collection.asLoadedStore.reserve(collection.asLoadedStore.size() + 1);
    } catch (const std::bad_alloc&) {
      ShowMessage(kError, kButtonsOk, "'AluMalloc' failure in 'DeleteRadio'.");
      return false;
    }
  }
  collection.radios.Remove(record);
  if (it == store.end()) return true;
  if (slot >= 0) {
    // Unchanged since loading, it is already its as-loaded copy: it stays as that.
    MakeAsRead(collection, *record);
    record->asLoadedSlot.index = -1;
    collection.asLoadedStore.push_back(std::move(*it));
  }
  store.erase(it);
  return true;
}

void RetakeAsLoadedCopy(Collection& collection) {
  collection.asLoadedTables = collection.tables;
  collection.asLoadedBrandManufacturer = collection.brandManufacturer;

  // The file keeps only the items in stock, so only those are what a reload would give.
  collection.asLoadedInventory.clear();
  for (const auto& [name, item] : collection.inventory) {
    if (item.count > 0 && (item.kind == kTechTransistor || item.kind == kTechTube))
      collection.asLoadedInventory.emplace(name, item);
  }
  // The radios in order under the very tables just copied are what a reload would list.
  ShareAsLoadedCopy(collection);
  collection.changed = false;
}

}  // namespace korvel

#include <memory>
#include <unordered_map>

#include "collection/collection.h"
#include "collection/tables.h"

namespace korvel {

void RetakeAsLoadedCopy(Collection& collection) {
  collection.asLoadedTables = collection.tables;
  collection.asLoadedBrandManufacturer = collection.brandManufacturer;

  // The file keeps only the items in stock, so only those are what a reload would give.
  collection.asLoadedInventory.clear();
  for (const auto& [name, item] : collection.inventory) {
    if (item.count > 0 && (item.kind == kTechTransistor || item.kind == kTechTube))
      collection.asLoadedInventory.emplace(name, item);
  }

  // Copies as the load takes them: before any picture is registered, on the main picture. The old
  // copy of a radio takes the new values in place, which spares most of the allocations.
  std::unordered_map<int, std::unique_ptr<RadioRecord>> previous;
  previous.reserve(collection.asLoadedStore.size());
  for (auto& record : collection.asLoadedStore) {
    const int id = record->id;
    previous.try_emplace(id, std::move(record));
  }
  collection.asLoaded.Clear();
  collection.asLoadedStore.clear();
  collection.asLoadedStore.reserve(collection.radios.Count());
  for (const RadioRecord* radio : collection.radios) {
    std::unique_ptr<RadioRecord> copy;
    if (const auto it = previous.find(radio->id); it != previous.end() && it->second != nullptr) {
      copy = std::move(it->second);
      *copy = *radio;
    } else {
      copy = std::make_unique<RadioRecord>(*radio);
    }
    copy->currentPicture = -1;
    copy->pictureIndex = -1;
    copy->thumbnailIndex = -1;
    copy->extraPictureIndex.fill(-1);
    // The radios are in order under the very tables just copied: each copy goes at the end.
    AppendInOrder(collection.asLoaded, copy.get());
    collection.asLoadedStore.push_back(std::move(copy));
  }
  collection.changed = false;
}

}  // namespace korvel

#include <memory>

#include "collection/collection.h"
#include "collection/tables.h"

namespace korvel {

void RetakeAsLoadedCopy(Collection& collection) {
  collection.asLoaded.Clear();
  collection.asLoadedStore.clear();
  collection.asLoadedTables = collection.tables;
  collection.asLoadedBrandManufacturer = collection.brandManufacturer;

  // The file keeps only the items in stock, so only those are what a reload would give.
  collection.asLoadedInventory.clear();
  for (const auto& [name, item] : collection.inventory) {
    if (item.count > 0 && (item.kind == kTechTransistor || item.kind == kTechTube))
      collection.asLoadedInventory.emplace(name, item);
  }

  // Copies as the load takes them: before any picture is registered, on the main picture.
  collection.asLoadedStore.reserve(collection.radioStore.size());
  for (const RadioRecord* radio : collection.radios) {
    auto copy = std::make_unique<RadioRecord>(*radio);
    copy->currentPicture = -1;
    copy->pictureIndex = -1;
    copy->thumbnailIndex = -1;
    copy->extraPictureIndex.fill(-1);
    AddAsLoadedRadio(collection, std::move(copy));
  }
  collection.changed = false;
}

}  // namespace korvel

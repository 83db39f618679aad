#include "collection/collection.h"

#include <algorithm>

#include "collection/history.h"

namespace korvel {
namespace {

RadioRecord* Adopt(const TableSet& tables, RadioList& list, std::vector<std::unique_ptr<RadioRecord>>& store,
                   std::unique_ptr<RadioRecord> record) {
  if (record == nullptr) return nullptr;
  RadioRecord* raw = record.get();
  store.push_back(std::move(record));
  if (!InsertRadio(tables, raw, list)) {
    store.pop_back();
    return nullptr;
  }
  return raw;
}

}  // namespace

RadioRecord* AddRadio(Collection& collection, std::unique_ptr<RadioRecord> record) {
  RadioRecord* added = Adopt(collection.tables, collection.radios, collection.radioStore, std::move(record));
  if (collection.recorder != nullptr) collection.recorder->RadioAdded(added);
  return added;
}

RadioRecord* AddAsLoadedRadio(Collection& collection, std::unique_ptr<RadioRecord> record) {
  return Adopt(collection.asLoadedTables, collection.asLoaded, collection.asLoadedStore, std::move(record));
}

void ClearCollection(Collection& collection) {
  collection = Collection{};
}

}  // namespace korvel

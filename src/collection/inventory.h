// The spare tube and transistor inventory and the tube aliases.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace korvel {

struct InventoryItem {
  std::string note;              // not stored in the data file
  std::int32_t count = 0;        // pieces in stock (in a usage list: pieces the radios use)
  std::int32_t secondCount = 0;  // in a usage list: pieces in stock
  std::int32_t kind = 0;         // Technology position: 2 transistor, 3 tube
  std::string name;              // the padded tube name, the sort key

  friend bool operator==(const InventoryItem&, const InventoryItem&) = default;
};

// Keyed by the padded name, in byte order, one item per name.
using InventoryList = std::map<std::string, InventoryItem>;

// `name` is another name for the tube `aliasOf`; both padded, `aliasOf` the one that sorts first.
struct TubeAlias {
  std::string name;
  std::string aliasOf;

  friend bool operator==(const TubeAlias&, const TubeAlias&) = default;
};

// Keyed by `name`, in byte order, one alias per name.
using TubeAliasList = std::map<std::string, TubeAlias>;

}  // namespace korvel

// The inventory window's list: every tube or transistor type that the collection's radios use or
// that is in stock, with the pieces used and in stock, and the stock edits made from it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "collection/collection.h"

namespace korvel {

struct InventoryUsage {
  int kind = 0;         // kTechTransistor or kTechTube
  std::string title;    // the Technology entry of the kind: "Transistor" or "Tube"
  InventoryList items;  // by padded name; count: pieces used, secondCount: pieces in stock
};

// Builds the list afresh from the radios and the stock.
InventoryUsage BuildInventoryUsage(Collection& collection, int kind);

// Few spares for many sets: under 3 in stock and under a fifth of the pieces in use.
bool IsShortOfStock(const InventoryItem& item);

// A typed stock count: a whole number from 0 up, blanks around it allowed; none otherwise (a
// negative count would not be written to the data file).
std::optional<std::int32_t> ParseStockCount(std::string_view text);

// What "Add to Inventory" keeps of a typed name: the blanks around it dropped, upper-cased.
std::string NormalizeStockName(std::string_view typed);
// Empty when the (normalized) name can be stocked with the count and read back from the data
// file as it was; else the reason, to show the user.
std::string StockNameProblem(std::string_view name, std::int32_t count);

// Sets the stock of the padded type to the count, making its inventory item when there is none.
// `added`: the type was named in "Add to Inventory"; it takes the list's kind and joins the list.
// True when the stock changed, and the collection is then marked changed.
bool SetStockCount(Collection& collection, InventoryUsage& usage, const std::string& padded,
                   std::int32_t count, bool added);

}  // namespace korvel

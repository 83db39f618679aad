// The inventory window's drawing: the types in columns of name, pieces used and pieces in stock
// under the headings "Type", "Used" and "Stock", the types that run short in red, and the hit test
// of a click on it.
#pragma once

#include <vector>

#include "collection/inventory_usage.h"
#include "draw/surface.h"

namespace korvel {

// Character widths of one column: name, used count, stock count (each as wide as its heading and
// a blank), space.
inline constexpr int kInventoryNameChars = 10;
inline constexpr int kInventoryCountChars = 5;
inline constexpr int kInventoryColumnChars = kInventoryNameChars + 2 * kInventoryCountChars + 2;

struct InventoryLine {
  const InventoryItem* item = nullptr;
  draw::Point baseline;  // where the name starts
};

// Where each item of the list goes on the surface in its current font, in list order.
std::vector<InventoryLine> LayOutInventory(const draw::Surface& surface, const InventoryUsage& usage);

// Clears the surface and draws the title, the column headings and the list.
void DrawInventory(draw::Surface& surface, const InventoryUsage& usage);

// The item whose name is nearest to the point, when it is near enough; nullptr otherwise.
const InventoryItem* InventoryAt(const draw::Surface& surface, const InventoryUsage& usage, int x, int y);

}  // namespace korvel

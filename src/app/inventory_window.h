// The inventory window in the view: the tubes or transistors that the collection uses or stocks,
// and the right click that changes a type's stock ("Modify Inventory") or adds a type to it ("Add
// to Inventory").
#pragma once

#include "collection/collection.h"
#include "collection/inventory_usage.h"
#include "draw/surface.h"

namespace korvel {

class InventoryWindow {
 public:
  // Inventory > Tube (kind 3) and Inventory > Transistor (kind 2): the list rebuilt and drawn.
  void ShowInventory(Collection& collection, int kind, draw::Surface& surface);
  // Draws the list last shown (the view's repaint, a font change, the printer's page).
  void DrawInventory(draw::Surface& surface) const;
  const InventoryItem* InventoryAt(const draw::Surface& surface, int x, int y) const;
  // The right click at (x, y): edits the stock of the type there, or adds a type when there is none
  // near. `parent` owns the dialog. Redraws when OK was pressed.
  void EditInventoryAt(Collection& collection, draw::Surface& surface, int x, int y, void* parent);

  const InventoryUsage& usage() const { return usage_; }

 private:
  InventoryUsage usage_;
};

}  // namespace korvel

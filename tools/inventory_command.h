// korvel-tool inventory: the inventory window's list as JSON, and the views render draws of it.
#pragma once

#include <string>
#include <vector>

namespace korvel::tool {

// inventory DIR tube|transistor. Gives the tool's exit status.
int InventoryCommand(const std::string& directory, const std::vector<std::string>& arguments);

// The Technology position that a render view of the inventory shows (inventory-tube: 3,
// inventory-transistor: 2), or -1 for any other view.
int InventoryViewKind(const std::string& view);

}  // namespace korvel::tool

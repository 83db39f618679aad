// korvel-tool graph, and the graph views of korvel-tool render: the graphs' data as JSON, and the
// graphs drawn by the program's own code.
#pragma once

#include <string>
#include <vector>

#include "collection/collection.h"
#include "draw/surface.h"

namespace korvel::tool {

// graph DIR cost-value|history|sales-profit|distribution:FIELD [STEP...]. Gives the exit status.
int GraphCommand(const std::string& directory, const std::vector<std::string>& arguments);

// cost-value, history, sales-profit or distribution:FIELD (FIELD 0 to 10).
bool IsGraphView(const std::string& view);

// Draws the view's graph over the whole collection as the program's view does; with nothing to draw
// the surface is left clear.
void DrawGraphView(const std::string& view, const Collection& collection, draw::Surface& surface);

}  // namespace korvel::tool

// A graph that has nothing to draw says why: its title at the top and one line in the middle,
// instead of an empty view the user cannot tell from a fault.
#pragma once

#include <string>
#include <string_view>

#include "draw/surface.h"
#include "graphs/plot_graph.h"

namespace korvel::graphs {

// Why the graph cannot be laid out, in the user's words; empty when it can be drawn.
std::string BlankGraphReason(Graph& graph);

// Clears the surface and draws the title at the top and the reason across the middle, wrapped at
// blanks where the view is too narrow for it.
void DrawBlankGraph(draw::Surface& surface, std::string_view title, std::string_view reason);

}  // namespace korvel::graphs

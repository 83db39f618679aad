// The plotting library's series and graph object: a line graph of several series over one x
// variable, with a title, a subtitle and a y unit, drawn on a drawing surface with axes, grid and
// legend.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "draw/geometry.h"
#include "draw/surface.h"
#include "graphs/axis_ticks.h"
#include "graphs/plot_value.h"
#include "graphs/symbol_table.h"

namespace korvel::graphs {

// Option flags of a graph: where the legend goes (none when no place is set), and whether each
// series is named at its middle point.
inline constexpr int kLegendTopLeft = 1;
inline constexpr int kLegendTopRight = 2;
inline constexpr int kLegendBottomLeft = 4;
inline constexpr int kLegendBottomRight = 8;
inline constexpr int kNameAtMiddle = 16;

inline constexpr int kNoGroup = -1;
// Colour numbers beyond the table's last keep the colour last set.
inline constexpr int kSeriesColourCount = 14;
// Palette index of each colour number.
int SeriesColour(int colourNumber);

struct Series {
  std::string_view name;  // not copied: the caller's text outlives the graph
  int group = kNoGroup;
  std::string label;  // written at the end of a series with a group of its own
  ValueRef value;     // one element per x position
};

// A series with a new zeroed value of the type and count; none when the value cannot be made.
std::unique_ptr<Series> CreateSeries(int count, int type);

struct DataRange {
  bool present = false;  // false when every element is missing
  double min = 0, max = 0;
  bool Empty() const { return !present || !(min < max); }
};

// Where the last drawing placed things, in surface coordinates.
struct GraphLayout {
  draw::Rect plot;
  Axis x, y;
  double xScale = 0, yScale = 0;
  int xOffset = 0, yOffset = 0;
  int ScreenX(double v) const;
  int ScreenY(double v) const;
};

struct Graph {
  int options = 0;
  std::vector<Series> series;
  const Symbol* x = nullptr;  // its value holds the x positions
  std::string title, subtitle, yUnit;

  // Computed once, at creation.
  bool rangesComputed = false;
  DataRange xRange, yRange;
  int xFlags = 0, yFlags = 0;
  // Computed at every drawing.
  bool laidOut = false;
  std::vector<int> colourNumbers;  // per series
  GraphLayout layout;
};

// A graph with no options; its data ranges are computed at once when there are series and an x
// value. None when memory runs out (reported).
std::unique_ptr<Graph> CreateGraph(std::vector<Series> series, const Symbol* x, std::string_view title,
                                   std::string_view subtitle, std::string_view yUnit);

// The data ranges and flags (done by CreateGraph; again after changing the values).
void ComputeDataRanges(Graph& graph);

// Lays the graph out on the surface: plot rectangle, axes, scales and offsets. False when either
// axis has an empty data range.
bool LayOutGraph(Graph& graph, const draw::Surface& surface);

// Clears the surface and draws axes, grid, labels, titles, legend and series lines. Gives false
// without drawing anything when an axis range is empty.
bool DrawGraph(Graph& graph, draw::Surface& surface);

}  // namespace korvel::graphs

#include "graphs/plot_graph.h"

#include <algorithm>
#include <new>

#include "draw/palette.h"
#include "util/message.h"

namespace korvel::graphs {
namespace {

// red, dark green, orange, blue, grey, brown, magenta, green, light grey, yellow, rose, maroon,
// navy, black
constexpr int kSeriesColours[kSeriesColourCount] = {
    draw::kRed,   draw::kDarkGreen, draw::kOrange, draw::kBlue, draw::kGrey,   draw::kBrown, draw::kMagenta,
    draw::kGreen, draw::kLightGrey, draw::kYellow, draw::kRose, draw::kMaroon, draw::kNavy,  draw::kBlack,
};

void Widen(DataRange& range, const Value& value) {
  for (int i = 0; i < value.count; ++i) {
    if (value.Missing(i)) continue;
    const double v = value.At(i);
    if (!range.present) {
      range = {true, v, v};
    } else {
      range.min = std::min(range.min, v);
      range.max = std::max(range.max, v);
    }
  }
}

}  // namespace

int SeriesColour(int colourNumber) {
  return colourNumber >= 0 && colourNumber < kSeriesColourCount ? kSeriesColours[colourNumber] : -1;
}

std::unique_ptr<Series> CreateSeries(int count, int type) {
  ValueRef value = CreateValue(type, count);
  if (!value) return nullptr;
  try {
    auto series = std::make_unique<Series>();
    series->value = std::move(value);
    return series;
  } catch (const std::bad_alloc&) {
    ShowMessage(kError, kButtonsOk, "'AluMalloc' failure in 'CreateValue'.");
    return nullptr;
  }
}

std::unique_ptr<Graph> CreateGraph(std::vector<Series> series, const Symbol* x, std::string_view title,
                                   std::string_view subtitle, std::string_view yUnit) {
  try {
    auto graph = std::make_unique<Graph>();
    graph->series = std::move(series);
    graph->x = x;
    graph->title = title;
    graph->subtitle = subtitle;
    graph->yUnit = yUnit;
    if (!graph->series.empty() && x != nullptr && x->value) ComputeDataRanges(*graph);
    return graph;
  } catch (const std::bad_alloc&) {
    ShowMessage(kError, kButtonsOk, "'AluMalloc' failure in 'CreateGraph'.");
    return nullptr;
  }
}

void ComputeDataRanges(Graph& graph) {
  graph.xRange = {};
  graph.yRange = {};
  graph.xFlags = 0;
  graph.yFlags = 0;
  if (graph.x != nullptr && graph.x->value) {
    Widen(graph.xRange, *graph.x->value);
    graph.xFlags = graph.x->value->flags;
  }
  bool allInteger = !graph.series.empty();
  for (const Series& series : graph.series) {
    if (!series.value) {
      allInteger = false;
      continue;
    }
    Widen(graph.yRange, *series.value);
    graph.yFlags |= series.value->flags;
    allInteger = allInteger && series.value->type == kValueInt;
  }
  if (allInteger) graph.yFlags |= kValueAllInteger;
  graph.rangesComputed = true;
}

}  // namespace korvel::graphs

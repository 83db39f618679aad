// The plotting library: tick choice, layout, legend and series lines, on a recording surface.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "draw/palette.h"
#include "graphs/axis_ticks.h"
#include "graphs/plot_graph.h"
#include "support/recording_surface.h"

namespace korvel::graphs {
namespace {

using test::LineOp;
using test::RecordingSurface;
using test::TextOp;

draw::Rgb Colour(int index) {
  return *draw::PaletteColour(index);
}

TEST(TickChoice, RoundsOutwardsToOneTwoOrFiveTimesAPowerOfTen) {
  const Axis seven = ChooseTicks(0, 7, false);  // n = 7 at once
  EXPECT_EQ(seven, (Axis{0, 7, 1, 0.1}));

  // Step 1 (n = 0), 0.5 (n = 1), 0.2 (n = 2): only two refinements are made.
  const Axis half = ChooseTicks(0, 0.5, false);
  EXPECT_DOUBLE_EQ(half.lo, 0);
  EXPECT_DOUBLE_EQ(half.hi, 0.6);
  EXPECT_DOUBLE_EQ(half.major, 0.2);
  EXPECT_DOUBLE_EQ(half.minor, 0.05);

  EXPECT_EQ(ChooseTicks(0, 1234, false), (Axis{0, 1400, 200, 50}));
  // A range below zero rounds away from it at both ends.
  EXPECT_EQ(ChooseTicks(-250, 682, false), (Axis{-300, 700, 100, 10}));

  // Months: whole years, quarter lines.
  EXPECT_EQ(ChooseTicks(1985 * 12 + 3, 1990 * 12 + 7, true), (Axis{1985 * 12, 1991 * 12, 12, 3}));
}

// A graph over x = 0, 1, 2, ... with integer series; the caller keeps the symbol table.
struct TestGraph {
  explicit TestGraph(const std::vector<std::vector<int>>& values, std::uint16_t xFlags = 0, int firstX = 0) {
    symbols = CreateSymbolTable();
    Symbol* x = LookupSymbol("Year", *symbols);
    const int count = static_cast<int>(values.front().size());
    x->value = CreateValue(kValueInt, count);
    x->value->flags = xFlags;
    for (int i = 0; i < count; ++i) x->value->ints[i] = firstX + i;
    std::vector<Series> series;
    for (std::size_t s = 0; s < values.size(); ++s) {
      auto one = CreateSeries(count, kValueInt);
      one->name = kNames[s];
      std::copy(values[s].begin(), values[s].end(), one->value->ints.begin());
      series.push_back(std::move(*one));
    }
    graph = CreateGraph(std::move(series), x, "Title", "", "$");
  }
  static constexpr const char* kNames[] = {"Alpha", "Beta", "Gamma", "Delta"};
  std::unique_ptr<SymbolTable> symbols;
  std::unique_ptr<Graph> graph;
};

TEST(LineGraph, AMonthAxisIsLabelledInWholeYears) {
  std::vector<int> rising;
  for (int m = 1985 * 12 + 3; m <= 1990 * 12 + 7; ++m) rising.push_back(m - 1985 * 12);
  TestGraph g({rising}, kValueMonthAxis, 1985 * 12 + 3);
  RecordingSurface recording(640, 480);
  ASSERT_TRUE(DrawGraph(*g.graph, recording.surface()));
  const std::vector<std::string> texts = recording.Texts();
  for (int year = 1984; year <= 1992; ++year) {
    EXPECT_EQ(std::count(texts.begin(), texts.end(), std::to_string(year)), year >= 1985 && year <= 1991)
        << year;
  }
  // Integer series: y labels without decimals, the unit and the title above the plot.
  for (const char* label : {"70", "$", "Title"})
    EXPECT_NE(std::find(texts.begin(), texts.end(), label), texts.end()) << label;
}

TEST(LineGraph, AMissingElementIsSkippedAndTheLineJoinsAcrossIt) {
  TestGraph g({{0, 10, kMissingInt, 30, 40}});
  RecordingSurface recording(640, 480);
  ASSERT_TRUE(DrawGraph(*g.graph, recording.surface()));
  // The missing element does not widen the y range to the most negative integer.
  EXPECT_EQ(g.graph->layout.y, (Axis{0, 40, 5, 1}));

  const GraphLayout& l = g.graph->layout;
  const auto at = [&](int x, int y) { return draw::DevicePoint{l.ScreenX(x), 480 - l.ScreenY(y)}; };
  std::vector<LineOp> seriesLines;
  for (const LineOp& op : recording.OpsOf<LineOp>()) {
    if (op.pen.width == 2) seriesLines.push_back(op);
  }
  ASSERT_EQ(seriesLines.size(), 3u);
  EXPECT_EQ(seriesLines[0].from, at(0, 0));
  EXPECT_EQ(seriesLines[0].to, at(1, 10));
  EXPECT_EQ(seriesLines[1].from, at(1, 10));
  EXPECT_EQ(seriesLines[1].to, at(3, 30));
  EXPECT_EQ(seriesLines[2].to, at(4, 40));
  EXPECT_EQ(seriesLines[0].pen.colour, Colour(draw::kRed));
  // Afterwards the surface is back at its default line.
  EXPECT_EQ(recording.surface().lineWidth(), 1);
  EXPECT_EQ(recording.surface().lineStyle(), draw::kLineSolid);
}

TEST(LineGraph, SeriesOfOneGroupShareAColourAndALegendRow) {
  TestGraph g({{0, 10, 20}, {5, 15, 25}, {1, 2, 3}});
  Graph& graph = *g.graph;
  graph.series[0].group = 7;
  graph.series[1].group = 7;
  graph.options = kLegendTopLeft;
  RecordingSurface recording(640, 480);
  ASSERT_TRUE(DrawGraph(graph, recording.surface()));
  EXPECT_EQ(graph.colourNumbers, (std::vector<int>{0, 0, 1}));

  std::vector<TextOp> legend;
  for (const TextOp& op : recording.OpsOf<TextOp>()) {
    if (op.text == "Alpha" || op.text == "Beta" || op.text == "Gamma") legend.push_back(op);
  }
  ASSERT_EQ(legend.size(), 2u);
  const GraphLayout& l = graph.layout;  // top left: in the plot's upper left quarter
  EXPECT_EQ(legend[0].text, "Alpha");
  EXPECT_EQ(legend[0].colour, Colour(draw::kRed));
  EXPECT_GT(legend[0].baselineStart.x, l.ScreenX(0));
  EXPECT_LT(legend[0].baselineStart.x, l.ScreenX(1));
  EXPECT_LT(legend[0].baselineStart.y, 480 - l.ScreenY((l.y.lo + l.y.hi) / 2));
  EXPECT_EQ(legend[1].text, "Gamma");
  EXPECT_EQ(legend[1].colour, Colour(draw::kDarkGreen));
  EXPECT_EQ(legend[1].baselineStart.y, legend[0].baselineStart.y - 16);  // rows go upwards

  int redLines = 0;
  for (const LineOp& op : recording.OpsOf<LineOp>())
    redLines += op.pen.width == 2 && op.pen.colour == Colour(draw::kRed);
  EXPECT_EQ(redLines, 4);  // Alpha and Beta, two segments each
}

TEST(LineGraph, AnEmptyRangeOnEitherAxisDrawsNothing) {
  RecordingSurface recording(640, 480);
  TestGraph flat({{3, 3, 3}});
  EXPECT_FALSE(DrawGraph(*flat.graph, recording.surface()));
  TestGraph missing({{kMissingInt, kMissingInt}});
  EXPECT_FALSE(DrawGraph(*missing.graph, recording.surface()));
  TestGraph onePoint(std::vector<std::vector<int>>{{5}});
  EXPECT_FALSE(DrawGraph(*onePoint.graph, recording.surface()));
  EXPECT_TRUE(recording.ops().empty());  // not even cleared
}

// A released value comes back from the pool, zeroed and without missing markers, for the same type
// and count only; a type that does not exist makes none.
TEST(Values, AReleasedValueComesBackZeroedForTheSameTypeAndCountOnly) {
  ValueRef value = CreateValue(kValueInt, 3);
  ASSERT_TRUE(value);
  value->ints[0] = 7;
  value->SetMissing(1);
  EXPECT_TRUE(value->Missing(1));
  EXPECT_FALSE(value->Missing(0));
  EXPECT_FALSE(CreateValue(4, 3));

  Value* const released = value.get();
  const int pooled = PooledValueCount();
  value = ValueRef();
  EXPECT_EQ(PooledValueCount(), pooled + 1);
  EXPECT_NE(CreateValue(kValueInt, 4).get(), released);
  ValueRef again = CreateValue(kValueInt, 3);
  EXPECT_EQ(again.get(), released);
  EXPECT_EQ(again->ints[0], 0);
  EXPECT_FALSE(again->Missing(1));
  EXPECT_EQ(again->references, 1);
  ValueRef shared = again;
  EXPECT_EQ(again->references, 2);
}

}  // namespace
}  // namespace korvel::graphs

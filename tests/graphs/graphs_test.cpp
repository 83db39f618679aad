// The graphs: the plotting library, the running totals of the line graphs and the Distribution pie.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <vector>

#include "draw/palette.h"
#include "graphs/axis_ticks.h"
#include "graphs/current_graph.h"
#include "graphs/distribution.h"
#include "graphs/graph_data.h"
#include "graphs/plot_graph.h"
#include "support/collection_builder.h"
#include "support/recording_surface.h"

namespace korvel::graphs {
namespace {

using test::FillFiguresOp;
using test::LineOp;
using test::RecordingSurface;
using test::TextOp;

// The plotting library: tick choice, layout, legend and series lines, on a recording surface.
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

// The running totals of the Cost/Value, History and Sales/Profit graphs, month by month.
constexpr int Month(int year, int month) {
  return year * 12 + month;
}

struct Dated {
  int status;
  const char* acquired;
  const char* restored = "";
  const char* disposed = "";
  int cost = 0, value = 0, repair = 0, selling = 0;
};

class GraphData : public ::testing::Test {
 protected:
  void Add(const Dated& d) {
    RadioRecord* radio = test::AddLoadedRadio(collection, {.id = ++lastId, .status = d.status});
    radio->dateAcquired = d.acquired;
    radio->dateRestored = d.restored;
    radio->dateDisposed = d.disposed;
    radio->purchasePrice = d.cost;
    radio->value = d.value;
    radio->restorationCost = d.repair;
    radio->sellingPrice = d.selling;
  }
  CounterTable Totals(void (*accumulate)(const std::vector<GraphFacts>&, CounterTable&), int seriesCount) {
    const auto range = GraphDateRange(collection.radios);
    EXPECT_TRUE(range.has_value());
    CounterTable table = MakeCounterTable(*range, seriesCount);
    accumulate(GraphFactsOf(collection.radios), table);
    return table;
  }

  Collection collection = test::MakeCollection();
  int lastId = 0;
};

TEST_F(GraphData, CostValueCountsEachStatusAtItsDate) {
  Add({kStatusAsAcquired, "01Jan1985", "", "", 50, 60});
  // Sold in the month it came: its cost comes and goes in that month.
  Add({kStatusSold, "03Mar1985", "", "28Mar1985", 100, 150});
  // Sold with no date disposed: taken as sold when acquired.
  Add({kStatusSold, "10Jun1986", "", "", 30, 35});
  // Returned long after the last month: the range does not grow, the value never leaves.
  Add({kStatusReturned, "01Feb1985", "", "01Jan2000", 0, 70});
  // Only finished restorations count as repairs, and only theirs bound the range.
  Add({kStatusPartiallyRestored, "01Feb1985", "15Dec1986", "", 0, 0, 40});
  Add({kStatusRestored, "01Feb1985", "05May1986", "", 0, 0, 25});

  const auto range = GraphDateRange(collection.radios);
  ASSERT_TRUE(range);
  EXPECT_EQ(range->first, Month(1985, 1));
  EXPECT_EQ(range->last, Month(1986, 6));

  const CounterTable t = Totals(AccumulateCostValue, kCostValueSeriesCount);
  EXPECT_EQ(t.At(Month(1985, 1), kAcquisitionCost), 50);
  EXPECT_EQ(t.At(Month(1985, 3), kAcquisitionCost), 50);
  EXPECT_EQ(t.At(Month(1985, 3), kValue), 60 + 70);  // the sold radio's value left with it
  EXPECT_EQ(t.At(Month(1986, 4), kRepairCost), 0);
  EXPECT_EQ(t.At(Month(1986, 5), kRepairCost), 25);
  EXPECT_EQ(t.At(Month(1986, 5), kTotalCost), 75);
  EXPECT_EQ(t.At(Month(1986, 6), kAcquisitionCost), 50);
  EXPECT_EQ(t.At(Month(1986, 6), kTotalCost), 75);
  EXPECT_EQ(t.At(Month(1986, 6), kValue), 130);
}

TEST_F(GraphData, HistoryCountsRadiosByWhatBecameOfThem) {
  Add({kStatusAsAcquired, "01Jan1990"});
  Add({kStatusSold, "01Feb1990"});  // no date disposed: never "Sold"
  Add({kStatusRestoredAndSold, "01Mar1990", "01May1990", "01Jul1990"});
  Add({kStatusPartiallyRestored, "01Mar1990", "01Apr1990"});
  Add({kStatusDonated, "01Jan1990", "", "01Jun1990"});

  const CounterTable t = Totals(AccumulateHistory, kHistorySeriesCount);
  EXPECT_EQ(t.range.last, Month(1990, 7));
  EXPECT_EQ(t.At(Month(1990, 3), kToBeRestored), 1);
  EXPECT_EQ(t.At(Month(1990, 5), kToBeRestored), 0);
  EXPECT_EQ(t.At(Month(1990, 5), kForSale), 2);
  EXPECT_EQ(t.At(Month(1990, 6), kOther), 1);
  const int last = t.range.last;
  EXPECT_EQ(t.At(last, kTotal), 5);
  EXPECT_EQ(t.At(last, kCollection), 1);  // the Partially Restored radio is in Total only
  EXPECT_EQ(t.At(last, kSold), 1);
  EXPECT_EQ(t.At(last, kForSale), 1);  // the undated sale stays for sale
  EXPECT_EQ(t.At(last, kToBeRestored), 0);
}

TEST_F(GraphData, SalesProfitCountsOnlySoldRadios) {
  Add({kStatusRestored, "01Jan2000", "01Feb2000", "", 500, 900, 100});
  Add({kStatusRestoredAndSold, "01Jan2000", "01Mar2000", "01May2000", 40, 0, 20, 150});
  Add({kStatusSold, "01Apr2000", "", "", 10, 0, 0, 25});  // undated: sold when it came

  const CounterTable t = Totals(AccumulateSalesProfit, kSalesProfitSeriesCount);
  EXPECT_EQ(t.At(Month(2000, 2), kTotalProfit), -40);
  EXPECT_EQ(t.At(Month(2000, 3), kSalesTotalCost), 60);
  EXPECT_EQ(t.At(Month(2000, 4), kSalesIncome), 25);
  EXPECT_EQ(t.At(Month(2000, 4), kTotalProfit), -60 + 15);
  EXPECT_EQ(t.At(Month(2000, 5), kSalesIncome), 175);
  EXPECT_EQ(t.At(Month(2000, 5), kTotalProfit), 175 - 70);
  EXPECT_EQ(t.At(Month(2000, 5), kSalesAcquisitionCost), 50);
}

TEST_F(GraphData, RunningTotalsStartAtTheirMonthWithinTheRange) {
  CounterTable t = MakeCounterTable({Month(1990, 1), Month(1990, 12)}, 2);
  AccumulateFromMonth(t, 0, 19850101, 5);  // before the first month: from the first
  AccumulateFromMonth(t, 1, 19900615, 7);
  AccumulateFromMonth(t, 1, 19910101, 100);  // after the last: nothing
  AccumulateFromMonth(t, 1, 0, 100);         // no date: nothing
  EXPECT_EQ(t.At(Month(1990, 1), 0), 5);
  EXPECT_EQ(t.At(Month(1990, 5), 1), 0);
  EXPECT_EQ(t.At(Month(1990, 6), 1), 7);
  EXPECT_EQ(t.At(Month(1990, 12), 1), 7);

  // No dates at all, or no radios, give no range; prices beyond 32 bits do not overflow the totals.
  EXPECT_FALSE(GraphDateRange(collection.radios));
  Add({kStatusAsAcquired, "", "", "", 10});
  EXPECT_FALSE(GraphDateRange(collection.radios));
  Add({kStatusAsAcquired, "01Jan1990", "", "", 2'000'000'000});
  Add({kStatusAsAcquired, "01Jan1990", "", "", 2'000'000'000});
  EXPECT_EQ(Totals(AccumulateCostValue, kCostValueSeriesCount).At(Month(1990, 1), kTotalCost), 4'000'000'000);
}

// A line graph with nothing to draw shows its title and says why, again at every redraw.
TEST_F(GraphData, AGraphThatDrawsNothingSaysWhy) {
  struct Case {
    LineGraphKind kind;
    std::vector<Dated> radios;
    const char* why;
  };
  const Case cases[] = {
      {LineGraphKind::kSalesProfit,
       {{kStatusAsAcquired, "01Jan1985", "", "", 50}, {kStatusRestored, "01Feb1986", "01Mar1986"}},
       "No radio has been sold"},
      {LineGraphKind::kCostValue,
       {{kStatusAsAcquired, "01May1998", "", "", 50}, {kStatusAsAcquired, "20May1998", "", "", 30}},
       "Every date falls in one month, May 1998"},
      {LineGraphKind::kHistory,
       {{kStatusAsAcquired, "20Nov0204"}, {kStatusAsAcquired, "01Jan2004"}},
       "The dates run from 204 to 2004"},
      {LineGraphKind::kCostValue, {{kStatusAsAcquired, ""}}, "No radio has a date"},
  };
  for (const Case& c : cases) {
    collection = test::MakeCollection();
    for (const Dated& radio : c.radios) Add(radio);
    GraphState state;
    test::RecordingSurface recording(640, 480);
    ASSERT_TRUE(RunLineGraph(state, c.kind, collection, recording.surface())) << c.why;
    for (int drawing = 0; drawing < 2; ++drawing) {
      std::string shown;
      for (const std::string& text : recording.Texts()) shown += text + " ";
      EXPECT_EQ(shown.rfind(LineGraphDefinitionOf(c.kind).title, 0), 0u) << shown;
      EXPECT_NE(shown.find(c.why), std::string::npos) << "the view shows only: " << shown;
      recording.ForgetOps();
      ASSERT_TRUE(RedrawGraph(state, collection.tables, recording.surface()));
    }
  }
}

// The Distribution pie: counting, ranking, slice spans, and the pie drawn on a recording surface.
std::vector<int> Entries(const std::vector<PieSlice>& slices) {
  std::vector<int> entries;
  for (const PieSlice& s : slices) entries.push_back(s.entry);
  return entries;
}

// The nine largest categories in table order among equals, then the others; the last slice takes what
// the rounded spans leave.
TEST(PieSlices, NineLargestInTableOrderAmongEqualsThenOthersTakingWhatIsLeft) {
  // Eleven categories, shuffled; entry 3 is empty.
  const std::vector<std::uint32_t> counters = {1, 5, 2, 0, 4, 1, 3, 5, 2, 4, 1, 3};
  EXPECT_EQ(RankCategories(counters, 4), (std::vector<int>{1, 7, 4, 9}));
  const auto slices = PieSlices(counters);
  ASSERT_EQ(slices.size(), 10u);
  EXPECT_EQ(Entries(slices), (std::vector<int>{1, 7, 4, 9, 6, 11, 2, 8, 0, kOthers}));
  EXPECT_EQ(slices.back().count, 2u);  // the two 1s that did not make the nine

  // Up to ten categories need no Others; an empty table ranks nothing.
  const std::vector<std::uint32_t> few = {0, 2, 2, 1};
  EXPECT_EQ(Entries(PieSlices(few)), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(RankCategories(few, 4), (std::vector<int>{1, 2, 3, -1}));
  EXPECT_TRUE(PieSlices({0, 0}).empty());

  // The last slice takes what the rounded spans leave.
  const auto sevenths = PieSlices({1, 1, 1, 1, 1, 1, 1});  // 51.43 degrees each
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(sevenths[i].span, 51);
    EXPECT_EQ(sevenths[i].start, 51 * i);
  }
  EXPECT_EQ(sevenths[6].span, 360 - 6 * 51);

  // Nine slices that each round up would overlap the first again; the pie stops at 360.
  const auto roundedUp = PieSlices({79, 79, 79, 79, 79, 79, 79, 79, 81, 7});
  int sum = 0;
  for (const PieSlice& s : roundedUp) {
    EXPECT_GE(s.span, 0);
    sum += s.span;
  }
  EXPECT_EQ(sum, 360);
  EXPECT_EQ(roundedUp.back().start + roundedUp.back().span, 360);
}

TEST(Distribution, YearsCountByDecadeAndOutsideTheCenturyUnderOthers) {
  Collection collection = test::MakeCollection();
  for (int year : {1938, 1931, 1955, 1899, 2003, 1999}) {
    test::AddLoadedRadio(collection, {.id = year, .year = year});
  }
  std::vector<std::uint32_t> counters{7, 7};
  ASSERT_TRUE(AllocateCounters(kDistributionYear, collection.tables, counters));
  ASSERT_EQ(counters.size(), 11u);
  CountDistribution(collection.radios, kDistributionYear, counters);
  EXPECT_EQ(counters, (std::vector<std::uint32_t>{0, 0, 0, 2, 0, 1, 0, 0, 0, 1, 2}));
  EXPECT_EQ(DistributionEntries(kDistributionYear, collection.tables)[3], "1930-1939");
  // The years outside the decades are never a slice of their own: always the last, "Others".
  const std::vector<PieSlice> slices = PieSlices(counters, DistributionOthersEntry(kDistributionYear));
  ASSERT_EQ(slices.size(), 4u);
  EXPECT_EQ(slices[0].entry, 3);
  EXPECT_EQ(slices.back().entry, kOthers);
  EXPECT_EQ(slices.back().count, 2u) << "1899 and 2003 are left out of the pie";

  // A redraw uses the counters kept from the run, without counting again.
  GraphState state;
  RecordingSurface recording(640, 480);
  ASSERT_TRUE(
      RunDistribution(state, kDistributionYear, collection.radios, collection.tables, recording.surface()));
  EXPECT_EQ(state.current, CurrentGraph::kDistribution);
  test::AddLoadedRadio(collection, {.id = 1945, .year = 1945});
  recording.ForgetOps();
  ASSERT_TRUE(RedrawGraph(state, collection.tables, recording.surface()));
  EXPECT_EQ(recording.OpsOf<FillFiguresOp>().size(), 4u);

  // A table field counts positions; one outside the table is skipped.
  collection.radios[0]->status = 99;
  ASSERT_TRUE(AllocateCounters(7, collection.tables, counters));
  EXPECT_EQ(counters.size(), 12u);
  CountDistribution(collection.radios, 7, counters);
  EXPECT_EQ(std::accumulate(counters.begin(), counters.end(), 0u), 6u);
  EXPECT_FALSE(AllocateCounters(11, collection.tables, counters));
}

// The pie's parts in device terms (row = height - y) on a recording surface of the size.
struct DrawnPie {
  DrawnPie(int width, int height, const std::vector<std::uint32_t>& counters) : recording(width, height) {
    tables = MakeTableSet();
    tables[kTableBands].entries = {"AM", "AM/FM", "AM/SW", "FM", "Unknown"};
    DrawDistribution(0, counters, tables, recording.surface());
  }
  RecordingSurface recording;
  TableSet tables;
};

// Slices largest first from angle 0 in the palette's order, each count inside its own slice, and a
// legend of the entries in slice order beside the pie: to its right in a wide window, below in a tall.
TEST(Distribution, ThePieLiesByTheWindowsShapeWithCountsAndALegend) {
  const std::vector<std::uint32_t> counters = {30, 0, 10, 0, 20};
  for (const auto& [width, height] : {std::pair{640, 480}, std::pair{480, 640}}) {
    SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
    DrawnPie pie(width, height, counters);
    const auto texts = pie.recording.Texts();
    EXPECT_EQ(texts, (std::vector<std::string>{"Distribution by Bands", "30", "20", "10", "AM", "Unknown",
                                               "AM/SW"}));
    const auto wedges = pie.recording.OpsOf<FillFiguresOp>();
    ASSERT_EQ(wedges.size(), 3u);
    const draw::Rgb colours[] = {*draw::PaletteColour(draw::kRed), *draw::PaletteColour(draw::kMagenta),
                                 *draw::PaletteColour(draw::kDarkGreen)};
    const draw::DevicePoint centre = wedges[0].figures.front().back();
    const int radius = wedges[0].figures.front().front().x - centre.x;  // the first slice starts at 0
    const int spans[][2] = {{0, 180}, {180, 300}, {300, 360}};
    const auto ops = pie.recording.OpsOf<TextOp>();
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(wedges[i].colour, colours[i]) << "slice " << i;
      const draw::DevicePoint at = ops[1 + i].baselineStart;
      double angle = std::atan2(centre.y - at.y, at.x + 8 - centre.x) * 180 / std::numbers::pi;
      if (angle < 0) angle += 360;
      EXPECT_TRUE(angle > spans[i][0] && angle < spans[i][1]) << texts[1 + i] << " drawn at " << angle;
      EXPECT_LT(std::hypot(at.x + 8 - centre.x, at.y - centre.y), radius) << texts[1 + i];
    }
    const auto lines = pie.recording.OpsOf<LineOp>();
    ASSERT_EQ(lines.size(), 3u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(lines[i].pen.colour, colours[i]) << "legend row " << i;
    if (width > height) {
      EXPECT_GT(lines[0].from.x, centre.x + radius) << "the legend is not right of the pie";
    } else {
      EXPECT_GT(lines[0].from.y, centre.y + radius) << "the legend is not below the pie";
    }
    EXPECT_LT(lines[0].from.y, lines[2].from.y) << "legend rows run downwards";
    EXPECT_EQ(pie.recording.surface().lineWidth(), 1);
  }

  // Nothing counted: the title alone.
  DrawnPie empty(640, 480, {0, 0, 0, 0, 0});
  EXPECT_EQ(empty.recording.Texts(), (std::vector<std::string>{"Distribution by Bands"}));
  EXPECT_TRUE(empty.recording.OpsOf<FillFiguresOp>().empty());
}

}  // namespace
}  // namespace korvel::graphs

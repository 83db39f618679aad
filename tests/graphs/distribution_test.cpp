// The Distribution pie: counting, ranking, slice spans, and the pie drawn on a recording surface.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <numeric>

#include "draw/palette.h"
#include "graphs/current_graph.h"
#include "graphs/distribution.h"
#include "support/collection_builder.h"
#include "support/recording_surface.h"

namespace korvel::graphs {
namespace {

using test::FillFiguresOp;
using test::LineOp;
using test::RecordingSurface;
using test::TextOp;

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

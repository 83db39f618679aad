// The Distribution pie: counting, ranking, slice spans, and the pie drawn on a recording surface.
#include <gtest/gtest.h>

#include <cmath>
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

TEST(PieSlices, NineLargestInTableOrderAmongEqualsThenOthers) {
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
}

TEST(PieSlices, TheLastSliceTakesWhatTheRoundedSpansLeave) {
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

  // A table field counts positions; one outside the table is skipped.
  collection.radios[0]->status = 99;
  ASSERT_TRUE(AllocateCounters(7, collection.tables, counters));
  EXPECT_EQ(counters.size(), 12u);
  CountDistribution(collection.radios, 7, counters);
  EXPECT_EQ(std::accumulate(counters.begin(), counters.end(), 0u), 5u);
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

TEST(Distribution, ThePieLiesByTheWindowsShapeWithCountsAndALegend) {
  const std::vector<std::uint32_t> counters = {30, 0, 10, 0, 20};
  DrawnPie wide(640, 480, counters);  // r 160, centre (213, 240), legend at (426, 384)
  const auto texts = wide.recording.OpsOf<TextOp>();
  ASSERT_EQ(texts.size(), 1u + 3 + 3);
  EXPECT_EQ(texts[0].text, "Distribution by Bands");
  EXPECT_EQ(texts[0].baselineStart, (draw::DevicePoint{(640 - (5 + 16) * 8) / 2, 2 * 16}));

  // Slices largest first from angle 0: 180, 120 and 60 degrees, in red, magenta, dark green.
  const auto wedges = wide.recording.OpsOf<FillFiguresOp>();
  ASSERT_EQ(wedges.size(), 3u);
  EXPECT_EQ(wedges[0].colour, *draw::PaletteColour(draw::kRed));
  EXPECT_EQ(wedges[1].colour, *draw::PaletteColour(draw::kMagenta));
  EXPECT_EQ(wedges[2].colour, *draw::PaletteColour(draw::kDarkGreen));
  // Each wedge runs from the arc's start round to the centre.
  EXPECT_EQ(wedges[0].figures.front().front(), (draw::DevicePoint{213 + 160, 240}));
  EXPECT_EQ(wedges[0].figures.front().back(), (draw::DevicePoint{213, 240}));

  // Counts at 0.8 of the radius on each slice's middle, with the angle factor 6.28.
  const auto label = [](int mid) {
    const double a = mid * 6.28 / 360;
    return draw::DevicePoint{static_cast<int>(std::cos(a) * 160 * 0.8 + (213 - 8)),
                             480 - static_cast<int>(std::sin(a) * 160 * 0.8 + 240)};
  };
  EXPECT_EQ(texts[1].text, "30");
  EXPECT_EQ(texts[1].baselineStart, label(90));
  EXPECT_EQ(texts[2].text, "20");
  EXPECT_EQ(texts[2].baselineStart, label(240));
  EXPECT_EQ(texts[3].text, "10");
  EXPECT_EQ(texts[3].baselineStart, label(330));

  // Legend rows downwards: a line of two characters, then the name one character further.
  const auto lines = wide.recording.OpsOf<LineOp>();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].from, (draw::DevicePoint{426, 480 - 384}));
  EXPECT_EQ(lines[0].to, (draw::DevicePoint{426 + 16, 480 - 384}));
  EXPECT_EQ(lines[0].pen.width, 2);
  EXPECT_EQ(lines[2].pen.colour, *draw::PaletteColour(draw::kDarkGreen));
  EXPECT_EQ(texts[4].text, "AM");
  EXPECT_EQ(texts[4].baselineStart, (draw::DevicePoint{426 + 24, 480 - 384}));
  EXPECT_EQ(texts[5].text, "Unknown");
  EXPECT_EQ(texts[5].baselineStart.y, 480 - 384 + 16);
  EXPECT_EQ(texts[6].text, "AM/SW");
  EXPECT_EQ(wide.recording.surface().lineWidth(), 1);

  // Taller than wide: the pie above, the legend below it.
  DrawnPie tall(480, 640, counters);  // r 160, centre (240, 426), legend at (96, 213)
  EXPECT_EQ(tall.recording.OpsOf<FillFiguresOp>()[0].figures.front().back(),
            (draw::DevicePoint{240, 640 - 426}));
  EXPECT_EQ(tall.recording.OpsOf<LineOp>()[0].from, (draw::DevicePoint{96, 640 - 213}));

  // Nothing counted: the title alone.
  DrawnPie empty(640, 480, {0, 0, 0, 0, 0});
  EXPECT_EQ(empty.recording.Texts(), (std::vector<std::string>{"Distribution by Bands"}));
  EXPECT_TRUE(empty.recording.OpsOf<FillFiguresOp>().empty());
}

TEST(Distribution, ARedrawUsesTheKeptCountersWithoutRecounting) {
  Collection collection = test::MakeCollection();
  test::AddLoadedRadio(collection, {.id = 1, .year = 1935});
  GraphState state;
  RecordingSurface recording(640, 480);
  ASSERT_TRUE(
      RunDistribution(state, kDistributionYear, collection.radios, collection.tables, recording.surface()));
  EXPECT_EQ(state.current, CurrentGraph::kDistribution);
  test::AddLoadedRadio(collection, {.id = 2, .year = 1945});
  recording.ForgetOps();
  ASSERT_TRUE(RedrawGraph(state, collection.tables, recording.surface()));
  EXPECT_EQ(recording.OpsOf<FillFiguresOp>().size(), 1u);
}

}  // namespace
}  // namespace korvel::graphs

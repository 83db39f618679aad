// The running totals of the Cost/Value, History and Sales/Profit graphs, month by month.
#include <gtest/gtest.h>

#include "graphs/current_graph.h"
#include "graphs/graph_data.h"
#include "support/collection_builder.h"
#include "support/recording_surface.h"

namespace korvel::graphs {
namespace {

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

}  // namespace
}  // namespace korvel::graphs

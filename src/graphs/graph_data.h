// The data of the three line graphs: month-by-month running totals over the whole collection.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "collection/radio_list.h"

namespace korvel::graphs {

// year x 12 + month of a date number yyyymmdd; 0 for no date.
int MonthNumber(int date);

struct MonthRange {
  int first = 0, last = 0;  // month numbers, both included
  int Months() const { return last - first + 1; }
};

// What the line graphs read of a radio, taken once: the walk over the records is the slow part of a
// large collection, and each graph walks them twice (range, totals).
struct GraphFacts {
  std::int32_t status = 0;
  std::int32_t acquired = 0, restored = 0, disposed = 0;  // date numbers, 0 for none
  std::int32_t cost = 0, repair = 0, value = 0, selling = 0;
};
std::vector<GraphFacts> GraphFactsOf(const RadioList& radios);  // throws std::bad_alloc

// The months from the earliest to the latest date that the graphs count (acquisitions, the
// restorations of restored radios, the disposals of radios that left the collection). None when
// the list is empty or holds no such date.
std::optional<MonthRange> GraphDateRange(const RadioList& radios);
std::optional<MonthRange> GraphDateRange(const std::vector<GraphFacts>& radios);

// One running total per (month, series), months first. Totals are kept in 64 bits so that a
// collection of large prices cannot overflow them; the graph receives them clamped to 32 bits.
struct CounterTable {
  MonthRange range;
  int seriesCount = 0;
  std::vector<std::int64_t> counts;

  std::int64_t At(int month, int series) const {
    return counts[static_cast<std::size_t>(month - range.first) * seriesCount + series];
  }
};

// A zeroed table for the months and series; throws std::bad_alloc when memory runs out.
CounterTable MakeCounterTable(const MonthRange& range, int seriesCount);

// Adds the amount to the series in every month from the date's month (the first month when the date
// lies before it) to the last. A date of 0 adds nothing.
void AccumulateFromMonth(CounterTable& table, int series, int date, std::int64_t amount);

// Series of each graph, in the order of their colours and legend rows.
enum CostValueSeries : int { kAcquisitionCost = 0, kRepairCost = 1, kTotalCost = 2, kValue = 3 };
inline constexpr int kCostValueSeriesCount = 4;
enum HistorySeries : int {
  kCollection = 0,
  kForSale = 1,
  kOther = 2,
  kSold = 3,
  kToBeRestored = 4,
  kTotal = 5
};
inline constexpr int kHistorySeriesCount = 6;
enum SalesProfitSeries : int {
  kSalesAcquisitionCost = 0,
  kSalesRepairCost = 1,
  kSalesIncome = 2,
  kSalesTotalCost = 3,
  kTotalProfit = 4,
};
inline constexpr int kSalesProfitSeriesCount = 5;

// The accumulations of each graph over every radio of the list, into a zeroed table made for its
// series.
void AccumulateCostValue(const std::vector<GraphFacts>& radios, CounterTable& table);
void AccumulateHistory(const std::vector<GraphFacts>& radios, CounterTable& table);
void AccumulateSalesProfit(const std::vector<GraphFacts>& radios, CounterTable& table);

}  // namespace korvel::graphs

#include "graphs/graph_data.h"

#include <algorithm>

#include "collection/tables.h"
#include "util/alu_date.h"

namespace korvel::graphs {
namespace {

bool IsRestored(int status) {
  return status == kStatusRestored || status == kStatusRestoredAndSold || status == kStatusRestoredForSale;
}

bool IsSold(int status) {
  return status == kStatusSold || status == kStatusRestoredAndSold;
}

// Statuses of radios that have left the collection, whose disposal dates bound the graphs.
bool IsDisposed(int status) {
  return status == kStatusDonated || status == kStatusRestoredAndSold || status == kStatusScrapped ||
         status == kStatusSold;
}

// The disposal date, or the acquisition date when none was recorded: a radio sold without a date
// is taken as sold when it came.
int DisposedOrAcquired(const GraphFacts& radio) {
  return radio.disposed != 0 ? radio.disposed : radio.acquired;
}

// The accumulations note each change in its first month only and sum the months once at the end:
// the same running totals as adding to every month, in one pass over the table.
class Changes {
 public:
  explicit Changes(CounterTable& table) : table_(table) {}
  // Turns the changes into running totals.
  void Finish() {
    const std::size_t width = static_cast<std::size_t>(table_.seriesCount);
    for (std::size_t i = width; i < table_.counts.size(); ++i) table_.counts[i] += table_.counts[i - width];
  }
  void Add(int series, int date, std::int64_t amount) {
    if (date == 0 || amount == 0) return;
    const int month = std::max(MonthNumber(date), table_.range.first);
    if (month > table_.range.last) return;
    table_.counts[static_cast<std::size_t>(month - table_.range.first) * table_.seriesCount + series] +=
        amount;
  }

 private:
  CounterTable& table_;
};

}  // namespace

int MonthNumber(int date) {
  if (date == 0) return 0;
  return date / 10000 * 12 + date / 100 % 100;
}

std::vector<GraphFacts> GraphFactsOf(const RadioList& radios) {
  std::vector<GraphFacts> facts;
  facts.reserve(static_cast<std::size_t>(radios.Count()));
  for (const RadioRecord* radio : radios) {
    facts.push_back({radio->status, AluDateNumber(radio->dateAcquired), AluDateNumber(radio->dateRestored),
                     AluDateNumber(radio->dateDisposed), radio->purchasePrice, radio->restorationCost,
                     radio->value, radio->sellingPrice});
  }
  return facts;
}

std::optional<MonthRange> GraphDateRange(const RadioList& radios) {
  return GraphDateRange(GraphFactsOf(radios));
}

std::optional<MonthRange> GraphDateRange(const std::vector<GraphFacts>& radios) {
  int first = 0, last = 0;
  const auto consider = [&](int date) {
    if (date == 0) return;
    if (first == 0 || date < first) first = date;
    last = std::max(last, date);
  };
  for (const GraphFacts& radio : radios) {
    consider(radio.acquired);
    if (IsRestored(radio.status)) consider(radio.restored);
    if (IsDisposed(radio.status)) consider(radio.disposed);
  }
  if (first == 0 || last < first) return std::nullopt;
  return MonthRange{MonthNumber(first), MonthNumber(last)};
}

CounterTable MakeCounterTable(const MonthRange& range, int seriesCount) {
  CounterTable table;
  table.range = range;
  table.seriesCount = seriesCount;
  table.counts.assign(static_cast<std::size_t>(range.Months()) * seriesCount, 0);
  return table;
}

void AccumulateFromMonth(CounterTable& table, int series, int date, std::int64_t amount) {
  if (date == 0 || amount == 0) return;
  const int from = std::max(MonthNumber(date), table.range.first);
  for (int month = from; month <= table.range.last; ++month) {
    table.counts[static_cast<std::size_t>(month - table.range.first) * table.seriesCount + series] += amount;
  }
}

void AccumulateCostValue(const std::vector<GraphFacts>& radios, CounterTable& table) {
  Changes changes(table);
  for (const GraphFacts& radio : radios) {
    const int acquired = radio.acquired;
    const int restored = radio.restored;
    const int disposed = DisposedOrAcquired(radio);
    const std::int64_t cost = radio.cost;
    const std::int64_t repair = radio.repair;
    const int status = radio.status;
    changes.Add(kAcquisitionCost, acquired, cost);
    changes.Add(kTotalCost, acquired, cost);
    changes.Add(kValue, acquired, radio.value);
    if (IsRestored(status)) {
      changes.Add(kRepairCost, restored, repair);
      changes.Add(kTotalCost, restored, repair);
    }
    if (IsDisposed(status) || status == kStatusReturned) {
      changes.Add(kValue, disposed, -static_cast<std::int64_t>(radio.value));
    }
    if (IsSold(status)) {
      changes.Add(kAcquisitionCost, disposed, -cost);
      changes.Add(kRepairCost, disposed, -repair);
      changes.Add(kTotalCost, disposed, -(repair + cost));
    }
  }
  changes.Finish();
}

void AccumulateHistory(const std::vector<GraphFacts>& radios, CounterTable& table) {
  Changes changes(table);
  for (const GraphFacts& radio : radios) {
    const int acquired = radio.acquired;
    const int restored = radio.restored;
    const int disposed = radio.disposed;
    const int status = radio.status;
    changes.Add(kTotal, acquired, 1);
    if (status == kStatusAsAcquired) changes.Add(kCollection, acquired, 1);
    if (status == kStatusScrapped || status == kStatusReturned) changes.Add(kOther, acquired, 1);
    if (status == kStatusToBeRestored || IsRestored(status)) changes.Add(kToBeRestored, acquired, 1);
    if (status == kStatusForSale || status == kStatusSold) changes.Add(kForSale, acquired, 1);

    if (status == kStatusRestored) changes.Add(kCollection, restored, 1);
    if (status == kStatusRestoredAndSold || status == kStatusRestoredForSale) {
      changes.Add(kForSale, restored, 1);
    }
    if (IsRestored(status)) changes.Add(kToBeRestored, restored, -1);

    if (status == kStatusDonated) changes.Add(kOther, disposed, 1);
    if (IsSold(status)) {
      changes.Add(kSold, disposed, 1);
      changes.Add(kForSale, disposed, -1);
    }
  }
  changes.Finish();
}

void AccumulateSalesProfit(const std::vector<GraphFacts>& radios, CounterTable& table) {
  Changes changes(table);
  for (const GraphFacts& radio : radios) {
    const int status = radio.status;
    if (!IsSold(status)) continue;
    const int acquired = radio.acquired;
    const std::int64_t cost = radio.cost;
    const std::int64_t repair = radio.repair;
    changes.Add(kSalesAcquisitionCost, acquired, cost);
    changes.Add(kSalesTotalCost, acquired, cost);
    changes.Add(kTotalProfit, acquired, -cost);
    if (status == kStatusRestoredAndSold) {
      const int restored = radio.restored;
      changes.Add(kSalesRepairCost, restored, repair);
      changes.Add(kSalesTotalCost, restored, repair);
      changes.Add(kTotalProfit, restored, -repair);
    }
    const int disposed = DisposedOrAcquired(radio);
    changes.Add(kSalesIncome, disposed, radio.selling);
    changes.Add(kTotalProfit, disposed, radio.selling);
  }
  changes.Finish();
}

}  // namespace korvel::graphs

// What a list of radios adds up to in money, as the selection dialog shows it beside Count.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "collection/record.h"

namespace korvel {

struct MoneyTotals {
  std::int64_t cost = 0;    // purchase prices plus restoration costs
  std::int64_t value = 0;   // values
  std::int64_t sales = 0;   // selling prices
  std::int64_t profit = 0;  // selling price less purchase and restoration, over the radios sold
};

// Sums in 64 bits, so that no number of radios can overflow them.
MoneyTotals SumMoney(const std::vector<RadioRecord*>& radios);

// "Cost $1,234  Value $5,678  Sales $90  Profit -$12", thousands grouped for reading.
std::string MoneyTotalsText(const MoneyTotals& totals);

}  // namespace korvel

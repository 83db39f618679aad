#include "collection/money_totals.h"

#include <string>

namespace korvel {
namespace {

std::string Dollars(std::int64_t amount) {
  const bool negative = amount < 0;
  // Unsigned, so that the most negative amount is printed rather than overflowing.
  std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(amount) : static_cast<std::uint64_t>(amount);
  // Built from the right into a buffer that holds the longest amount with its commas.
  char text[32];
  char* at = text + sizeof text;
  int placed = 0;
  do {
    if (placed > 0 && placed % 3 == 0) *--at = ',';
    *--at = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
    ++placed;
  } while (magnitude != 0);
  *--at = '$';
  if (negative) *--at = '-';
  return std::string(at, text + sizeof text);
}

}  // namespace

MoneyTotals SumMoney(const std::vector<RadioRecord*>& radios) {
  MoneyTotals totals;
  for (const RadioRecord* r : radios) {
    const std::int64_t cost = std::int64_t{r->purchasePrice} + r->restorationCost;
    totals.cost += cost;
    totals.value += r->value;
    totals.sales += r->sellingPrice;
    if (r->sellingPrice != 0) totals.profit += r->sellingPrice - cost;
  }
  return totals;
}

std::string MoneyTotalsText(const MoneyTotals& t) {
  return "Cost " + Dollars(t.cost) + "  Value " + Dollars(t.value) + "  Sales " + Dollars(t.sales) +
         "  Profit " + Dollars(t.profit);
}

}  // namespace korvel

#include "collection/money_totals.h"

namespace korvel {
namespace {

std::string Dollars(std::int64_t amount) {
  const bool negative = amount < 0;
  // Unsigned, so that the most negative amount is printed rather than overflowing.
  std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(amount) : static_cast<std::uint64_t>(amount);
  std::string digits = std::to_string(magnitude);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
    digits.insert(static_cast<std::size_t>(at), ",");
  return (negative ? "-$" : "$") + digits;
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

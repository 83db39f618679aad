#include <gtest/gtest.h>

#include <cstdint>

#include "collection/money_totals.h"

namespace korvel {
namespace {

TEST(MoneyTotals, CostValueSalesAndProfitOfTheRadiosSold) {
  RadioRecord kept, sold, lost;
  kept.purchasePrice = 1200;
  kept.restorationCost = 300;
  kept.value = 2500;
  sold.purchasePrice = 40;
  sold.restorationCost = 25;
  sold.value = 90;
  sold.sellingPrice = 120;  // profit 55
  lost.purchasePrice = 500;
  lost.sellingPrice = 200;  // sold at a loss of 300
  const MoneyTotals t = SumMoney({&kept, &sold, &lost});
  EXPECT_EQ(t.cost, 2065);
  EXPECT_EQ(t.value, 2590);
  EXPECT_EQ(t.sales, 320);
  EXPECT_EQ(t.profit, -245);
  EXPECT_EQ(MoneyTotalsText(t), "Cost $2,065  Value $2,590  Sales $320  Profit -$245");

  // Far more than 32 bits can hold, and the empty list.
  std::vector<RadioRecord> many(3);
  for (RadioRecord& r : many) r.value = 2'000'000'000;
  EXPECT_EQ(SumMoney({&many[0], &many[1], &many[2]}).value, 6'000'000'000);
  EXPECT_EQ(MoneyTotalsText(SumMoney({})), "Cost $0  Value $0  Sales $0  Profit $0");
  EXPECT_EQ(MoneyTotalsText({.cost = INT64_MIN, .value = 1000, .sales = 999, .profit = -1'000'000}),
            "Cost -$9,223,372,036,854,775,808  Value $1,000  Sales $999  Profit -$1,000,000");
}

}  // namespace
}  // namespace korvel

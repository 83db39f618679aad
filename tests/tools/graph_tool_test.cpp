// korvel-tool graph on the sample collection (render draws the graphs: korvel_tool_test).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "support/temp_dir.h"

namespace korvel {
namespace {

using ToolOutput = test::ShellRun;

ToolOutput Tool(const std::string& arguments) {
  return test::RunShell(std::string(KORVEL_TOOL) + " " + arguments + " 2>/dev/null");
}

const std::string kSample = KORVEL_SAMPLE;

TEST(GraphTool, LineGraphsGiveTheirMonthlyTotalsAndAxes) {
  for (const char* kind : {"cost-value", "history", "sales-profit"}) {
    const ToolOutput run = Tool("graph " + kSample + " " + kind);
    ASSERT_EQ(run.status, 0) << kind;
    const nlohmann::json json = nlohmann::json::parse(run.out);
    const int first = json["first"], last = json["last"];
    EXPECT_EQ(first / 12, 1974) << kind;
    ASSERT_FALSE(json["series"].empty());
    for (const auto& series : json["series"])
      EXPECT_EQ(series["values"].size(), std::size_t(last - first + 1));
    // The month axis runs over whole years around the data.
    const double lo = json["x"]["lo"], hi = json["x"]["hi"];
    EXPECT_EQ(static_cast<int>(lo) % 12, 0);
    EXPECT_LE(lo, first);
    EXPECT_GE(hi, last);
    EXPECT_EQ(json["x"]["major"], 12.0);
  }
  const nlohmann::json cost = nlohmann::json::parse(Tool("graph " + kSample + " cost-value").out);
  EXPECT_EQ(cost["title"], "Cost/Value of Radio Collection");
  EXPECT_EQ(cost["series"][3]["name"], "Value");
  const nlohmann::json sales = nlohmann::json::parse(Tool("graph " + kSample + " sales-profit").out);
  EXPECT_LT(sales["y"]["lo"].get<double>(), 0);  // profit runs below zero before the first sale

  EXPECT_EQ(Tool("graph " + kSample + " pie").status, 2);
  EXPECT_EQ(Tool("graph " + kSample + " history '+Year<1940'").status, 2);
  EXPECT_EQ(Tool("graph " + kSample + " distribution:11").status, 2);
  EXPECT_EQ(Tool("graph /nonexistent cost-value").status, 1);
}

TEST(GraphTool, DistributionCountsTheStepsSelection) {
  const nlohmann::json all = nlohmann::json::parse(Tool("graph " + kSample + " distribution:10").out);
  EXPECT_EQ(all["title"], "Distribution by Year");
  EXPECT_EQ(all["counters"].size(), 11u);  // ten decades and the other years
  EXPECT_EQ(all["total"], 48);
  int spans = 0;
  for (const auto& slice : all["slices"]) spans += slice["span"].get<int>();
  EXPECT_EQ(spans, 360);

  const ToolOutput tubes = Tool("graph " + kSample + " distribution:8 +Technology=Tube");
  ASSERT_EQ(tubes.status, 0);
  const nlohmann::json json = nlohmann::json::parse(tubes.out);
  const std::string selected = Tool("select " + kSample + " +Technology=Tube").out;
  EXPECT_EQ(json["total"], std::count(selected.begin(), selected.end(), '\n'));
  ASSERT_EQ(json["slices"].size(), 1u);
  EXPECT_EQ(json["slices"][0]["name"], "Tube");
  EXPECT_EQ(json["slices"][0]["span"], 360);
}

}  // namespace
}  // namespace korvel

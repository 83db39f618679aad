// The Graphs menu in the running program on a copy of the sample collection: each graph drawn in
// the view, redrawn after a resize and a font change, and the Distribution dialog's choice kept in
// the settings file.

#include <numeric>

#include "program_on_sample.h"
#include "ui/dialogs/dialog_ids.h"

namespace korvel {
namespace {

using graphs::CurrentGraph;

class GraphsInTheProgram : public test::ProgramOnSample {
 protected:
  void Resize(int width, int height) {
    program_.mainWindow().window->resize(width, height);
    Settle();
  }
  // The view as it shows now.
  QImage View() { return program_.viewWindow().window->grab().toImage(); }
  static int Pixels(const QImage& image, QRgb colour) {
    return CountPixels(image, [&](QRgb pixel) { return pixel == colour; });
  }
};

constexpr QRgb kRed = 0xff0000, kDarkGreen = 0x008000, kBlue = 0x0000ff, kBrown = 0x804000;

TEST_F(GraphsInTheProgram, LineGraphsAreDrawnAndRedrawnAtEverySizeOrSayWhyNot) {
  struct Case {
    int command;
    CurrentGraph current;
    const char* name;
    QRgb lastSeries;
  };
  for (const auto& [width, height] : {std::pair{1280, 900}, std::pair{640, 480}}) {
    Resize(width, height);
    for (const Case& c :
         {Case{kCommandGraphCostValue, CurrentGraph::kCostValue, "cost_value", kBlue},
          Case{kCommandGraphHistory, CurrentGraph::kHistory, "history", kBrown},
          Case{kCommandGraphSalesProfit, CurrentGraph::kSalesProfit, "sales_profit", kBlue}}) {
      Command(c.command);
      EXPECT_EQ(program_.state().viewMode, kViewGraph);
      EXPECT_EQ(program_.graphs().current, c.current);
      const QImage view = View();
      EXPECT_GT(Pixels(view, kRed), 100) << c.name;
      EXPECT_GT(Pixels(view, c.lastSeries), 100) << c.name;
    }
  }
  // A larger window draws the kept graph again at its new size, as does a font change.
  Resize(1000, 700);
  QImage resized = View();
  EXPECT_EQ(resized.width(), program_.viewWindow().drawable.right);
  EXPECT_GT(Pixels(resized, kRed), 100);
  ChangeFont("Liberation Mono", 9);
  EXPECT_EQ(program_.graphs().current, CurrentGraph::kSalesProfit);
  EXPECT_GT(Pixels(View(), kDarkGreen), 100);

  // With no sale to draw the view says why, in words across its middle.
  for (RadioRecord* radio : collection().radios.Records()) radio->status = kStatusToBeRestored;
  Command(kCommandGraphSalesProfit);
  EXPECT_NE(program_.graphs().blankReason.find("No radio has been sold"), std::string::npos);
  const QImage view = View();
  EXPECT_GT(CountPixels(view.copy(0, view.height() / 3, view.width(), view.height() / 3),
                        [](QRgb pixel) { return qGray(pixel) < 100; }),
            100)
      << "the view is blank";
}

TEST_F(GraphsInTheProgram, DistributionOfTheSelectionAndItsChoiceKeptInTheSettings) {
  const int selected = program_.state().selection.current.Count();
  ASSERT_GT(selected, 0);
  ASSERT_LT(selected, program_.state().collection.radios.Count());

  // Cancel leaves the view as it was.
  DalQueueScript(DalScript().Cancel());
  Command(kCommandGraphDistribution);
  EXPECT_EQ(program_.state().viewMode, kViewDescription);

  // Status over the radios the selection dialog keeps (all of the current selection).
  DalQueueScript(DalScript().Choose(kIdDistributionField, 7).Check(kIdDistributionSelected, true).Ok());
  DalQueueScript(DalScript().Ok());
  Command(kCommandGraphDistribution);
  EXPECT_EQ(DalPendingScripts(), 0u);
  EXPECT_EQ(program_.state().viewMode, kViewGraph);
  const graphs::GraphState& graphs = program_.graphs();
  ASSERT_EQ(graphs.current, CurrentGraph::kDistribution);
  EXPECT_EQ(graphs.distribution.field, 7);
  EXPECT_EQ(std::accumulate(graphs.distribution.counters.begin(), graphs.distribution.counters.end(), 0u),
            static_cast<unsigned>(selected));
  for (const auto& [width, height] : {std::pair{1280, 900}, std::pair{640, 480}}) {
    Resize(width, height);
    EXPECT_GT(Pixels(View(), kRed), 1000);
  }

  // The dialog opens on the kept choice; without "Selected" the whole collection is counted.
  int shownField = -1;
  DalQueueScript(DalScript()
                     .Do([&](DalDialog& open) {
                       shownField = open.window->Control(kIdDistributionField)->CurrentItem();
                     })
                     .Choose(kIdDistributionField, 10)
                     .Check(kIdDistributionSelected, false)
                     .Ok());
  Command(kCommandGraphDistribution);
  EXPECT_EQ(shownField, 7);
  EXPECT_EQ(std::accumulate(graphs.distribution.counters.begin(), graphs.distribution.counters.end(), 0u),
            static_cast<unsigned>(program_.state().collection.radios.Count()));

  Exit(kAnswerYes);
  EXPECT_NE(test::ReadFile(dir_ / "korvel.ini").find("\n10 --- Graphing Parameters ---\n0\n"),
            std::string::npos);
}

}  // namespace
}  // namespace korvel

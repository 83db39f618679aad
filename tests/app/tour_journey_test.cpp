// The picture tour in the running program on a copy of the sample: commands and the close request
// wait for the tour to stop, a new size restarts it, and leaving ends its thread.

#include <QMenu>

#include "program_on_sample.h"

namespace korvel {
namespace {

class TourJourney : public test::ProgramOnSample {
 protected:
  // Sent without waiting: the tour holds what comes while it runs.
  void Send(int id) { ui::SendCommand(program_.mainWindow(), id); }
  bool TourRunning() { return program_.tour().Running(); }
  QAction* SizeItem(int n) {
    QMenu* size = program_.mainWindow().window->menuBar()->FindMenu({"tour", "size"});
    return size != nullptr ? size->actions().value(n - 1) : nullptr;
  }
  // The view's backing image has pictures on it (anything but the white background).
  int PicturePixels() {
    return CountPixels(program_.viewWindow().device->Snapshot(),
                       [](QRgb pixel) { return pixel != 0xffffff; });
  }
};

// Tour > Selected tours the selection dialog's choice; its Cancel starts nothing.
TEST_F(TourJourney, CommandsWaitForTheTourAndOnlyTheLastOneRuns) {
  const int before = program_.state().selection.current.Count();
  DalQueueScript(DalScript().Cancel());
  Send(kCommandTourSelected);
  EXPECT_FALSE(TourRunning());
  EXPECT_FALSE(program_.pane().hidden);
  DalQueueScript(DalScript().Ok());
  Send(kCommandTourSelected);
  ASSERT_TRUE(TourRunning());
  EXPECT_TRUE(program_.pane().hidden);
  EXPECT_EQ(program_.state().viewMode, kViewTour);
  EXPECT_EQ(program_.state().selection.currentRadio, nullptr);
  // The view fills the window and pictures grow in it at the timer's pace.
  EXPECT_EQ(program_.viewWindow().current.width, program_.mainWindow().drawable.right);
  QTest::qWait(400);
  EXPECT_GT(PicturePixels(), 0);

  // A new size restarts the tour at once; the tick moves and the settings keep it.
  ASSERT_TRUE(SizeItem(3)->isChecked());
  Send(kCommandTourSizeBase + 4);
  EXPECT_TRUE(TourRunning());
  EXPECT_TRUE(SizeItem(4)->isChecked());
  EXPECT_FALSE(SizeItem(3)->isChecked());
  EXPECT_EQ(program_.state().settings.tourSize, 4);
  EXPECT_EQ(program_.tour().TourSize(), 4);

  // Two commands while the tour runs: the tour finishes the picture it is drawing, then only the
  // second command runs (the first, the exit question, would have shown a box).
  MessageBoxScript boxes({kAnswerCancel});
  QTest::qWait(100);
  Send(kCommandExit);
  Send(kCommandViewChanges);
  EXPECT_TRUE(TourRunning());
  EXPECT_EQ(program_.state().selection.current.Count(), before);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !TourRunning(); }, 3000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return program_.state().viewMode == kViewDescription; }, 1000));
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_FALSE(program_.pane().hidden);
  EXPECT_EQ(program_.pane().Count(), program_.state().selection.current.Count());
  EXPECT_LT(program_.state().selection.current.Count(), before);
}

// A new size chosen while the tour is stopping for a command keeps that command: it runs when the
// tour has ended, and the pane comes back.
TEST_F(TourJourney, ASizeChosenWhileTheTourStopsKeepsTheHeldCommand) {
  const int before = program_.state().selection.current.Count();
  Send(kCommandTourRandom);
  ASSERT_TRUE(TourRunning());
  Send(kCommandViewChanges);
  Send(kCommandTourSizeBase + 2);
  EXPECT_TRUE(SizeItem(2)->isChecked());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !TourRunning(); }, 3000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !program_.pane().hidden; }, 1000)) << "the pane stays hidden";
  EXPECT_EQ(program_.state().viewMode, kViewDescription);
  EXPECT_LT(program_.state().selection.current.Count(), before) << "View > Changes never ran";
}

TEST_F(TourJourney, ClosingTheWindowStopsTheTourBeforeTheExitQuestion) {
  Send(kCommandTourRandom);
  ASSERT_TRUE(TourRunning());
  QTest::qWait(100);
  MessageBoxScript boxes({kAnswerCancel});
  program_.mainWindow().window->close();
  EXPECT_TRUE(boxes.boxes().empty());
  bool stoppedFirst = false;
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        if (!boxes.boxes().empty()) return true;
        stoppedFirst = !TourRunning();
        return false;
      },
      3000));
  EXPECT_TRUE(stoppedFirst);
  EXPECT_FALSE(TourRunning());
  EXPECT_TRUE(program_.state().ready);
  EXPECT_FALSE(program_.pane().hidden);
  EXPECT_TRUE(program_.mainWindow().window->isVisible());

  // A tour left running at the end is ended by leaving, without ticks.
  Send(kCommandTourRandom);
  EXPECT_TRUE(TourRunning());
}

}  // namespace
}  // namespace korvel

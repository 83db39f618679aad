// Scroll bars: the setters' clamping and the steps of the bar's own messages.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <cmath>

#include "ui/windows/window_frame.h"
#include "ui/windows/window_widget.h"
#include "windows_support.h"

namespace korvel::ui {
namespace {

class ScrollBars : public ::testing::Test {
 protected:
  void SetUp() override {
    pane_ = test::MakeDescriptor("selection", nullptr, {50, 50, 120, 400},
                                 kFlagVerticalScroll | kFlagHorizontalScroll);
    pane_->handler = recorder_.Handler();
    WindowDescriptor* all[] = {pane_.get()};
    ASSERT_TRUE(CreateWindows(all));
  }
  void TearDown() override { test::DestroyAll({pane_.get()}); }

  QScrollBar* Vertical() const { return pane_->window->verticalBar(); }

  test::Recorder recorder_;
  std::unique_ptr<WindowDescriptor> pane_;
};

// The vertical bar shows its value from the top, the horizontal one as it is; both keep what they show.
TEST_F(ScrollBars, SettersClampAndKeepWhatTheyShow) {
  const struct {
    bool vertical;
    float value;
    int shown;
  } cases[] = {{true, 1, 100},    {true, 100, 1},    {true, 0.5f, 100},  {true, -20, 100},
               {true, 250, 1},    {true, 37.9f, 64}, {true, NAN, 100},   {false, 1, 1},
               {false, 100, 100}, {false, 0.5f, 1},  {false, 42.9f, 42}, {false, 1e9f, 100}};
  for (const auto& c : cases) {
    (c.vertical ? SetVerticalScroll : SetHorizontalScroll)(*pane_, c.value);
    EXPECT_EQ(c.vertical ? VerticalScrollShown(*pane_) : HorizontalScrollShown(*pane_), c.shown)
        << (c.vertical ? "vertical " : "horizontal ") << c.value;
    EXPECT_EQ(c.vertical ? pane_->verticalScroll : pane_->horizontalScroll, c.shown)
        << (c.vertical ? "vertical " : "horizontal ") << c.value;
  }
}

// The bar's actions and the wheel step by lines, pages and the thumb; the position follows the messages
// unclamped while the bar stays in its range.
TEST_F(ScrollBars, BarActionsAndTheWheelStepByLinesPagesAndThumb) {
  SetVerticalScroll(*pane_, 90);  // position 11
  Vertical()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(pane_->verticalScroll, 12);
  Vertical()->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(pane_->verticalScroll, 7);
  Vertical()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(pane_->verticalScroll, 12);
  EXPECT_EQ(Vertical()->value(), 12);
  SendWindowMessage(*pane_, {.message = kMessageVerticalScroll, .first = kScrollThumbTrack, .second = 40});
  EXPECT_EQ(pane_->verticalScroll, 40);
  EXPECT_EQ(Vertical()->value(), 40);

  std::vector<long> steps;
  for (const WindowMessage& m : recorder_.Of(kMessageVerticalScroll)) steps.push_back(m.first);
  EXPECT_EQ(steps, (std::vector<long>{kScrollLineDown, kScrollPageUp, kScrollPageDown, kScrollThumbTrack}));

  SetVerticalScroll(*pane_, 50);  // position 51
  QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(pane_->client(), &wheel);
  EXPECT_EQ(pane_->verticalScroll, 52);
  EXPECT_EQ(recorder_.Of(kMessageVerticalScroll).back().first, kScrollLineDown);

  SetVerticalScroll(*pane_, 100);  // position 1
  Vertical()->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(pane_->verticalScroll, -4);
  EXPECT_EQ(Vertical()->value(), 1);
  SetHorizontalScroll(*pane_, 100);
  pane_->window->horizontalBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(pane_->horizontalScroll, 101);
  EXPECT_EQ(recorder_.Of(kMessageHorizontalScroll).size(), 1u);
}

}  // namespace
}  // namespace korvel::ui

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

TEST_F(ScrollBars, VerticalSetterShowsAndKeepsTheValueFromTheTop) {
  struct Case {
    float value;
    int shown;
  };
  for (const Case c : {Case{1, 100}, Case{100, 1}, Case{0.5f, 100}, Case{-20, 100}, Case{250, 1},
                       Case{37.9f, 64}, Case{NAN, 100}}) {
    SetVerticalScroll(*pane_, c.value);
    EXPECT_EQ(VerticalScrollShown(*pane_), c.shown) << c.value;
    EXPECT_EQ(pane_->verticalScroll, c.shown) << c.value;
  }
}

TEST_F(ScrollBars, HorizontalSetterShowsTheValueAsItIs) {
  for (const auto& [value, shown] :
       {std::pair{1.0f, 1}, {100.0f, 100}, {0.5f, 1}, {42.9f, 42}, {1e9f, 100}}) {
    SetHorizontalScroll(*pane_, value);
    EXPECT_EQ(HorizontalScrollShown(*pane_), shown) << value;
    EXPECT_EQ(pane_->horizontalScroll, shown) << value;
  }
}

TEST_F(ScrollBars, BarActionsStepByLinesPagesAndThumb) {
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

  const auto messages = recorder_.Of(kMessageVerticalScroll);
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[0].first, kScrollLineDown);
  EXPECT_EQ(messages[1].first, kScrollPageUp);
  EXPECT_EQ(messages[2].first, kScrollPageDown);
  EXPECT_EQ(messages[3].first, kScrollThumbTrack);
}

TEST_F(ScrollBars, MessagesDoNotClampThePositionButTheBarStaysInRange) {
  SetVerticalScroll(*pane_, 100);  // position 1
  Vertical()->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(pane_->verticalScroll, -4);
  EXPECT_EQ(Vertical()->value(), 1);
  SetHorizontalScroll(*pane_, 100);
  pane_->window->horizontalBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(pane_->horizontalScroll, 101);
  EXPECT_EQ(recorder_.Of(kMessageHorizontalScroll).size(), 1u);
}

TEST_F(ScrollBars, WheelMovesByLines) {
  SetVerticalScroll(*pane_, 50);  // position 51
  QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(pane_->client(), &wheel);
  EXPECT_EQ(pane_->verticalScroll, 52);
  ASSERT_EQ(recorder_.Of(kMessageVerticalScroll).size(), 1u);
  EXPECT_EQ(recorder_.Of(kMessageVerticalScroll)[0].first, kScrollLineDown);
}

}  // namespace
}  // namespace korvel::ui

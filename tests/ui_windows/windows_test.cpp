// The program's windows: placement, input, scroll bars and the message loop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDropEvent>
#include <QEventLoop>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <cmath>

#include "ui/frame/command_ids.h"
#include "ui/frame/program_menu.h"
#include "ui/windows/window_frame.h"
#include "ui/windows/window_parameters.h"
#include "ui/windows/window_placement.h"
#include "ui/windows/window_widget.h"
#include "windows_support.h"

namespace korvel::ui {
namespace {

using test::DestroyAll;
using test::MakeDescriptor;
using test::Recorder;

// Placement in y-up coordinates, the state flags, and the settings' window-parameter record.
TEST(WindowPlacement, MaximisedWindowKeepsItsNormalPlacementInTheRecord) {
  auto main = MakeDescriptor("main", nullptr, {100, 100, 500, 500}, kFlagMaximised | kFlagSizingFrame);
  WindowDescriptor* all[] = {main.get()};
  ASSERT_TRUE(CreateWindows(all));
  EXPECT_EQ(main->state & (kStateMaximised | kStateMinimised), kStateMaximised);
  EXPECT_TRUE(main->created());
  // The device font is made from the twin of Courier, but the settings keep the face asked for.
  EXPECT_EQ(WindowParametersText(WindowParametersOf(*main)), "0 1 100 100 500 500 1\n0 12=Courier\n");
  // Maximised, the current placement is the whole window.
  EXPECT_EQ(main->current.width, main->window->width());
  DestroyAll({main.get()});
}

// Children are placed upwards from their parent's bottom; sizing updates the drawable rectangle
// before the handler hears of it.
TEST(WindowPlacement, ChildrenArePlacedUpwardsAndSizingUpdatesTheDrawableBeforeTheHandlerHears) {
  auto main = MakeDescriptor("main", nullptr, {100, 100, 500, 400}, kFlagSizingFrame);
  auto pane = MakeDescriptor("selection", main.get(), {0, 0, 100, 400});
  auto view = MakeDescriptor("view", main.get(), {100, 50, 400, 300});
  std::vector<draw::Rect> seen;
  main->handler = [&seen](WindowDescriptor& d, const WindowMessage& m) -> long {
    if (m.message == kMessageSize) seen.push_back(d.drawable);
    return DefaultWindowProcedure(d, m);
  };
  WindowDescriptor* all[] = {main.get(), pane.get(), view.get()};
  ASSERT_TRUE(CreateWindows(all));
  EXPECT_EQ(main->drawable, (draw::Rect{0, 0, 500, 400}));
  EXPECT_EQ(main->current, (Placement{100, 100, 500, 400}));
  EXPECT_EQ(pane->window->geometry(), QRect(0, 0, 100, 400));
  EXPECT_EQ(view->window->geometry(), QRect(100, 400 - 50 - 300, 400, 300));
  EXPECT_EQ(main->children, (std::vector<WindowDescriptor*>{view.get(), pane.get()}));

  MoveWindowTo(*view, 120, 0);
  EXPECT_EQ(view->window->geometry(), QRect(120, 100, 400, 300));
  EXPECT_EQ(view->current, (Placement{120, 0, 400, 300}));
  EXPECT_EQ(view->normal, view->current);
  PlaceWindow(*view, {100, 0, 400, 400});
  EXPECT_EQ(view->drawable, (draw::Rect{0, 0, 400, 400}));

  main->window->resize(300, 200);
  EXPECT_EQ(main->drawable, (draw::Rect{0, 0, 300, 200}));
  EXPECT_EQ(main->surface.bounds(), main->drawable);
  EXPECT_EQ(main->device->size(), QSize(300, 200));
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), (draw::Rect{0, 0, 300, 200}));
  // (The platform may nudge a top-level window's row by its frame; children show the rows exactly.)
  EXPECT_EQ(main->normal.x, 100);
  EXPECT_EQ(main->normal.width, 300);
  EXPECT_EQ(main->normal.height, 200);
  EXPECT_EQ(main->current, main->normal);
  DestroyAll({main.get()});
  EXPECT_TRUE(main->children.empty());
  EXPECT_EQ(view->window, nullptr);
}

TEST(WindowPlacement, ARecordReadBackSetsFlagsPlacementAndFonts) {
  auto view = MakeDescriptor("view", nullptr, {0, 0, 10, 10}, kFlagMaximised);
  WindowParameters read;
  read.minimised = true;
  read.x = 5;
  read.y = 6;
  read.width = 700;
  read.height = 300;
  read.fonts = {{true, 10, "Courier New"}};
  ApplyWindowParameters(*view, read);
  // A record that is not maximised does not take the flag back.
  EXPECT_EQ(view->flags, kFlagMaximised | kFlagMinimised);
  EXPECT_EQ(view->normal, (Placement{5, 6, 700, 300}));
  ASSERT_EQ(view->surface.fonts().size(), 1u);
  EXPECT_EQ(view->surface.fonts()[0].faceName, "Courier New");
  EXPECT_TRUE(view->surface.fonts()[0].bold);

  // Written back as read, even after the device has made its font.
  WindowDescriptor* all[] = {view.get()};
  view->flags = 0;
  ASSERT_TRUE(CreateWindows(all));
  EXPECT_EQ(WindowParametersOf(*view).fonts, read.fonts);
  DestroyAll({view.get()});

  // A window whose font cannot be made is not created.
  view->surface.SetFonts({draw::Font{}});  // no face name
  EXPECT_FALSE(CreateWindows(all));
  EXPECT_EQ(view->window, nullptr);
  DestroyAll({});
}

// Mouse, keys, accelerators and dropped files as the handlers receive them.
class WindowInput : public ::testing::Test {
 protected:
  void SetUp() override {
    main_ = MakeDescriptor("main", nullptr, {100, 100, 500, 400}, kFlagAccelerators | kFlagMenu);
    main_->handler = mainRecorder_.Handler();
    // Two overlapping children; the client of the first is 300 pixels high.
    first_ = MakeDescriptor("first", main_.get(), {0, 0, 200, 300}, kFlagAcceptFiles);
    first_->handler = firstRecorder_.Handler();
    second_ = MakeDescriptor("second", main_.get(), {150, 0, 200, 300});
    WindowDescriptor* all[] = {main_.get(), first_.get(), second_.get()};
    ASSERT_TRUE(CreateWindows(all));
    main_->window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main_->window));
  }
  void TearDown() override { DestroyAll({main_.get()}); }

  Recorder mainRecorder_, firstRecorder_;
  std::unique_ptr<WindowDescriptor> main_, first_, second_;
};

// Mouse rows reach the handler counted up from the bottom; a click focuses the window and brings it
// over its siblings (the second child, made last, covered the first where they overlap).
TEST_F(WindowInput, MouseRowsReachTheHandlerCountedUpFromTheBottomAndAClickRaisesTheWindow) {
  ASSERT_EQ(first_->drawable.top, 300);
  const QPoint overlap(175, 100);
  EXPECT_EQ(main_->client()->childAt(overlap)->parentWidget(), second_->window);
  QWidget* client = first_->client();
  QTest::mouseClick(client, Qt::LeftButton, {}, QPoint(10, 0));
  QTest::mouseClick(client, Qt::RightButton, Qt::ShiftModifier, QPoint(20, 299));
  QTest::mouseDClick(client, Qt::LeftButton, {}, QPoint(30, 150));

  const auto down = firstRecorder_.Of(kMessageLeftDown);
  ASSERT_FALSE(down.empty());
  EXPECT_EQ(down.front().x, 10);
  EXPECT_EQ(down.front().y, 300);
  const auto right = firstRecorder_.Of(kMessageRightDown);
  ASSERT_EQ(right.size(), 1u);
  EXPECT_EQ(right[0].y, 1);
  EXPECT_EQ(right[0].first, kMouseRight | kMouseShift);
  EXPECT_EQ(firstRecorder_.Of(kMessageRightUp).size(), 1u);
  const auto doubles = firstRecorder_.Of(kMessageLeftDoubleClick);
  ASSERT_EQ(doubles.size(), 1u);
  EXPECT_EQ(doubles[0].y, 150);
  EXPECT_EQ(QApplication::focusWidget(), client);
  EXPECT_EQ(main_->client()->childAt(overlap)->parentWidget(), first_->window);
}

TEST_F(WindowInput, MenuItemsAndPostedCommandsReachTheHandler) {
  ASSERT_NE(main_->window->menuBar(), nullptr);
  mainRecorder_.messages.clear();
  main_->window->menuBar()->RunCommand(kCommandGraphHistory);
  PostCommand(*main_, kCommandViewNew, 7);
  EXPECT_EQ(mainRecorder_.Of(kMessageCommand).size(), 1u);  // the posted one waits for the loop
  QCoreApplication::processEvents();
  const auto commands = mainRecorder_.Of(kMessageCommand);
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(commands[0].first, kCommandGraphHistory);
  EXPECT_EQ(commands[1].first, kCommandViewNew);
  EXPECT_EQ(commands[1].second, 7);
}

TEST_F(WindowInput, CursorsWaitThenArrowAndHiddenOverOneWindow) {
  ShowWaitCursor();
  ShowWaitCursor();  // once is enough to undo
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  ShowArrowCursor();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  HideCursor(*first_);
  EXPECT_NE(first_->state & kStateCursorHidden, 0);
  QMouseEvent move(QEvent::MouseMove, QPointF(20, 20), first_->client()->mapToGlobal(QPointF(20, 20)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(first_->client(), &move);
  EXPECT_EQ(first_->client()->cursor().shape(), Qt::BlankCursor);
  EXPECT_EQ(second_->client()->cursor().shape(), Qt::ArrowCursor);
  ASSERT_FALSE(firstRecorder_.Of(kMessageMouseMove).empty());
  EXPECT_EQ(firstRecorder_.Of(kMessageMouseMove).back().y, 280);
}

TEST_F(WindowInput, DroppedFilesGiveTheirPaths) {
  auto* data = new QMimeData;
  data->setUrls({QUrl::fromLocalFile("/tmp/radios/zenith 1.jpg"), QUrl::fromLocalFile("/tmp/radios/b.bmp"),
                 QUrl("https://example.com/not-a-file.jpg")});
  // A drop lands where the drag entered.
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(first_->client(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(first_->client(), &drop);
  delete data;

  ASSERT_EQ(firstRecorder_.drops.size(), 1u);
  EXPECT_EQ(firstRecorder_.drops[0],
            (std::vector<std::string>{"/tmp/radios/zenith 1.jpg", "/tmp/radios/b.bmp"}));
  // A window that does not take files lets them go by.
  EXPECT_TRUE(first_->client()->acceptDrops());
  EXPECT_FALSE(second_->client()->acceptDrops());

  DropHandle handle{{"a"}};
  EXPECT_EQ(DroppedFile(handle, 1), "");
  FinishDrop(handle);
  EXPECT_EQ(DroppedFileCount(handle), 0);
}

// Scroll bars: the setters' clamping and the steps of the bar's own messages.
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

// The message loop: quit, close and destroy, timers and posted messages.
TEST(MessageLoop, ClosingAWindowDestroysItAndEndsTheLoop) {
  auto main = MakeDescriptor("main", nullptr, {0, 0, 200, 100});
  auto child = MakeDescriptor("view", main.get(), {0, 0, 50, 50});
  Recorder mainRecorder, childRecorder;
  main->handler = mainRecorder.Handler();
  child->handler = childRecorder.Handler();
  WindowDescriptor* all[] = {main.get(), child.get()};
  ASSERT_TRUE(CreateWindows(all));
  DestroyAll({});  // takes back nothing but makes sure no quit is pending

  QTimer::singleShot(0, main->window, [&main] { main->window->close(); });
  EXPECT_EQ(RunMessageLoop(), 0);
  EXPECT_EQ(main->window, nullptr);
  EXPECT_FALSE(main->created());
  EXPECT_EQ(child->window, nullptr);
  ASSERT_FALSE(mainRecorder.messages.empty());
  EXPECT_EQ(mainRecorder.Of(kMessageClose).size(), 1u);
  EXPECT_EQ(mainRecorder.messages.back().message, kMessageDestroy);
  EXPECT_EQ(childRecorder.messages.back().message, kMessageDestroy);
  DestroyAll({});
}

TEST(MessageLoop, AQuitPostedBeforeTheLoopEndsItAtOnceAndMessagesToAWindowThatWentAreDropped) {
  PostQuitMessage();
  bool ran = false;
  QTimer::singleShot(0, [&ran] { ran = true; });
  EXPECT_EQ(RunMessageLoop(), 0);
  EXPECT_FALSE(ran);
  QCoreApplication::processEvents();

  // The quit was the loop's: a modal loop run afterwards (a message box) still waits for its answer.
  PostQuitMessage();
  RunMessageLoop();
  QEventLoop modal;
  bool answered = false;
  QTimer::singleShot(20, [&] {
    answered = true;
    modal.exit(1);
  });
  EXPECT_EQ(modal.exec(), 1);
  EXPECT_TRUE(answered);

  // A message posted to a window that went before the loop took it is dropped.
  auto main = MakeDescriptor("main", nullptr, {0, 0, 200, 100});
  Recorder recorder;
  main->handler = recorder.Handler();
  WindowDescriptor* all[] = {main.get()};
  ASSERT_TRUE(CreateWindows(all));
  PostCommand(*main, 109);
  DestroyAll({main.get()});
  QCoreApplication::processEvents();
  EXPECT_TRUE(recorder.Of(kMessageCommand).empty());
}

}  // namespace
}  // namespace korvel::ui

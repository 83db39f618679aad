// Mouse, keys, accelerators and dropped files as the handlers receive them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <QUrl>

#include "ui/frame/command_ids.h"
#include "ui/frame/program_menu.h"
#include "ui/windows/window_frame.h"
#include "ui/windows/window_widget.h"
#include "windows_support.h"

namespace korvel::ui {
namespace {

using test::DestroyAll;
using test::MakeDescriptor;
using test::Recorder;

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

}  // namespace
}  // namespace korvel::ui

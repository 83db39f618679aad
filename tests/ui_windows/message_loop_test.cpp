// The message loop: quit, close and destroy, timers and posted messages.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "ui/windows/window_frame.h"
#include "ui/windows/window_widget.h"
#include "windows_support.h"

namespace korvel::ui {
namespace {

using test::DestroyAll;
using test::MakeDescriptor;
using test::Recorder;

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

// The widgets under test need a QApplication; listing the tests (at build time) does not, and
// neither needs a display.

#include <gtest/gtest.h>

#include <QApplication>
#include <QtGlobal>

namespace {

QtMessageHandler qtHandler = nullptr;

// The offscreen platform says so for every window it cannot raise or size by hints.
void QuietOffscreenNotices(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith("This plugin does not support")) return;
  qtHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  qtHandler = qInstallMessageHandler(QuietOffscreenNotices);
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}

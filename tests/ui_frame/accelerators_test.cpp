#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>
#include <set>
#include <vector>

#include "ui/frame/accelerators.h"
#include "ui/frame/command_ids.h"
#include "ui/frame/menu_table.h"

namespace korvel {
namespace {

// A window that keeps the keys it receives, as the program's windows hand them to their handlers.
class KeyWindow : public QWidget {
 public:
  KeyWindow() { setFocusPolicy(Qt::StrongFocus); }
  std::vector<QKeyCombination> keys;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    // The test presses the modifier keys on their own first.
    const Qt::Key key = event->keyCombination().key();
    if (key != Qt::Key_Control && key != Qt::Key_Shift) keys.push_back(event->keyCombination());
  }
};

class Accelerators : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallAccelerators(&window_, [this](int id) { commands_.push_back(id); });
    window_.resize(200, 100);
    window_.show();
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    window_.setFocus();
  }

  KeyWindow window_;
  std::vector<int> commands_;
};

// Each key runs its one command and still reaches the window; keys without a command only reach it.
TEST_F(Accelerators, KeysRunTheirCommandsAndStillReachTheWindow) {
  struct Press {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int id;
  };
  const std::vector<Press> presses{
      {Qt::Key_P, Qt::ControlModifier, kCommandPrint},
      {Qt::Key_W, Qt::ControlModifier, kCommandPublishWeb},
      {Qt::Key_Q, Qt::ControlModifier, kCommandExit},
      {Qt::Key_C, Qt::ControlModifier, kCommandCopy},
      {Qt::Key_V, Qt::ControlModifier, kCommandGraphCostValue},
      {Qt::Key_O, Qt::ControlModifier, kCommandOpenCollection},
      {Qt::Key_S, Qt::ControlModifier, kCommandSave},
      {Qt::Key_N, Qt::ControlModifier, kCommandNewCollection},
      {Qt::Key_F, Qt::ControlModifier, kCommandChangeFont},
      {Qt::Key_Up, Qt::NoModifier, kCommandLineUp},
      {Qt::Key_Down, Qt::NoModifier, kCommandLineDown},
      {Qt::Key_Up, Qt::ControlModifier, kCommandPageUp},
      {Qt::Key_Down, Qt::ControlModifier, kCommandPageDown},
      {Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier, kCommandJumpToLetterFirst},
      {Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier, kCommandJumpToLetterFirst + 12},
      {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, kCommandJumpToLetterFirst + 25},
  };
  std::vector<int> expected;
  for (const Press& press : presses) {
    QTest::keyClick(&window_, press.key, press.modifiers);
    expected.push_back(press.id);
  }
  EXPECT_EQ(commands_, expected);
  ASSERT_EQ(window_.keys.size(), presses.size());
  for (std::size_t i = 0; i < presses.size(); ++i) {
    EXPECT_EQ(window_.keys[i], QKeyCombination(presses[i].modifiers, presses[i].key)) << i;
  }

  // Keys without a command only reach the window.
  commands_.clear();
  window_.keys.clear();
  QTest::keyClick(&window_, Qt::Key_J, Qt::ControlModifier);
  QTest::keyClick(&window_, Qt::Key_E, Qt::ControlModifier);
  EXPECT_TRUE(commands_.empty());
  EXPECT_EQ(window_.keys.size(), 2u);

  // Each key has one command (an open dialog keeps its keys: program_test's
  // KeysInAnOpenDialogNeverReachTheMainWindow).
  std::set<QKeySequence> keys;
  for (const Accelerator& accelerator : ProgramAccelerators()) {
    const QKeySequence sequence(QString::fromUtf8(accelerator.keys));
    EXPECT_FALSE(sequence.isEmpty()) << accelerator.keys;
    EXPECT_TRUE(keys.insert(sequence).second) << accelerator.keys << " bound twice";
  }
  EXPECT_EQ(AcceleratorCommand(QKeySequence("Ctrl+Shift+Q")), kCommandJumpToLetterFirst + 16);
  EXPECT_EQ(AcceleratorKeys(kCommandGraphSalesProfit), nullptr);
  EXPECT_EQ(AcceleratorKeys(kCommandList), nullptr);
}

}  // namespace
}  // namespace korvel

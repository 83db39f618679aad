#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <atomic>
#include <deque>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ui/frame/message_box.h"
#include "util/message.h"

namespace korvel {
namespace {

using Answers = std::vector<int>;

class MessageBoxes : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetMessages();
    owner_ = std::make_unique<QWidget>();
    owner_->setWindowTitle("Korvel");
    owner_->show();
    InstallMessageBoxes(owner_.get());
  }
  void TearDown() override { ResetMessages(); }

  std::unique_ptr<QWidget> owner_;
};

TEST_F(MessageBoxes, EachSeverityHasItsCaptionAndIconAndAQuestionIsModalOverItsOwner) {
  const struct {
    int severity;
    const char* caption;
    QMessageBox::Icon icon;
  } cases[] = {{kWarning, "Warning", QMessageBox::Warning},
               {kError, "Error", QMessageBox::Critical},
               {kNote, "Note", QMessageBox::Information},
               {3, "", QMessageBox::NoIcon},
               {-1, "", QMessageBox::NoIcon}};
  for (const auto& k : cases) {
    MessageBoxScript script({kAnswerNo});
    EXPECT_EQ(ShowMessage(k.severity, kButtonsYesNo, "Delete %d radios?", 3), kAnswerNo);
    ASSERT_EQ(script.boxes().size(), 1u);
    const ShownMessageBox& box = script.boxes()[0];
    EXPECT_EQ(box.caption, k.caption) << "severity " << k.severity;
    EXPECT_EQ(box.icon, k.icon) << "severity " << k.severity;
    EXPECT_EQ(box.defaultButton, kAnswerYes);
    EXPECT_EQ(box.text, "Delete 3 radios?");
    EXPECT_EQ(box.parent, owner_.get());
    EXPECT_TRUE(box.modal);
  }
}

// Every button of every code gives its answer. Escape gives the only button's answer, Cancel where there
// is one, and otherwise nothing: a dismissed question must not be taken for No or Abort.
TEST_F(MessageBoxes, EveryButtonOfEveryCodeGivesItsAnswerAndEscapeOnlyASafeOne) {
  const struct {
    Answers buttons;
    int escape;
  } codes[] = {
      {{kAnswerOk}, kAnswerOk},                                     // 0
      {{kAnswerOk, kAnswerCancel}, kAnswerCancel},                  // 1
      {{kAnswerCancel, kAnswerRetry}, kAnswerCancel},               // 2
      {{kAnswerAbort, kAnswerRetry, kAnswerIgnore}, kAnswerOther},  // 3
      {{kAnswerYes, kAnswerNo}, kAnswerOther},                      // 4
      {{kAnswerCancel, kAnswerYes, kAnswerNo}, kAnswerCancel},      // 5
      {{kAnswerOk, kAnswerCancel}, kAnswerCancel},                  // 6
      {{kAnswerOk}, kAnswerOk},                                     // 7
      {{kAnswerOk, kAnswerCancel}, kAnswerCancel},                  // 8
  };
  for (int code = 0; code < static_cast<int>(std::size(codes)); ++code) {
    std::deque<int> answers(codes[code].buttons.begin(), codes[code].buttons.end());
    answers.push_back(kAnswerOther);  // no button has it: the script presses Escape
    MessageBoxScript script(answers);
    for (int answer : codes[code].buttons) EXPECT_EQ(ShowMessage(kNote, code, "Code %d", code), answer);
    EXPECT_EQ(ShowMessage(kNote, code, "Code %d", code), codes[code].escape) << "Escape on code " << code;
    ASSERT_EQ(script.boxes().size(), answers.size());
    for (const ShownMessageBox& box : script.boxes()) EXPECT_EQ(box.buttons, codes[code].buttons) << code;
  }
}

// Text is shown as it stands: no markup, however long, old collections' bytes as their letters. A box
// opened under the wait cursor shows the arrow, and the wait cursor is back after it.
TEST_F(MessageBoxes, TextIsShownAsItStandsAndUnderTheArrow) {
  MessageBoxScript script;
  const std::string markup = "<b>Zenith</b> 100% & %s %d\n\tsecond line";
  std::string longText;
  for (int i = 0; i < 90; ++i) longText += "Philco 90 ";
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  ShowMessage(kWarning, kButtonsOk, "%s", markup.c_str());
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  QGuiApplication::restoreOverrideCursor();
  ShowMessage(kNote, kButtonsOk, "%s", longText.c_str());
  ShowMessage(kNote, kButtonsOk, "Caf\xe9 Radio");  // Windows-1252, as old collections store it

  ASSERT_EQ(script.boxes().size(), 3u);
  EXPECT_EQ(script.boxes()[0].text, QString::fromStdString(markup));
  EXPECT_EQ(script.boxes()[0].format, Qt::PlainText);
  EXPECT_EQ(script.boxes()[0].overrideCursor, Qt::ArrowCursor);
  EXPECT_EQ(script.boxes()[1].text.size(), 900);
  EXPECT_EQ(script.boxes()[1].overrideCursor, -1);
  EXPECT_EQ(script.boxes()[2].text, QString::fromUtf8("Caf\u00e9 Radio"));
}

TEST_F(MessageBoxes, AnotherThreadsQuestionIsAskedOnTheGuiThreadAndBoxesOutliveTheirOwner) {
  MessageBoxScript script({kAnswerNo, kAnswerRetry});
  std::atomic<int> answer{-1};
  std::thread worker(
      [&] { answer = ShowMessage(kWarning, kButtonsYesNo, "Picture %s is damaged. Skip it?", "p1.jpg"); });
  EXPECT_TRUE(QTest::qWaitFor([&] { return answer != -1; }, 5000));
  worker.join();
  EXPECT_EQ(answer, kAnswerNo);
  ASSERT_EQ(script.boxes().size(), 1u);
  EXPECT_EQ(script.boxes()[0].parent, owner_.get());

  owner_.reset();
  EXPECT_EQ(ShowMessage(kError, kButtonsRetryCancel, "Printer busy."), kAnswerRetry);
  ASSERT_EQ(script.boxes().size(), 2u);
  EXPECT_EQ(script.boxes()[1].parent, nullptr);
}

}  // namespace
}  // namespace korvel

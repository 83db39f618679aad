#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <atomic>
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

TEST_F(MessageBoxes, EveryButtonOfEveryCodeGivesItsAnswer) {
  const std::vector<Answers> buttonsOfCode{
      {kAnswerOk},                                  // 0
      {kAnswerOk, kAnswerCancel},                   // 1
      {kAnswerCancel, kAnswerRetry},                // 2
      {kAnswerAbort, kAnswerRetry, kAnswerIgnore},  // 3
      {kAnswerYes, kAnswerNo},                      // 4
      {kAnswerCancel, kAnswerYes, kAnswerNo},       // 5
      {kAnswerOk, kAnswerCancel},                   // 6
      {kAnswerOk},                                  // 7
      {kAnswerOk, kAnswerCancel},                   // 8
  };
  for (int code = 0; code < static_cast<int>(buttonsOfCode.size()); ++code) {
    for (int answer : buttonsOfCode[code]) {
      MessageBoxScript script({answer});
      EXPECT_EQ(ShowMessage(kNote, code, "Code %d", code), answer) << "code " << code;
      ASSERT_EQ(script.boxes().size(), 1u);
      EXPECT_EQ(script.boxes()[0].buttons, buttonsOfCode[code]) << "code " << code;
    }
  }
}

TEST_F(MessageBoxes, EscapeCancelsWhereThereIsCancelAndOtherwiseAnswersNothing) {
  // kAnswerOther has no button: the script presses Escape.
  MessageBoxScript script({kAnswerOther, kAnswerOther, kAnswerOther, kAnswerOther, kAnswerOther});
  EXPECT_EQ(ShowMessage(kError, kButtonsOk, "Failed."), kAnswerOk);
  EXPECT_EQ(ShowMessage(kNote, kButtonsOkCancel, "Go on?"), kAnswerCancel);
  EXPECT_EQ(ShowMessage(kNote, kButtonsYesNoCancel, "Save?"), kAnswerCancel);
  // Escape is not "No": a dismissed question must not be taken as an answer.
  EXPECT_EQ(ShowMessage(kWarning, kButtonsYesNo, "Discard the changes?"), kAnswerOther);
  EXPECT_EQ(ShowMessage(kError, kButtonsAbortRetryIgnore, "Disk error."), kAnswerOther);
}

TEST_F(MessageBoxes, TextIsShownAsItStands) {
  MessageBoxScript script;
  const std::string markup = "<b>Zenith</b> 100% & %s %d\n\tsecond line";
  std::string longText;
  for (int i = 0; i < 90; ++i) longText += "Philco 90 ";
  ShowMessage(kNote, kButtonsOk, "%s", markup.c_str());
  ShowMessage(kNote, kButtonsOk, "%s", longText.c_str());
  ShowMessage(kNote, kButtonsOk, "Caf\xe9 Radio");  // Windows-1252, as old collections store it

  ASSERT_EQ(script.boxes().size(), 3u);
  EXPECT_EQ(script.boxes()[0].text, QString::fromStdString(markup));
  EXPECT_EQ(script.boxes()[0].format, Qt::PlainText);
  EXPECT_EQ(script.boxes()[1].text.size(), 900);
  EXPECT_EQ(script.boxes()[2].text, QString::fromUtf8("Caf\u00e9 Radio"));
}

TEST_F(MessageBoxes, BoxesOutliveTheirOwner) {
  owner_.reset();
  MessageBoxScript script({kAnswerRetry});
  EXPECT_EQ(ShowMessage(kError, kButtonsRetryCancel, "Printer busy."), kAnswerRetry);
  ASSERT_EQ(script.boxes().size(), 1u);
  EXPECT_EQ(script.boxes()[0].parent, nullptr);
}

TEST_F(MessageBoxes, TheWaitCursorGivesWayWhileABoxIsOpen) {
  MessageBoxScript script;
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  ShowMessage(kWarning, kButtonsOk, "Picture missing.");
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  QGuiApplication::restoreOverrideCursor();
  ASSERT_EQ(script.boxes().size(), 1u);
  EXPECT_EQ(script.boxes()[0].overrideCursor, Qt::ArrowCursor);

  ShowMessage(kNote, kButtonsOk, "Done.");
  EXPECT_EQ(script.boxes()[1].overrideCursor, -1);
}

TEST_F(MessageBoxes, AnotherThreadsQuestionIsAskedOnTheGuiThread) {
  MessageBoxScript script({kAnswerNo});
  std::atomic<int> answer{-1};
  std::thread worker(
      [&] { answer = ShowMessage(kWarning, kButtonsYesNo, "Picture %s is damaged. Skip it?", "p1.jpg"); });
  EXPECT_TRUE(QTest::qWaitFor([&] { return answer != -1; }, 5000));
  worker.join();
  EXPECT_EQ(answer, kAnswerNo);
  ASSERT_EQ(script.boxes().size(), 1u);
  EXPECT_EQ(script.boxes()[0].parent, owner_.get());
}

}  // namespace
}  // namespace korvel

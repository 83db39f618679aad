#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "util/message.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

using Texts = std::vector<std::string>;

// Every test starts and ends without an owner, presenter or queue.
class Messages : public ::testing::Test {
 protected:
  void SetUp() override { ResetMessages(); }
  void TearDown() override { ResetMessages(); }
};

TEST_F(Messages, EarlyMessagesWaitInOrderAndAreShownWhenTheOwnerArrives) {
  // Before the main window exists even a question answers OK.
  EXPECT_EQ(ShowMessage(kWarning, kButtonsOk, "Settings file %s not found.", "korvel.ini"), kAnswerOk);
  EXPECT_EQ(ShowMessage(kWarning, kButtonsYesNo, "Start a new collection?"), kAnswerOk);
  EXPECT_EQ(ShowMessage(kError, kButtonsOk, "Line %d is damaged.", 12), kAnswerOk);
  EXPECT_EQ(DeferredMessages().size(), 3u);

  MessageRecorder recorder;
  EXPECT_EQ(recorder.Texts(),
            (Texts{"Settings file korvel.ini not found.", "Start a new collection?", "Line 12 is damaged."}));
  EXPECT_EQ(recorder.messages()[1].buttons, kButtonsYesNo);
  EXPECT_EQ(recorder.messages()[2].severity, kError);
  EXPECT_TRUE(DeferredMessages().empty());

  // From now on messages go straight to the user.
  EXPECT_EQ(ShowMessage(kNote, kButtonsOk, "Saved."), kAnswerOk);
  EXPECT_EQ(recorder.Texts().back(), "Saved.");
}

TEST_F(Messages, TheAnswerIsTheButtonPressed) {
  MessageRecorder recorder({kAnswerYes, kAnswerNo, kAnswerCancel});
  EXPECT_EQ(ShowMessage(kWarning, kButtonsYesNo, "Delete %s?", "H500"), kAnswerYes);
  EXPECT_EQ(ShowMessage(kWarning, kButtonsYesNo, "Delete %s?", "H500"), kAnswerNo);
  EXPECT_EQ(ShowMessage(kWarning, kButtonsYesNoCancel, "Save changes?"), kAnswerCancel);
  // With the script used up, the first button of each box.
  EXPECT_EQ(ShowMessage(kError, kButtonsOk, "Cannot open."), kAnswerOk);
  EXPECT_EQ(ShowMessage(kWarning, kButtonsYesNo, "Again?"), kAnswerYes);
  EXPECT_EQ(ShowMessage(kError, kButtonsRetryCancel, "Printer busy."), kAnswerRetry);
  EXPECT_EQ(ShowMessage(kError, kButtonsAbortRetryIgnore, "Disk error."), kAnswerAbort);
  EXPECT_EQ(ShowMessage(kNote, kButtonsOkCancel, "Continue?"), kAnswerOk);
  EXPECT_STREQ(MessageCaption(kWarning), "Warning");
  EXPECT_STREQ(MessageCaption(3), "");
}

TEST_F(Messages, TextIsFormattedOnceShownWholeAndPercentSignsLaterShowAsTheyAre) {
  const std::string longText(1500, 'w');
  ShowMessage(kError, kButtonsOk, "%s", "Model 100% restored, %d tubes, %s");
  ShowMessage(kNote, kButtonsOk, "Progress %d%%", 50);
  ShowMessage(kError, kButtonsOk, "%s", longText.c_str());
  const char* none = nullptr;
  EXPECT_EQ(ShowMessage(kWarning, kButtonsYesNo, none), kAnswerOk);  // nothing to show at all
  MessageRecorder recorder;
  ShowMessage(kNote, kButtonsOk, "%s", "%n%s%s");
  EXPECT_EQ(recorder.Texts(),
            (Texts{"Model 100% restored, %d tubes, %s", "Progress 50%", longText, "%n%s%s"}));
}

TEST_F(Messages, APresenterMayReportAgainWhileItShowsAMessage) {
  Texts shown;
  SetMessagePresenter([&](const Message& message) {
    shown.push_back(message.text);
    if (message.text == "outer") ShowMessage(kError, kButtonsOk, "inner");
    return kAnswerRetry;
  });
  ShowMessage(kNote, kButtonsOk, "queued");
  SetMessageOwner(&shown);
  EXPECT_EQ(MessageOwner(), &shown);
  EXPECT_EQ(ShowMessage(kError, kButtonsRetryCancel, "outer"), kAnswerRetry);
  EXPECT_EQ(shown, (Texts{"queued", "outer", "inner"}));
}

}  // namespace
}  // namespace korvel

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

// Early messages, captions and every button's answer are checked on the real boxes in ui_frame.
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

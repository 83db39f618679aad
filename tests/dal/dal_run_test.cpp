#include <cstdint>
#include <string>
#include <vector>

#include "dal_fixture.h"

namespace korvel::test {
namespace {

TEST_F(DalTest, AControlBoundTwiceRefusesEveryRunAndNamesTheIdAndTemplate) {
  std::int32_t value = 0;
  std::int32_t page = 0;
  DalDialog dialog{.templateId = 70,
                   .fields = {Field(kDalEdit, 109, &value, DAL_INT), Field(kDalEdit, 111, &page, DAL_INT),
                              Field(kDalCheck, 109, &page)}};
  EXPECT_EQ(DalRunDialog(dialog, nullptr), -1);
  // A half-built index must not pass for a built one the second time.
  EXPECT_EQ(DalRunDialog(dialog, nullptr), -1);
  const std::string refusal = "Field 109 used more than once in dialog 70.";
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{refusal, refusal}));
  EXPECT_EQ(messages.messages()[0].severity, kError);
  EXPECT_EQ(messages.messages()[0].buttons, kButtonsOk);
  EXPECT_TRUE(host.made().empty());
}

TEST_F(DalTest, FieldsAreFoundByIdAcrossGapsButNotOutsideTheTable) {
  std::int32_t a = 0;
  DalDialog dialog{.templateId = 1,
                   .fields = {Field(kDalEdit, 300, &a, DAL_INT), Field(kDalNoControl, 0),
                              Field(kDalEdit, 100, &a), Field(kDalNoControl, 0), Field(kDalCheck, 200, &a),
                              Field(kDalEnd, 0), Field(kDalEdit, 100, &a)}};
  ASSERT_TRUE(
      DalInitFieldInfo(dialog));  // the two callback-only fields and the entry after the end do not clash
  EXPECT_EQ(DalFindField(300, dialog), &dialog.fields[0]);
  EXPECT_EQ(DalFindField(100, dialog), &dialog.fields[2]);
  EXPECT_EQ(DalFindField(200, dialog), &dialog.fields[4]);
  for (int absent : {0, 150, 99, 301, -1}) EXPECT_EQ(DalFindField(absent, dialog), nullptr) << absent;
  EXPECT_EQ(dialog.fields[1].dialog, &dialog);
  EXPECT_EQ(dialog.fields[6].dialog, nullptr);
}

TEST_F(DalTest, ADescriptorCopiedAfterIndexingIsIndexedAgain) {
  std::int32_t year = 1950;
  std::string seen;
  DalDialog original{.templateId = 10, .fields = {Field(kDalEdit, 1004, &year, DAL_INT)}};
  original.fields[0].change = [&](DalFieldInfo& field) { seen = DalFieldControl(field)->Text(); };
  ASSERT_TRUE(DalInitFieldInfo(original));
  std::vector<DalDialog> pages{original};
  EXPECT_EQ(Run(pages[0], DalScript().Type(1004, "1937").Ok()), 1);
  EXPECT_EQ(seen, "1937");
  EXPECT_EQ(year, 1937);
  EXPECT_EQ(DalFindField(1004, pages[0]), &pages[0].fields[0]);
}

TEST_F(DalTest, OkReadsTheDialogBackAndCancelLeavesEverythingAlone) {
  std::int32_t year = 1950;
  DalDialog dialog{.templateId = 10, .fields = {Field(kDalEdit, 1004, &year, DAL_INT)}};
  EXPECT_EQ(Run(dialog, DalScript().Type(1004, "1937").Cancel()), 0);
  EXPECT_EQ(year, 1950);
  EXPECT_EQ(
      Run(dialog, DalScript()
                      .Do([](DalDialog& open) { EXPECT_EQ(DalFindControl(open, 1004)->Text(), "1950"); })
                      .Type(1004, "1937")
                      .Ok()),
      1);
  EXPECT_EQ(year, 1937);
  EXPECT_EQ(dialog.window, nullptr);
}

// OK with a number that is not one keeps the dialog open for it to be mended; a field switched off
// is not read at all, so a malformed date left in it says nothing.
TEST_F(DalTest, OkStaysOpenOnARefusedNumberAndSkipsDisabledFields) {
  std::int32_t year = 1950;
  std::string date = "01Jan1990";
  DalDialog dialog{.templateId = 10,
                   .fields = {Field(kDalEdit, 1004, &year, DAL_INT), Field(kDalEdit, 1005, &date, DAL_DATE)}};
  bool stillOpen = false;
  EXPECT_EQ(Run(dialog, DalScript()
                            .Type(1005, "31Foo99")
                            .Do([](DalDialog& open) { DalEnableField(*DalFindField(1005, open), false); })
                            .Type(1004, "19x5")
                            .Ok()
                            .Do([&](DalDialog& open) { stillOpen = (open.mode & kDalRunning) != 0; })
                            .Type(1004, "1935")
                            .Ok()),
            1);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(year, 1935);
  EXPECT_EQ(date, "01Jan1990");
  // The date warned once, when it was typed; never again once its field was switched off.
  EXPECT_EQ(messages.Texts(),
            (std::vector<std::string>{kDateWarning,
                                      "'19x5' is not a whole number (between -2147483648 and 2147483647)."}));
}

TEST_F(DalTest, ModelessRunsSayHowTheyEnded) {
  std::int32_t count = 0;
  DalDialog dialog{.templateId = 20, .fields = {Field(kDalEdit, 10, &count, DAL_INT)}, .mode = kDalModeless};
  auto press = [](int button) {
    return [button](FakeWindow& window) {
      window.At(10).SetText("3");
      DalNotify(window.dialog(), button, DalEvent::kClicked);
      EXPECT_TRUE(window.ended());
    };
  };
  host.user = press(kDalIdCancel);
  EXPECT_EQ(DalRunDialog(dialog, nullptr), 0);
  EXPECT_FALSE(host.lastRunModal());
  EXPECT_EQ(dialog.mode, kDalModeless | kDalEndedCancel);
  EXPECT_EQ(count, 0);

  host.user = press(kDalIdOk);
  EXPECT_EQ(DalRunDialog(dialog, nullptr), 1);
  EXPECT_EQ(dialog.mode, kDalModeless | kDalEndedOk);
  EXPECT_EQ(count, 3);

  host.user = nullptr;  // the program quits while the dialog is open
  EXPECT_EQ(DalRunDialog(dialog, nullptr), -1);
  EXPECT_EQ(dialog.mode, kDalModeless);
}

TEST_F(DalTest, DialogsThatCannotOpenAreNotRun) {
  std::int32_t runs = 0;
  DalDialog dialog{.templateId = 50, .fields = {Field(kDalButton, 118)}};
  dialog.fields[0].change = [&](DalFieldInfo& field) {
    ++runs;
    EXPECT_EQ(DalRunDialog(*field.dialog, nullptr), -1);  // already open
  };
  EXPECT_EQ(Run(dialog, DalScript().Press(118).Ok()), 1);
  EXPECT_EQ(runs, 1);

  host.RefuseTemplate(50);
  EXPECT_EQ(DalRunDialog(dialog, nullptr), -1);
  DalSetHost(nullptr);
  EXPECT_EQ(DalRunDialog(dialog, nullptr), -1);
  DalSetHost(&host);
}

TEST_F(DalTest, ADialogRunFromACallbackTakesTheNextScript) {
  std::string entry;
  DalDialog insert{.templateId = 60, .fields = {Field(kDalEdit, 101, &entry, DAL_STRING | DAL_CAPITALIZE)}};
  int inserted = -2;
  DalDialog outer{.templateId = 61, .fields = {Field(kDalButton, 1070)}};
  outer.fields[0].change = [&](DalFieldInfo&) { inserted = DalRunDialog(insert, nullptr); };

  DalQueueScript(DalScript().Press(1070).Ok());
  DalQueueScript(DalScript().Type(101, "walnut burl").Ok());
  EXPECT_EQ(DalRunDialog(outer, nullptr), 1);
  EXPECT_EQ(inserted, 1);
  EXPECT_EQ(entry, "Walnut Burl");
  EXPECT_EQ(DalPendingScripts(), 0u);
}

TEST_F(DalTest, ScriptMistakesAreReportedAndTheDialogIsCancelled) {
  std::int32_t kept = 5;
  std::int32_t typed = 0;
  host.DefineTemplate(5, {10});
  DalDialog dialog{.templateId = 5,
                   .fields = {Field(kDalEdit, 11, &kept, DAL_INT), Field(kDalEdit, 10, &typed, DAL_INT)}};
  EXPECT_EQ(Run(dialog, DalScript().Type(11, "7").Choose(10, 3).Type(10, "8")), 0);
  EXPECT_EQ(DalTakeScriptErrors(),
            (std::vector<std::string>{"dialog 5 has no control 11", "control 10 has no item 3",
                                      "the script left dialog 5 open"}));
  EXPECT_EQ(typed, 0);

  // A field whose control the template lacks fails alone; the others are read.
  EXPECT_EQ(Run(dialog, DalScript().Type(10, "8").Ok()), 1);
  EXPECT_EQ(typed, 8);
  EXPECT_EQ(kept, 5);
}

TEST_F(DalTest, CallbackOnlyAndSkippedFieldsFollowTheirFlags) {
  int fills = 0;
  int reads = 0;
  std::int32_t notFilled = 4;
  std::int32_t notRead = 5;
  DalDialog dialog{.templateId = 8,
                   .fields = {Field(kDalNoControl, 0), Field(kDalEdit, 10, &notFilled, DAL_INT | DAL_NO_FILL),
                              Field(kDalEdit, 11, &notRead, DAL_INT | DAL_NO_READ)}};
  dialog.fields[0].fill = [&](DalFieldInfo&) { return ++fills > 0; };
  dialog.fields[0].read = [&](DalFieldInfo&) { ++reads; };
  EXPECT_EQ(Run(dialog, DalScript()
                            .Do([](DalDialog& open) {
                              EXPECT_EQ(DalFindControl(open, 10)->Text(), "");
                              EXPECT_EQ(DalFindControl(open, 11)->Text(), "5");
                            })
                            .Type(10, "7")
                            .Type(11, "8")
                            .Ok()),
            1);
  EXPECT_EQ(notFilled, 7);
  EXPECT_EQ(notRead, 5);
  EXPECT_EQ(fills, 1);
  EXPECT_EQ(reads, 1);
}

}  // namespace
}  // namespace korvel::test

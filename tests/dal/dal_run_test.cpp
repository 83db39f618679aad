// Runs of dialogs and notebooks: indexing, scripts, OK and Cancel, and when change callbacks come.
#include <any>
#include <array>
#include <clocale>
#include <cstdint>
#include <map>
#include <set>
#include <span>
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

TEST_F(DalTest, FillingNeverCallsChangeCallbacksButTheUsersFirstChangeDoes) {
  host.EchoChanges(true);  // controls report the program's changes too
  const std::vector<std::string> items{"Unknown", "Zenith"};
  std::int32_t brand = 1;
  std::int32_t ticked = 1;
  std::int32_t listed = 1;
  std::string model = "Zephyr";
  std::map<int, int> calls;
  DalDialog dialog{
      .templateId = 10,
      .fields = {Listed(kDalCombo, 1001, &brand, &items), Field(kDalCheck, 1014, &ticked),
                 Field(kDalEdit, 1002, &model, DAL_STRING), Listed(kDalList, 1030, &listed, &items)}};
  for (DalFieldInfo& field : dialog.fields) field.change = [&](DalFieldInfo& f) { ++calls[f.controlId]; };
  auto userTypes = [&](const char* text) {
    return DalScript()
        .Do([&calls, text](DalDialog& open) {
          EXPECT_TRUE(calls.empty());
          DalFindControl(open, 1002)->SetText(text);  // reported by the echo
          EXPECT_EQ(calls, (std::map<int, int>{{1002, 1}}));
        })
        .Ok();
  };
  EXPECT_EQ(Run(dialog, userTypes("Zephyr 2")), 1);
  EXPECT_EQ(model, "Zephyr 2");
  // The second run starts with notifications on from the first.
  calls.clear();
  EXPECT_EQ(Run(dialog, userTypes("Zephyr 3")), 1);
  EXPECT_EQ(model, "Zephyr 3");
}

TEST_F(DalTest, ACallbackThatSetsAnotherFieldCanSilenceIt) {
  host.EchoChanges(true);
  const std::vector<std::string> brands{"Unknown", "Philco", "Zenith"};
  const std::vector<std::string> makers{"Unknown", "Philco Radio & Television", "Zenith Radio Corporation"};
  std::int32_t brand = 0;
  std::int32_t manufacturer = 0;
  int manufacturerCalls = 0;
  std::vector<bool> previous;
  DalDialog dialog{
      .templateId = 10,
      .fields = {Listed(kDalCombo, 1001, &brand, &brands), Listed(kDalCombo, 1005, &manufacturer, &makers)}};
  dialog.fields[0].change = [&](DalFieldInfo& field) {
    DalReadField(field);
    DalFieldInfo& maker = *DalFindField(1005, *field.dialog);
    previous.push_back(DalSetFieldNotify(maker, false));
    manufacturer = brand;  // the brand's default manufacturer
    DalSetField(maker);
    previous.push_back(DalSetFieldNotify(maker, true));
  };
  dialog.fields[1].change = [&](DalFieldInfo&) { ++manufacturerCalls; };
  EXPECT_EQ(Run(dialog, DalScript()
                            .Do([&](DalDialog& open) {
                              DalFindControl(open, 1001)->SetCurrentItem(2);
                              EXPECT_EQ(manufacturerCalls, 0);
                              EXPECT_EQ(DalFindControl(open, 1005)->Text(), "Zenith Radio Corporation");
                              DalFindControl(open, 1005)->SetCurrentItem(1);
                            })
                            .Ok()),
            1);
  EXPECT_EQ(manufacturerCalls, 1);
  EXPECT_EQ(previous, (std::vector<bool>{true, false}));
  EXPECT_EQ(manufacturer, 1);
}

TEST_F(DalTest, EachKindTakesOnlyItsOwnEventsAsChanges) {
  using E = DalEvent;
  const std::vector<DalEvent> all{E::kClicked,          E::kTextChanged, E::kItemChosen,
                                  E::kSelectionChanged, E::kActivated,   E::kScrolled};
  struct Case {
    DalKind kind;
    std::uint32_t flags;
    std::set<DalEvent> changes;
  };
  const std::vector<Case> cases{
      {kDalCombo, 0, {E::kTextChanged, E::kItemChosen}},
      {kDalCheck, 0, {E::kClicked}},
      {kDalEdit, DAL_STRING, {E::kTextChanged}},
      {kDalList, 0, {E::kSelectionChanged, E::kActivated}},
      {kDalList, DAL_SCROLL_NOTIFY, {E::kSelectionChanged, E::kActivated, E::kScrolled}},
      {kDalMultiPart, 0, {}},
      {kDalButton, 0, {E::kClicked}},
      {kDalPlainList, DAL_SCROLL_NOTIFY, {}},
  };
  DalDialog dialog{.templateId = 90};
  for (std::size_t i = 0; i < cases.size(); ++i) {
    dialog.fields.push_back(Field(cases[i].kind, 100 + static_cast<int>(i), {}, cases[i].flags));
  }
  std::map<int, std::set<DalEvent>> seen;
  DalEvent current = E::kClicked;
  for (DalFieldInfo& field : dialog.fields)
    field.change = [&](DalFieldInfo& f) { seen[f.controlId].insert(current); };
  EXPECT_EQ(Run(dialog, DalScript()
                            .Do([&](DalDialog& open) {
                              for (const DalFieldInfo& field : open.fields) {
                                for (DalEvent event : all) {
                                  current = event;
                                  DalNotify(open, field.controlId, event);
                                }
                              }
                            })
                            .Ok()),
            1);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const int id = 100 + static_cast<int>(i);
    EXPECT_EQ(seen[id], cases[i].changes) << "kind " << cases[i].kind << " flags " << cases[i].flags;
    // Only fields that ask for it have their scrolling watched (again on every fill).
    EXPECT_EQ(host.Closed(90, id).watchCalls(), cases[i].flags & DAL_SCROLL_NOTIFY ? 1 : 0);
  }
}

TEST_F(DalTest, ScrollingAWatchedListRunsItsCallbackAfterTheListHasMoved) {
  std::vector<int> seenTop;
  DalDialog dialog{.templateId = 50, .fields = {Field(kDalList, 112, {}, DAL_PICTURES | DAL_SCROLL_NOTIFY)}};
  dialog.fields[0].change = [&](DalFieldInfo& field) {
    seenTop.push_back(DalFieldControl(field)->TopItem());
  };
  EXPECT_EQ(Run(dialog, DalScript().Scroll(112, 7).Ok()), 1);
  EXPECT_EQ(seenTop, std::vector<int>{7});
}

// Three pages of the radio notebook. Texts are capitalised on read, so a page that is read back
// shows it in its variables even when the user changed nothing.
class NotebookTest : public DalTest {
 protected:
  NotebookTest() {
    notebook.caption = "Add/Modify Radio";
    notebook.pages = {
        {"Description",
         {.templateId = 10,
          .fields = {Field(kDalEdit, 1002, &model, DAL_STRING | DAL_CAPITALIZE),
                     Field(kDalEdit, 1005, &year, DAL_INT)}}},
        {"Cabinet",
         {.templateId = 11,
          .fields = {Field(kDalEdit, 1007, &colour, DAL_STRING | DAL_CAPITALIZE),
                     Field(kDalEdit, 1005, &style, DAL_STRING | DAL_CAPITALIZE)}}},
        {"Status", {.templateId = 31, .fields = {Field(kDalEdit, 1089, &value, DAL_INT)}}},
    };
    notebook.pages[1].dialog.fields[0].fill = [this](DalFieldInfo& field) {
      ++cabinetFills;
      return DalSetField(field);
    };
  }

  int Run(DalScript script) {
    DalQueueScript(std::move(script));
    return DalRunNotebook(notebook, nullptr);
  }

  std::string model = "philco 90";
  std::int32_t year = 1931;
  std::string colour = "walnut";
  std::string style = "cathedral";
  std::int32_t value = 10;
  int cabinetFills = 0;
  DalNotebook notebook;
};

TEST_F(NotebookTest, APageIsFilledOnceWhenFirstShownInEachRun) {
  EXPECT_EQ(Run(DalScript()
                    .Page(1)
                    .Type(1007, "red")
                    .Type(1005, "tombstone")
                    .Page(0)
                    .Type(1005, "1932")
                    .Page(1)
                    .Do([](DalDialog& page) { EXPECT_EQ(DalFindControl(page, 1007)->Text(), "red"); })
                    .Ok()),
            1);
  EXPECT_EQ(cabinetFills, 1);
  EXPECT_EQ(colour, "Red");
  EXPECT_EQ(style, "Tombstone");  // the same control id on two pages goes to each page's own field
  EXPECT_EQ(year, 1932);

  EXPECT_EQ(Run(DalScript()
                    .Page(1)
                    .Do([](DalDialog& page) { EXPECT_EQ(DalFindControl(page, 1007)->Text(), "Red"); })
                    .Cancel()),
            0);
  EXPECT_EQ(cabinetFills, 2);
}

TEST_F(NotebookTest, TheWindowDrivesPagesAndButtonsWithoutAScript) {
  host.notebookUser = [](FakeNotebookWindow& window) {
    DalNotebookPageShown(window.notebook(), 2);
    DalDialog& page = window.notebook().pages[2].dialog;
    DalFindControl(page, 1089)->SetText("60");
    DalNotebookButton(window.notebook(), kDalIdOk);
    EXPECT_TRUE(window.ended());
  };
  EXPECT_EQ(DalRunNotebook(notebook, nullptr), 1);
  EXPECT_EQ(value, 60);
  host.notebookUser = nullptr;  // closed by the program, not by a button
  EXPECT_EQ(DalRunNotebook(notebook, nullptr), 0);
}

TEST_F(NotebookTest, APageThatBindsAnIdTwiceKeepsTheNotebookFromOpening) {
  notebook.pages[2].dialog.fields.push_back(Field(kDalCheck, 1089, &year));
  EXPECT_FALSE(DalCreateNotebook(nullptr, notebook));
  EXPECT_EQ(Run(DalScript().Ok()), 0);
  EXPECT_EQ(DalPendingScripts(), 1u);
  DalClearScripts();
  EXPECT_TRUE(host.made().empty());
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Field 1089 used more than once in dialog 31.",
                                                        "Field 1089 used more than once in dialog 31."}));
}

TEST_F(NotebookTest, ScriptStepsOnMissingPagesAreReported) {
  EXPECT_EQ(Run(DalScript().Page(13).Ok()), 1);
  EXPECT_EQ(DalTakeScriptErrors(), std::vector<std::string>{"notebook 'Add/Modify Radio' has no page 13"});
}

}  // namespace
}  // namespace korvel::test

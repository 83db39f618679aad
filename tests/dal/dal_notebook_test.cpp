#include <cstdint>
#include <string>
#include <vector>

#include "dal_fixture.h"

namespace korvel::test {
namespace {

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

TEST_F(NotebookTest, CancelReadsNothing) {
  EXPECT_EQ(Run(DalScript().Type(1002, "x").Page(1).Type(1007, "red").Cancel()), 0);
  EXPECT_EQ(model, "philco 90");
  EXPECT_EQ(colour, "walnut");
}

TEST_F(NotebookTest, OkReadsOnlyThePagesThatWereShown) {
  EXPECT_EQ(Run(DalScript().Page(2).Type(1089, "25").Ok()), 1);
  EXPECT_EQ(host.made(), (std::vector<int>{10, 31}));  // the first page is shown on opening
  EXPECT_EQ(model, "Philco 90");
  EXPECT_EQ(colour, "walnut");
  EXPECT_EQ(style, "cathedral");
  EXPECT_EQ(value, 25);
  EXPECT_EQ(cabinetFills, 0);
}

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

// Edit > Undo and Redo on a copy of the sample: a Delete taken back and done again, the menu
// naming the step, an Undo across a save reaching the data file at Exit, and every other kind of
// step (File > Import CSV through its preview among them) undone and redone.

#include <QFileDialog>
#include <functional>

#include "program_on_sample.h"
#include "ui/dialogs/dialog_ids.h"

namespace korvel {
namespace {

class UndoRun : public test::ProgramOnSample {
 protected:
  bool Unsaved() { return program_.mainWindow().window->isWindowModified(); }
  void Delete(std::initializer_list<int> ids) {
    SelectOnly(ids);
    Asked(kCommandDelete, {kAnswerYes, kAnswerYes, kAnswerYes});
  }
};

TEST_F(UndoRun, ADeleteUndoneRedoneAndUndoneAgainIsSavedWithItsRadios) {
  const std::string loaded = FormatDataFile(collection());
  EXPECT_EQ(Item(kCommandUndo), "Undo (greyed)");
  EXPECT_EQ(Item(kCommandRedo), "Redo (greyed)");

  Delete({1, 2});
  ASSERT_EQ(collection().radios.FindById(1), nullptr);
  EXPECT_EQ(Item(kCommandUndo), "Undo Delete (2 radios)");

  Command(kCommandUndo);
  EXPECT_EQ(FormatDataFile(collection()), loaded) << "Undo did not give back the radios as loaded";
  EXPECT_FALSE(Unsaved()) << "the caption marks unsaved changes after everything was undone";
  EXPECT_EQ(program_.StatusText(), "Undid Delete (2 radios)");
  EXPECT_EQ(program_.state().selection.current.Count(), 2) << "the radios brought back are not the selection";
  EXPECT_EQ(program_.pane().Count(), 2);
  EXPECT_EQ(Item(kCommandUndo), "Undo (greyed)");
  EXPECT_EQ(Item(kCommandRedo), "Redo Delete (2 radios)");

  Command(kCommandRedo);
  EXPECT_EQ(collection().radios.FindById(2), nullptr) << "Redo did not delete the radios again";
  EXPECT_TRUE(Unsaved());
  EXPECT_EQ(program_.pane().Count(), 0) << "the pane still shows deleted radios";
  Command(kCommandUndo);
  EXPECT_EQ(FormatDataFile(collection()), loaded);

  // Undo across a save: the radio deleted and saved comes back, and the exit's Yes writes it.
  const std::string model = collection().radios.FindById(3)->model;
  const int radios = collection().radios.Count();
  Delete({3});
  Command(kCommandSave);
  ASSERT_FALSE(Unsaved());
  EXPECT_EQ(Item(kCommandUndo), "Undo Delete") << "Save dropped the history";
  Command(kCommandUndo);
  EXPECT_NE(collection().radios.FindById(3), nullptr);
  EXPECT_TRUE(Unsaved()) << "a radio undeleted after the save is not marked unsaved";
  const std::string question = Exit(kAnswerYes);
  EXPECT_TRUE(question.starts_with("1 radios added, 0 radios modified, 0 radios deleted;")) << question;
  const auto saved = ReadBack();
  EXPECT_EQ(saved->radios.Count(), radios);
  ASSERT_NE(saved->radios.FindById(3), nullptr) << "the file on disk lacks the radio brought back";
  EXPECT_EQ(saved->radios.FindById(3)->model, model);
}

// Every kind of step: each is named after its command, undone back to the collection as loaded (the
// table entries it made and the selections that follow them included) and redone to what it made.
TEST_F(UndoRun, EachCommandIsOneStepUndoneToTheLoadAndRedone) {
  const std::string loaded = FormatDataFile(collection());
  SelectionState& selection = program_.state().selection;
  ASSERT_EQ(selection.saved[0].name, "Catalin sets");
  const int catalin = selection.saved[0].rows[0].value;
  const std::filesystem::path arvinPicture = dir_.path() / "pictures" / "arvin" / "444.jpg";
  struct Step {
    std::string undo;  // the Undo item once the command ran
    std::function<void()> run;
    std::function<void(bool done)> check = [](bool) {};  // after Undo (false) and Redo (true)
  };
  const Step steps[] = {
      {"Undo Add Pictures",
       [&] {  // a picture dropped on the view, the old one kept as an extra
         const ui::DropHandle drop{{(dir_.path() / "pictures" / "philco" / "20.jpg").string()}};
         MessageBoxScript boxes({kAnswerYes});
         ui::SendWindowMessage(program_.viewWindow(), {.message = ui::kMessageDropFiles, .drop = &drop});
         Settle();
       }},
      {"Undo Add",
       [&] {
         DalQueueScript(DalScript().Type(kIdModel, "Undone").Ok());
         Command(kCommandAdd);
       }},
      // A copy gets new picture names and no extra pictures, offers no picture for deletion and becomes
      // the selection.
      {"Undo Copy",
       [&] {
         const int id = collection().nextId;
         SelectOnly({3});  // Philco 90, two extra pictures
         std::string shownPicture, shownExtras;
         DalQueueScript(DalScript()
                            .Page(3)
                            .Do([&](DalDialog& d) {
                              shownPicture = d.window->Control(kIdPictureFile)->Text();
                              shownExtras = d.window->Control(kIdExtraPictureFiles)->Text();
                            })
                            .Ok());
         EXPECT_EQ(Texts(Asked(kCommandCopy)), std::vector<std::string>{});
         EXPECT_EQ(shownPicture, "pictures\\philco\\90a.jpg");
         EXPECT_EQ(shownExtras, "");
         ASSERT_EQ(selection.current.Count(), 1);
         const RadioRecord* copy = selection.current[0];
         EXPECT_EQ(copy->id, id);
         EXPECT_EQ(program_.pane().RadioAt(0), copy);
         EXPECT_EQ(copy->model, "90");
         EXPECT_EQ(copy->thumbnailFile, "pictures\\philco\\smallpix\\90a.jpg");
         EXPECT_EQ(copy->extraPictureCount, 0);
         EXPECT_EQ(Radio(3)->extraPictureCount, 2);
       }},
      // A value and page without their source are refused, the dialog keeping them for the source; the
      // source and page are appended to each radio's references.
      {"Undo Update (2 radios)",
       [&] {
         const std::string references = Radio(3)->references;
         ASSERT_EQ(Radio(29)->references, "");
         SelectOnly({3, 29});
         DalQueueScript(DalScript()
                            .Type(kIdUpdatedValue, "150")
                            .Type(kIdUpdatedPage, "12")
                            .Ok()
                            .Type(kIdUpdatedSource, "S")
                            .Ok());  // radio 29 (Arvin) comes first in radio order
         DalQueueScript(DalScript()
                            .Type(kIdUpdatedValue, "150")
                            .Type(kIdUpdatedSource, "S")
                            .Type(kIdUpdatedPage, "1x2")
                            .Ok()
                            .Type(kIdUpdatedPage, "12")
                            .Ok());
         EXPECT_EQ(Texts(Asked(kCommandUpdate, {kAnswerOk, kAnswerOk})),
                   (std::vector<std::string>{"Please enter the Updated Source of the new value or page.",
                                             "Page: Please enter a whole number, for example 25."}));
         EXPECT_EQ(Radio(29)->references, "S, page 12");
         EXPECT_EQ(Radio(3)->references, references + "; S, page 12");
         EXPECT_EQ(Radio(3)->value, 150);
         EXPECT_EQ(Radio(3)->sourceOfValue, "S");
       }},
      // Before Bakelite and Catalin: every radio's composition and the saved selection move one place.
      {"Undo Table Insert",
       [&] {
         DalQueueScript(
             DalScript().Choose(kIdTableName, kTableCabinetComposition).Type(kIdNewEntry, "Aluminum").Ok());
         Command(kCommandTableInsert);
       },
       [&](bool done) {
         EXPECT_EQ(selection.saved[0].rows[0].value, catalin + (done ? 1 : 0))
             << "the saved selection no longer picks Catalin sets";
       }},
      // A spreadsheet with problems: the preview names each, and the faulty rows go in only when the user
      // agrees to leave their faulty fields out. Grebe is a new brand.
      {"Undo Import (2 radios)",
       [&] {
         test::WriteFile(dir_ / "mine.csv",
                         "Brand,Model,Year,Cost,Notes,Technology\r\n"
                         "Philco,90,1931,25,\"from an\nauction\",Tube\r\n"
                         "Grebe,Synchrophase,c. 1925,,,Valve\r\n");
         SetDirectoryChooserScript([&](QFileDialog&) { return QString::fromStdString(dir_ / "mine.csv"); });
         std::vector<std::string> problems;
         bool enabledBeforeAgreeing = true;
         SetImportPreviewScript([&](ImportPreviewDialog& preview) {
           preview.show();
           for (const ImportProblem& p : preview.plan().problems) problems.push_back(ProblemText(p));
           enabledBeforeAgreeing = preview.importEnabled();
           preview.AssignColumn(4, kImportComments);  // "Notes" was not imported
           preview.SetSkipFaultyFields(true);
           return true;
         });
         Command(kCommandImportCsv);
         EXPECT_EQ(problems, (std::vector<std::string>{
                                 "line 4, Year: 'c. 1925' is not a year",
                                 "line 4, Technology: 'Valve' is not Crystal, Hybrid, Transistor or Tube"}));
         EXPECT_FALSE(enabledBeforeAgreeing) << "rows with problems could be imported without asking";
         ASSERT_EQ(selection.current.Count(), 2) << "the pane shows the imported radios";
         const RadioRecord& grebe = *selection.current[0];
         EXPECT_EQ(collection().tables[kTableBrandName].Text(grebe.brand), "Grebe");
         EXPECT_EQ(grebe.year, 1900);
         EXPECT_EQ(selection.current[1]->comments, "from an auction");
         EXPECT_TRUE(Unsaved());
       },
       [&](bool done) {
         EXPECT_TRUE(!done || selection.current.Count() == 2)
             << "the radios imported again are not the selection";
       }},
      {"Undo Modify",
       [&] {  // a new main picture; the old one, used by no radio now, is deleted on request
         DalQueueScript(DalScript().Page(3).Type(kIdPictureFile, "pictures\\arvin\\444front.jpg").Ok());
         MessageBoxScript boxes({kAnswerYes});
         Modify(Radio(29));
         ASSERT_FALSE(std::filesystem::exists(arvinPicture));
       },
       [&](bool done) {
         EXPECT_FALSE(std::filesystem::exists(arvinPicture)) << "Undo brought a deleted file back";
         EXPECT_TRUE(done || program_.StatusText().find("444.jpg' stays deleted") != std::string::npos)
             << program_.StatusText();
       }},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.undo);
    step.run();
    const std::string made = FormatDataFile(collection());
    ASSERT_TRUE(made != loaded) << "the command changed nothing";
    EXPECT_EQ(Item(kCommandUndo), step.undo);
    Command(kCommandUndo);
    EXPECT_TRUE(FormatDataFile(collection()) == loaded) << "Undo did not give back the collection as loaded";
    EXPECT_FALSE(Unsaved());
    step.check(false);
    Command(kCommandRedo);
    EXPECT_TRUE(FormatDataFile(collection()) == made) << "Redo did not make the same change again";
    step.check(true);
    Command(kCommandUndo);
  }
}

}  // namespace
}  // namespace korvel

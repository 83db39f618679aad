// Edit > Undo and Redo on a copy of the sample: a Delete taken back and done again, the menu
// naming the step, and an Undo across a save reaching the data file at Exit.
#include <gtest/gtest.h>

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

#include "app/collection_commands.h"
#include "app/import_preview.h"
#include "collection/data_file.h"
#include "dal/dal.h"
#include "program_on_sample.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui/frame/command_ids.h"
#include "ui/frame/message_box.h"
#include "ui/frame/program_menu.h"
#include "ui/windows/window_frame.h"
#include "util/message.h"

namespace korvel {
namespace {

class UndoRun : public test::ProgramOnSample {
 protected:
  void TearDown() override {
    SetDirectoryChooserScript({});
    SetImportPreviewScript({});
    ProgramOnSample::TearDown();
  }
  ProgramMenuBar& menu() { return *program_.mainWindow().window->menuBar(); }
  // The item as the user reads it: no mnemonic, no keys; "(greyed)" when it cannot be chosen.
  std::string Item(int id) {
    QAction* item = menu().FindCommand(id);
    if (item == nullptr) return "(missing)";
    QString text = item->text();
    text = text.left(text.indexOf(u'\t')).remove(u'&');
    return text.toStdString() + (item->isEnabled() ? "" : " (greyed)");
  }
  bool Unsaved() { return program_.mainWindow().window->isWindowModified(); }
  // The radios the next command's selection dialog is answered with.
  void Choose(std::initializer_list<int> ids) {
    SelectionState& selection = program_.state().selection;
    selection.current.Clear();
    for (int id : ids) InsertRadio(collection().tables, collection().radios.FindById(id), selection.current);
    DalQueueScript(DalScript().Ok());
  }
  void Delete(std::initializer_list<int> ids) {
    Choose(ids);
    MessageBoxScript boxes({kAnswerYes, kAnswerYes, kAnswerYes});
    Command(kCommandDelete);
  }
};

TEST_F(UndoRun, ADeleteUndoneRedoneAndUndoneAgainIsSavedWithItsRadios) {
  const std::string loaded = FormatDataFile(collection());
  EXPECT_EQ(Item(kCommandUndo), "Undo (greyed)");
  EXPECT_EQ(Item(kCommandRedo), "Redo (greyed)");

  Delete({1, 2});
  ASSERT_EQ(collection().radios.FindById(1), nullptr);
  EXPECT_EQ(Item(kCommandUndo), "Undo Delete (2 radios)");
  if (QMenu* edit = menu().FindMenu({"edit"}))
    edit->grab().save(KORVEL_SCREENSHOT_DIR "/undo_menu_after_delete.png");

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
  MessageBoxScript boxes({kAnswerYes});
  Command(kCommandExit);
  ASSERT_FALSE(boxes.boxes().empty());
  EXPECT_EQ(boxes.boxes().back().text.toStdString().rfind(
                "1 radios added, 0 radios modified, 0 radios deleted;", 0),
            0u)
      << boxes.boxes().back().text.toStdString();
  Collection saved;
  ASSERT_TRUE(LoadCollection(dir_.path().string(), saved).opened);
  EXPECT_EQ(saved.radios.Count(), radios);
  ASSERT_NE(saved.radios.FindById(3), nullptr) << "the file on disk lacks the radio brought back";
  EXPECT_EQ(saved.radios.FindById(3)->model, model);
}

// A dropped picture, and Add, Copy and Update through their dialogs: each is one step named after it, undone
// back to the collection as loaded and redone to what the command made.
TEST_F(UndoRun, ADropAddCopyAndUpdateAreOneStepEachUndoneToTheLoadAndRedone) {
  const std::string loaded = FormatDataFile(collection());
  const auto update = [] {
    return DalScript()
        .Type(kIdUpdatedValue, "150")
        .Type(kIdUpdatedSource, "S")
        .Type(kIdUpdatedPage, "12")
        .Ok();
  };
  const std::vector<std::pair<std::string, std::function<void()>>> commands = {
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
      {"Undo Copy (2 radios)",
       [&] {
         Choose({1, 2});
         DalQueueScript(DalScript().Ok());
         DalQueueScript(DalScript().Ok());
         MessageBoxScript boxes;
         Command(kCommandCopy);
       }},
      {"Undo Update (2 radios)",
       [&] {
         Choose({3, 29});
         DalQueueScript(update());
         DalQueueScript(update());
         Command(kCommandUpdate);
       }},
  };
  for (const auto& [undo, run] : commands) {
    SCOPED_TRACE(undo);
    run();
    const std::string made = FormatDataFile(collection());
    ASSERT_TRUE(made != loaded) << "the command changed nothing";
    EXPECT_EQ(Item(kCommandUndo), undo);
    Command(kCommandUndo);
    EXPECT_TRUE(FormatDataFile(collection()) == loaded) << "Undo did not give back the collection as loaded";
    EXPECT_FALSE(Unsaved());
    Command(kCommandRedo);
    EXPECT_TRUE(FormatDataFile(collection()) == made) << "Redo did not make the same change again";
    Command(kCommandUndo);
  }
}

TEST_F(UndoRun, ATableInsertUndoneTakesTheEntryOutAndTheSavedSelectionsBack) {
  const std::string loaded = FormatDataFile(collection());
  SelectionState& selection = program_.state().selection;
  ASSERT_EQ(selection.saved[0].name, "Catalin sets");
  const int catalin = selection.saved[0].rows[0].value;
  // Before Bakelite and Catalin: every radio's composition moves one place.
  DalQueueScript(
      DalScript().Choose(kIdTableName, kTableCabinetComposition).Type(kIdNewEntry, "Aluminum").Ok());
  Command(kCommandTableInsert);
  ASSERT_EQ(selection.saved[0].rows[0].value, catalin + 1);
  EXPECT_EQ(Item(kCommandUndo), "Undo Table Insert");
  if (QMenu* edit = menu().FindMenu({"edit"}))
    edit->grab().save(KORVEL_SCREENSHOT_DIR "/undo_menu_after_table_insert.png");

  Command(kCommandUndo);
  EXPECT_EQ(FormatDataFile(collection()), loaded)
      << "the entry or the radios' references were not taken back";
  EXPECT_EQ(selection.saved[0].rows[0].value, catalin) << "the saved selection no longer picks Catalin sets";
  EXPECT_FALSE(Unsaved());
  Command(kCommandRedo);
  EXPECT_EQ(selection.saved[0].rows[0].value, catalin + 1);
  EXPECT_EQ(collection().tables[kTableCabinetComposition].Text(0), "Aluminum");
}

TEST_F(UndoRun, AnImportIsOneStepWithTheTableEntriesItMade) {
  const std::string loaded = FormatDataFile(collection());
  const int radios = collection().radios.Count();
  test::WriteFile(dir_ / "mine.csv",
                  "Brand,Model,Year\r\n"
                  "Grebe,Synchrophase,1925\r\n"
                  "Philco,90,1931\r\n"
                  "Zzyzx,One,1950\r\n");
  SetDirectoryChooserScript([&](QFileDialog&) { return QString::fromStdString(dir_ / "mine.csv"); });
  SetImportPreviewScript([](ImportPreviewDialog&) { return true; });
  Command(kCommandImportCsv);
  ASSERT_NE(FormatDataFile(collection()), loaded);
  EXPECT_EQ(Item(kCommandUndo), "Undo Import (3 radios)");
  if (QMenu* edit = menu().FindMenu({"edit"}))
    edit->grab().save(KORVEL_SCREENSHOT_DIR "/undo_menu_after_import.png");

  Command(kCommandUndo);
  EXPECT_EQ(FormatDataFile(collection()), loaded)
      << "the imported radios or their new brands are still there";
  EXPECT_FALSE(Unsaved());
  Command(kCommandRedo);
  EXPECT_EQ(collection().radios.Count(), radios + 3);
  EXPECT_EQ(program_.state().selection.current.Count(), 3)
      << "the radios imported again are not the selection";
}

TEST_F(UndoRun, AModifyUndoneGivesBackThePictureNameButNotTheFileItDeleted) {
  RadioRecord* arvin = collection().radios.FindById(29);
  ASSERT_NE(arvin, nullptr);
  const std::string picture = arvin->pictureFile;
  const std::filesystem::path file = dir_.path() / "pictures" / "arvin" / "444.jpg";
  ASSERT_TRUE(std::filesystem::exists(file));
  DalQueueScript(DalScript().Page(3).Type(kIdPictureFile, "pictures\\arvin\\444front.jpg").Ok());
  {
    MessageBoxScript boxes({kAnswerYes});  // the old picture, used by no radio now: deleted
    Command(kCommandModifyOne, reinterpret_cast<std::intptr_t>(arvin));
  }
  ASSERT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(Item(kCommandUndo), "Undo Modify");
  if (QMenu* edit = menu().FindMenu({"edit"}))
    edit->grab().save(KORVEL_SCREENSHOT_DIR "/undo_menu_after_modify.png");

  Command(kCommandUndo);
  EXPECT_EQ(arvin->pictureFile, picture);
  EXPECT_FALSE(std::filesystem::exists(file)) << "Undo brought a deleted file back";
  EXPECT_NE(program_.StatusText().find("444.jpg' stays deleted"), std::string::npos) << program_.StatusText();
  EXPECT_FALSE(Unsaved());
}

}  // namespace
}  // namespace korvel

// File > Save, Open Collection and New Collection, run in the program on a copy of the sample.

#include <unistd.h>
#include <QApplication>
#include <QFileDialog>
#include <QTreeWidget>
#include <QWindow>
#include <algorithm>

#include "app/restore_backup_dialog.h"
#include "collection/changes.h"
#include "collection/collection_lock.h"
#include "program_on_sample.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;

class CollectionCommands : public test::ProgramOnSample {
 protected:
  // The chooser answers with the directory.
  void Choose(const fs::path& directory) {
    SetDirectoryChooserScript([this, directory](QFileDialog& dialog) {
      ++choosers_;
      chooserTitle_ = dialog.windowTitle();
      return std::optional<QString>(QString::fromStdString(directory.string()));
    });
  }
  // The radio's comments changed, as an editing command changes them.
  RadioRecord* Recap(RadioRecord* radio) {
    EXPECT_TRUE(PrepareRadioChange(collection(), *radio));
    radio->comments = "Recapped in December.";
    collection().changed = true;
    return radio;
  }
  // What the platform shows as the caption, with Qt's "[*]" resolved.
  QString ShownCaption() { return program_.mainWindow().window->windowHandle()->title(); }

  int choosers_ = 0;
  QString chooserTitle_;
};

// A save or an exit that cannot write loses nothing; Ctrl+S then saves, and a kill after it loses
// nothing either.
TEST_F(CollectionCommands, SaveKeepsADroppedPictureThroughAKillAndCountsChangesFromThere) {
  EXPECT_EQ(ShownCaption(), "Korvel V1.27.13.15");
  // A picture dropped on the view, kept beside the old one, changes the radio on view.
  RadioRecord* radio = program_.state().selection.currentRadio;
  ASSERT_NE(radio, nullptr);
  const int id = radio->id;
  const int extras = radio->extraPictureCount;
  const ui::DropHandle drop{{(dir_.path() / "pictures" / "philco" / "20.jpg").string()}};
  {
    MessageBoxScript boxes({kAnswerYes});  // keep the old picture as an extra one
    ui::SendWindowMessage(program_.viewWindow(), {.message = ui::kMessageDropFiles, .drop = &drop});
    Settle();
  }
  ASSERT_EQ(radio->extraPictureCount, extras + 1);
  EXPECT_TRUE(program_.mainWindow().window->isWindowModified());
  EXPECT_EQ(ShownCaption(), "Korvel V1.27.13.15*");

  // A save that cannot write reports it and changes nothing, nor does leaving with Yes, which keeps
  // the program open and writes no settings.
  fs::create_directory(dir_.path() / "radata.new");
  const std::vector<ShownMessageBox> saving = Asked(kCommandSave);
  ASSERT_FALSE(saving.empty());
  EXPECT_EQ(saving[0].icon, QMessageBox::Critical);
  const std::vector<ShownMessageBox> leaving =
      Asked(kCommandExit, {kAnswerYes, kAnswerOk, kAnswerOk, kAnswerOk});
  ASSERT_GE(leaving.size(), 2u);
  EXPECT_EQ(leaving[1].icon, QMessageBox::Critical) << leaving[1].text.toStdString();
  EXPECT_TRUE(program_.state().ready);
  EXPECT_TRUE(program_.mainWindow().window->isVisible());
  EXPECT_EQ(test::ReadFile(dir_ / "korvel.ini"), settingsBefore_);
  fs::remove(dir_.path() / "radata.new");
  EXPECT_EQ(ShownCaption(), "Korvel V1.27.13.15*");
  EXPECT_FALSE(fs::exists(dir_.path() / "radata.000"));
  EXPECT_EQ(test::ReadFile(dir_ / "radata.dat"), dataBefore_);
  EXPECT_EQ(RadioChangeFlags(collection(), *radio).flags[kChangedPictures], true);

  // Ctrl+S, the key itself.
  program_.mainWindow().window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(program_.mainWindow().window));
  QTest::keyClick(program_.mainWindow().window, Qt::Key_S, Qt::ControlModifier);
  Settle();
  EXPECT_EQ(ShownCaption(), "Korvel V1.27.13.15");
  EXPECT_EQ(test::ReadFile(dir_ / "radata.000"), dataBefore_);
  const std::string saved = test::ReadFile(dir_ / "radata.dat");
  EXPECT_NE(saved, dataBefore_);
  const std::string question = Exit(kAnswerCancel);
  EXPECT_TRUE(question.starts_with("0 radios added, 0 radios modified, 0 radios deleted;")) << question;

  // Ended without the exit question, then started again: the picture is there.
  program_.Finish();
  Settle();
  Program again;
  ASSERT_TRUE(again.Start());
  Settle();
  const RadioRecord* reloaded = again.state().collection.radios.FindById(id);
  ASSERT_NE(reloaded, nullptr);
  EXPECT_EQ(reloaded->extraPictureCount, extras + 1);
  EXPECT_FALSE(again.state().collection.changed);
  again.Finish();
}

TEST_F(CollectionCommands, OpenAsksFirstAndLoadsADamagedCollectionWithoutWritingIt) {
  // A change made as an editing command makes it; the next command shows the mark.
  RadioRecord* radio = Recap(Radio(7));
  Command(kCommandViewChanges);
  EXPECT_EQ(ShownCaption(), "Korvel V1.27.13.15*");

  test::TempDir other;
  test::WriteFile(other / "radata.dat", dataBefore_.substr(0, dataBefore_.size() / 2));
  const std::string damaged = test::ReadFile(other / "radata.dat");
  Choose(other.path());
  EXPECT_EQ(
      Texts(Asked(kCommandOpenCollection, {kAnswerCancel})),
      std::vector<std::string>{
          "0 radios added, 1 radios modified, 0 radios deleted; inventory was not modified.  Do you want "
          "to save these changes (Yes), discard them (No), or go on with this collection (Cancel) before "
          "opening another collection?"});
  EXPECT_EQ(choosers_, 0);
  EXPECT_EQ(program_.state().collection.radios.FindById(7), radio);
  EXPECT_EQ(radio->comments, "Recapped in December.");
  EXPECT_EQ(ShownCaption(), "Korvel V1.27.13.15*");

  // No, then the first button for what the load reports.
  const std::vector<std::string> reports = Texts(Asked(kCommandOpenCollection, {kAnswerNo}));
  EXPECT_TRUE(std::any_of(reports.begin() + 1, reports.end(), [](const std::string& text) {
    return text.find("ends early") != text.npos;
  })) << reports.back();
  EXPECT_EQ(choosers_, 1);
  EXPECT_EQ(chooserTitle_, "Open Collection");
  const int count = collection().radios.Count();
  EXPECT_GT(count, 0);
  EXPECT_LT(count, 48);
  EXPECT_EQ(program_.state().paths.directory, other.path().string());
  EXPECT_EQ(program_.pane().Count(), count);
  ASSERT_NE(program_.state().selection.currentRadio, nullptr);
  EXPECT_EQ(program_.state().selection.currentRadio, collection().radios[0]);
  EXPECT_EQ(program_.state().selection.stack.depth, 0);
  EXPECT_EQ(ShownCaption(), "Korvel V1.27.13.15");
  EXPECT_EQ(test::ReadFile(dir_ / "radata.dat"), dataBefore_);  // No discarded the change

  // A directory holding only the fallback file opens that one, not a radata.dat found elsewhere
  // (the current directory holds one).
  test::TempDir fallbackOnly;
  test::WriteFile(fallbackOnly / "radata.org", dataBefore_);
  Choose(fallbackOnly.path());
  Command(kCommandOpenCollection);
  EXPECT_EQ(program_.state().paths.directory, fallbackOnly.path().string());
  EXPECT_EQ(collection().radios.Count(), 48);

  // Leaving with Yes writes a collection only when it changed, so the damaged file stays as it
  // was; the settings name the directory opened last.
  Exit(kAnswerYes);
  EXPECT_EQ(test::ReadFile(other / "radata.dat"), damaged);
  EXPECT_FALSE(fs::exists(other.path() / "radata.000"));
  EXPECT_FALSE(fs::exists(other.path() / "radata.new"));
  EXPECT_FALSE(fs::exists(fallbackOnly.path() / "radata.dat"));
  EXPECT_NE(
      test::ReadFile(dir_ / "korvel.ini").find(fallbackOnly.path().string() + " --- Data File Directory ---"),
      std::string::npos);
}

// Yes to "save these changes?" saves at once: by the time the directory is asked for, the caption has
// lost its mark and the view its yellow, and they stay so when the choice is cancelled.
TEST_F(CollectionCommands, SavingBeforeOpenClearsTheMarkAndTheHighlightingAtOnce) {
  Recap(program_.state().selection.currentRadio);
  Command(kCommandShowCurrent);
  const auto yellow = [&] {
    return CountPixels(program_.viewWindow().device->Snapshot(),
                       [](QRgb pixel) { return pixel == 0xffff00; });
  };
  ASSERT_GT(yellow(), 100);
  bool markWhileChoosing = true;
  int yellowWhileChoosing = -1;
  SetDirectoryChooserScript([&](QFileDialog&) {
    markWhileChoosing = program_.mainWindow().window->isWindowModified();
    yellowWhileChoosing = yellow();
    return std::optional<QString>();
  });
  MessageBoxScript boxes({kAnswerYes});
  Command(kCommandOpenCollection);
  EXPECT_FALSE(markWhileChoosing) << "the caption still marks unsaved changes after the save";
  EXPECT_EQ(yellowWhileChoosing, 0) << "the saved value is still highlighted";
  EXPECT_EQ(yellow(), 0);
  EXPECT_NE(test::ReadFile(dir_ / "radata.dat").find("Recapped in December."), std::string::npos);
}

TEST_F(CollectionCommands, NewRefusesADirectoryWithACollectionAndBeginsOneAfterTheTourStops) {
  Choose(dir_.path());
  const std::vector<ShownMessageBox> refused = Asked(kCommandNewCollection);
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_EQ(refused[0].text.toStdString(),
            "'" + dir_.path().string() +
                "' already holds a collection (radata.dat). Choose another directory for the new collection, "
                "or open this one with File > Open Collection.");
  EXPECT_EQ(refused[0].icon, QMessageBox::Warning);
  test::TempDir fallbackOnly;
  test::WriteFile(fallbackOnly / "radata.org", dataBefore_);
  Choose(fallbackOnly.path());
  const std::vector<std::string> fallback = Texts(Asked(kCommandNewCollection));
  ASSERT_EQ(fallback.size(), 1u);
  EXPECT_NE(fallback[0].find("(radata.org)"), std::string::npos);
  EXPECT_EQ(collection().radios.Count(), 48);
  EXPECT_EQ(program_.state().paths.directory, ".");

  // Chosen while a tour runs: the tour stops first and the command runs at the next tick.
  test::TempDir empty;
  Choose(empty.path());
  ui::SendCommand(program_.mainWindow(), kCommandTourRandom);
  ASSERT_TRUE(program_.tour().Running());
  ui::SendCommand(program_.mainWindow(), kCommandNewCollection);
  EXPECT_EQ(collection().radios.Count(), 48);
  EXPECT_TRUE(QTest::qWaitFor([&] { return collection().radios.Count() == 0; }, 10000));
  EXPECT_FALSE(program_.tour().Running());
  EXPECT_EQ(collection().tables[kTableCabinetTrim].entries, (std::vector<std::string>{"No Trim", "Unknown"}));
  EXPECT_EQ(program_.pane().Count(), 0);
  EXPECT_EQ(program_.state().selection.currentRadio, nullptr);
  EXPECT_EQ(ShownCaption(), "Korvel V1.27.13.15*");
  EXPECT_FALSE(fs::exists(empty.path() / "radata.dat"));  // written at the next save

  Command(kCommandSave);
  EXPECT_EQ(ShownCaption(), "Korvel V1.27.13.15");
  Collection written;
  ASSERT_TRUE(LoadCollection(empty.path().string(), written).opened);
  EXPECT_EQ(written.radios.Count(), 0);
  EXPECT_EQ(written.tables[kTableManufacturer].entries, std::vector<std::string>{"Unknown"});
  EXPECT_EQ(test::ReadFile(dir_ / "radata.dat"), dataBefore_);
}

// Another program's edit, then File > Restore Backup: every version stays on disk.
TEST_F(CollectionCommands, AnotherProgramsEditIsAskedAboutAndRestoreBackupKeepsEveryVersion) {
  Recap(Radio(7));
  std::string edited = dataBefore_;
  edited.replace(edited.find("Garage sale"), 11, "Yard sale");
  test::WriteFile(dir_ / "radata.dat", edited);  // a text editor, while Korvel runs
  const std::vector<ShownMessageBox> asked = Asked(kCommandSave, {kAnswerNo});
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].icon, QMessageBox::Warning);
  EXPECT_NE(asked[0].text.indexOf("changed by another program"), -1);
  EXPECT_EQ(test::ReadFile(dir_ / "radata.dat"), edited) << "No must not save";
  EXPECT_TRUE(collection().changed);
  Asked(kCommandSave, {kAnswerYes});
  EXPECT_EQ(test::ReadFile(dir_ / "radata.000"), edited) << "the other program's version was lost";
  const std::string mine = test::ReadFile(dir_ / "radata.dat");
  EXPECT_NE(mine.find("Recapped in December."), std::string::npos);

  // Restore the other program's version, from the dialog's newest-first list.
  std::vector<std::string> listed;
  SetRestoreBackupScript([&](QDialog& dialog) -> std::optional<std::size_t> {
    auto* list = dialog.findChild<QTreeWidget*>("backups");
    for (int i = 0; list != nullptr && i < list->topLevelItemCount(); ++i)
      listed.push_back(list->topLevelItem(i)->text(0).toStdString() + " " +
                       list->topLevelItem(i)->text(3).toStdString());
    return 0;
  });
  Asked(kCommandRestoreBackup, {kAnswerOk});
  SetRestoreBackupScript(nullptr);
  EXPECT_EQ(listed, std::vector<std::string>{"radata.000 48"});
  EXPECT_EQ(collection().radios.FindById(7)->comments.find("Recapped"), std::string::npos);
  EXPECT_NE(test::ReadFile(dir_ / "radata.dat").find("Yard sale"), std::string::npos);
  EXPECT_EQ(test::ReadFile(dir_ / "radata.001"), mine) << "the collection replaced by the backup was lost";
  EXPECT_EQ(test::ReadFile(dir_ / "radata.000"), edited);
}

// A collection another program has open: looked at read-only, never written.
class SecondProgram : public CollectionCommands {
 protected:
  void SetUp() override {
    CopySample();
    ASSERT_EQ(other_.Acquire(dir_.path().string()), CollectionLock::kLocked);
    MessageBoxScript boxes({kAnswerOk});
    StartHere();
    ASSERT_GE(boxes.boxes().size(), 1u);
    question_ = boxes.boxes()[0];
  }
  CollectionLock other_;
  ShownMessageBox question_;
};

TEST_F(SecondProgram, OpensReadOnlyAndWritesNothing) {
  EXPECT_NE(question_.text.indexOf("process " + QString::number(getpid())), -1)
      << question_.text.toStdString();
  EXPECT_NE(question_.text.indexOf("'" + QString::fromStdString(dir_.path().string()) + "'"), -1)
      << "the directory is not named in full: " << question_.text.toStdString();
  EXPECT_NE(ShownCaption().indexOf("(read-only)"), -1);
  collection().changed = true;
  for (int command :
       {kCommandAdd, kCommandDelete, kCommandTableInsert, kCommandRestoreBackup, kCommandSave}) {
    const std::vector<ShownMessageBox> boxes = Asked(command, {kAnswerOk});
    ASSERT_EQ(boxes.size(), 1u) << "command " << command;
    EXPECT_NE(boxes[0].text.indexOf("read-only"), -1) << "command " << command;
  }
  Exit(kAnswerYes);
  EXPECT_EQ(test::ReadFile(dir_ / "radata.dat"), dataBefore_);
  EXPECT_EQ(test::ReadFile(dir_ / "korvel.ini"), settingsBefore_);
  EXPECT_FALSE(fs::exists(dir_.path() / "radata.000"));
}

}  // namespace
}  // namespace korvel

// Whole runs of the program on a copy of the sample collection: start-up, commands through their
// dialogs and message boxes (answered by the tests), and leaving with or without saving.

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <deque>

#include "program_on_sample.h"
#include "selection/selection.h"
#include "support/collection_builder.h"
#include "ui/dialogs/dialog_ids.h"
#include "util/message.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;

// A copy of the sample as the current directory, the program started on it.
class ProgramRun : public test::ProgramOnSample {
 protected:
  int CurrentId() {
    const RadioRecord* radio = program_.state().selection.currentRadio;
    return radio != nullptr ? radio->id : -1;
  }
};

TEST_F(ProgramRun, StartsOnTheStoredSelectionAndRadioAndLeavingWithNoWritesNothing) {
  const ProgramState& state = program_.state();
  EXPECT_EQ(program_.mainWindow().caption, "Korvel V1.27.13.15");
  EXPECT_EQ(state.collection.radios.Count(), 48);
  EXPECT_EQ(program_.pane().Count(), state.selection.current.Count());
  EXPECT_GT(program_.pane().Count(), 8);
  EXPECT_EQ(CurrentId(), 1);
  EXPECT_EQ(state.viewMode, kViewDescription);
  // The pane sits at the left, the view fills the rest.
  const ui::WindowDescriptor& pane = program_.paneWindow();
  const ui::WindowDescriptor& view = program_.viewWindow();
  EXPECT_EQ(pane.current.x, 0);
  EXPECT_EQ(view.current.x, pane.current.width);
  EXPECT_EQ(view.current.x + view.current.width, program_.mainWindow().drawable.right);
  EXPECT_EQ(pane.current.width % 16, 0);

  // A fresh start on the sample has changed nothing: every radio has its picture names on file.
  EXPECT_EQ(
      Exit(kAnswerNo),
      "0 radios added, 0 radios modified, 0 radios deleted; inventory was not modified.  Do you want to exit "
      "and save changes (Yes), exit and discard changes (No), or not exit at all (Cancel)?");
  EXPECT_EQ(test::ReadFile(dir_ / "radata.dat"), dataBefore_);
  EXPECT_EQ(test::ReadFile(dir_ / "korvel.ini"), settingsBefore_);
}

// Closing the window asks the exit question; Cancel goes on. Yes keeps the selection and the font.
TEST_F(ProgramRun, CancelGoesOnAndYesKeepsTheNewSelectionAndFont) {
  MessageBoxScript boxes({kAnswerCancel});
  program_.mainWindow().window->close();
  Settle();
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_NE(boxes.boxes()[0].text.indexOf("Do you want to exit and save changes"), -1);
  EXPECT_TRUE(program_.mainWindow().window->isVisible());
  EXPECT_TRUE(program_.state().ready);

  // A saved selection recalled from the View menu becomes the current one.
  Command(kCommandSavedFirst);
  const int members = program_.state().selection.current.Count();
  EXPECT_EQ(program_.pane().Count(), members);
  ChangeFont("Liberation Mono", 14);
  EXPECT_EQ(program_.viewWindow().surface.fonts()[0].pointSize, 14);
  Exit(kAnswerYes);
  // The collection did not change, so it is not written; the settings are.
  EXPECT_EQ(test::ReadFile(dir_ / "radata.dat"), dataBefore_);
  EXPECT_FALSE(fs::exists(dir_ / "radata.000"));
  const std::string settings = test::ReadFile(dir_ / "korvel.ini");
  EXPECT_NE(settings.find(std::to_string(members) + " --- Selection List ---"), std::string::npos);
  EXPECT_NE(settings.find("0 14=Liberation Mono"), std::string::npos);
}

// Clicks on the picture step through the extra pictures (the Philco 90 has two) and back to the main
// one; a letter key jumps to the first brand at or after the letter; a click in the pane picks a radio.
TEST_F(ProgramRun, PictureClicksLetterKeysAndPaneClicksMoveThroughTheCollection) {
  RadioRecord* philco = collection().radios.FindById(3);
  ASSERT_NE(philco, nullptr);
  SetCurrentRadio(program_.state().selection, philco);
  Command(kCommandShowCurrent);
  std::vector<int> seen{philco->currentPicture};
  for (int i = 0; i < 3; ++i) {
    Command(kCommandNextPicture);
    seen.push_back(philco->currentPicture);
  }
  EXPECT_EQ(seen, (std::vector<int>{-1, 0, 1, -1}));

  Command(kCommandJumpToLetterFirst + ('Z' - 'A'));
  const RadioRecord* radio = program_.state().selection.currentRadio;
  ASSERT_NE(radio, nullptr);
  EXPECT_EQ(collection().tables[kTableBrandName].Text(radio->brand)[0], 'Z');

  // Messages still waiting for their window are shown by the next command, a click in the pane
  // (command 348) included: it runs the common prologue like any command.
  MessageBoxScript boxes({kAnswerOk});
  ResetMessages();  // as before the window owned the message boxes
  ShowMessage(kWarning, kButtonsOk, "Waiting for a window.");
  ui::WindowDescriptor& pane = program_.paneWindow();
  ui::SendWindowMessage(pane, {.message = ui::kMessageLeftDown, .x = 10, .y = pane.drawable.top - 1});
  Settle();
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].text.toStdString(), "Waiting for a window.");
  EXPECT_TRUE(DeferredMessages().empty());
  EXPECT_TRUE(program_.state().ready);
  EXPECT_EQ(CurrentId(), program_.pane().RadioAt(program_.pane().First())->id);
}

// Discard All, then one row: Keep, starting from nothing, lists only the row's radios; Save names the
// parameters and OK makes them the selection. Cancel then leaves no radio on view.
TEST_F(ProgramRun, TheSelectionDialogBuildsNarrowsAndSavesANewSelection) {
  const Collection& collection = program_.state().collection;
  const int philco = test::Position(collection, kTableBrandName, "Philco");
  const int saved = static_cast<int>(program_.state().selection.saved.size());
  std::vector<std::string> shownFilters;
  int brandItems = 0;
  DalQueueScript(
      DalScript()
          .Do([&](DalDialog& open) {
            DalControl* filter = open.window->Control(kIdSelectFilter);
            for (int i = 0; i < filter->ItemCount(); ++i) shownFilters.push_back(filter->ItemText(i));
          })
          .Press(kIdSelectDiscardAll)
          .Choose(SelectActionId(0), kActionAdd)
          .Choose(SelectFieldId(0), kFieldBrand)
          .Do([&](DalDialog& open) { brandItems = open.window->Control(SelectValueId(0))->ItemCount(); })
          .Choose(SelectValueId(0), philco)
          .Choose(SelectActionId(1), kActionNone)
          .Choose(SelectActionId(2), kActionNone)
          .Choose(SelectActionId(3), kActionNone)
          .Choose(kIdSelectFilter, 0)
          .Press(kIdSelectKeep)
          .Do([&](DalDialog& open) {
            const int count = open.window->Control(kIdSelectRadios)->ItemCount();
            EXPECT_GT(count, 1);
            EXPECT_EQ(open.window->Control(kIdSelectRadios)->ItemText(0).rfind("Philco ", 0), 0u);
            EXPECT_EQ(open.window->Control(kIdSelectPictures)->ItemCount(), count);
            EXPECT_EQ(open.window->Control(kIdSelectCount)->Text(), std::to_string(count));
          })
          .Type(kIdSelectName, "Philco sets")
          .Press(kIdSelectSave)
          .Highlight(kIdSelectRadios, 0, false)
          .Ok());
  Command(kCommandViewNew);
  ASSERT_FALSE(shownFilters.empty());
  EXPECT_EQ(shownFilters[0], "(No Filter)");
  EXPECT_EQ(brandItems, static_cast<int>(collection.tables[kTableBrandName].entries.size()));
  const SelectionState& selection = program_.state().selection;
  ASSERT_GT(selection.current.Count(), 0);
  for (const RadioRecord* radio : selection.current.Records()) EXPECT_EQ(radio->brand, philco);
  EXPECT_EQ(selection.currentRadio, selection.current.Records().front());
  EXPECT_EQ(program_.pane().Count(), selection.current.Count());
  EXPECT_EQ(selection.parameters.rows[0].field, kFieldBrand);
  EXPECT_EQ(selection.parameters.filter, nullptr);
  ASSERT_EQ(static_cast<int>(selection.saved.size()), saved + 1);
  // Saved selections are kept in the order of their names: after "Catalin sets" and "For sale".
  QAction* item = program_.mainWindow().window->menuBar()->FindCommand(kCommandSavedFirst + 2);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->text().toStdString(), "Philco sets");

  // Cancel keeps the parameters and leaves no radio on view.
  DalQueueScript(DalScript().Cancel());
  Command(kCommandViewNew);
  EXPECT_EQ(program_.state().selection.currentRadio, nullptr);
  EXPECT_EQ(program_.state().selection.parameters.rows[0].field, kFieldBrand);
}

// The keys of an open dialog are its own, even while one of its drop-down lists is open: the
// window behind neither changes radio, nor opens the font dialog, nor asks to exit, nor scrolls.
TEST_F(ProgramRun, KeysInAnOpenDialogNeverReachTheMainWindow) {
  const int radioBefore = CurrentId();
  const int firstBefore = program_.pane().First();
  int fontDialogs = 0;
  ui::SetFontDialogAnswer([&](const QFont&) {
    ++fontDialogs;
    return std::optional<QFont>();
  });
  MessageBoxScript boxes({kAnswerYes, kAnswerYes});
  bool popupOpened = false;
  int radioInDialog = -2, firstInDialog = -2;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    QComboBox* action = dialog->findChild<QComboBox*>();
    ASSERT_NE(action, nullptr);
    action->showPopup();
    popupOpened = QApplication::activePopupWidget() != nullptr && QApplication::focusWidget() != nullptr;
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_F, Qt::ControlModifier},
        {Qt::Key_Down, Qt::NoModifier},
        {Qt::Key_Down, Qt::ControlModifier},
        {Qt::Key_Q, Qt::ControlModifier},
    };
    const auto press = [&] {
      for (const auto& [key, modifiers] : keys) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr ? focus : dialog, key, modifiers);
      }
    };
    press();
    action->hidePopup();
    press();  // and with the dialog itself in front
    radioInDialog = CurrentId();
    firstInDialog = program_.pane().First();
    dialog->reject();
  });
  Command(kCommandViewNew);
  ui::SetFontDialogAnswer(nullptr);
  EXPECT_TRUE(popupOpened);
  EXPECT_EQ(radioInDialog, radioBefore);
  EXPECT_EQ(firstInDialog, firstBefore);
  EXPECT_EQ(fontDialogs, 0);
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_TRUE(program_.mainWindow().window->isVisible());
  EXPECT_EQ(test::ReadFile(dir_ / "korvel.ini"), settingsBefore_);
}

// In the selection dialog a Year that is not a whole number selects nothing and says so; a row
// switched to None is not read (its malformed date says nothing more); Cancel takes back what
// Clear/Select did, so the pane and the selection agree.
TEST_F(ProgramRun, TheSelectionDialogRefusesBadValuesAndCancelTakesBackItsSelections) {
  const std::vector<int> before = test::Ids(program_.state().selection.current);
  MessageBoxScript boxes({kAnswerOk, kAnswerOk, kAnswerOk, kAnswerOk});
  int afterRefusal = -1, afterClear = -1;
  std::size_t boxesAfterRefusal = 0;
  DalQueueScript(
      DalScript()
          .Choose(SelectActionId(1), kActionAdd)
          .Choose(SelectFieldId(1), kFieldDateAcquired)
          .Type(SelectValueId(1), "31Foo99")  // warns once, as it is typed
          .Choose(SelectActionId(1), kActionNone)
          .Choose(SelectActionId(0), kActionAdd)
          .Choose(SelectFieldId(0), kFieldYear)
          .Choose(SelectRelationId(0), kRelationLess)
          .Type(SelectValueId(0), "19x5")
          .Choose(SelectActionId(2), kActionNone)
          .Choose(SelectActionId(3), kActionNone)
          .Press(kIdSelectClear)
          .Do([&](DalDialog& open) {
            afterRefusal = open.window->Control(kIdSelectRadios)->ItemCount();
            boxesAfterRefusal = boxes.boxes().size();
          })
          .Type(SelectValueId(0), "1935")
          .Press(kIdSelectClear)
          .Do([&](DalDialog& open) { afterClear = open.window->Control(kIdSelectRadios)->ItemCount(); })
          .Cancel());
  Command(kCommandViewNew);
  EXPECT_EQ(Texts(boxes.boxes()),
            (std::vector<std::string>{"Date must be of the form 'ddMmmyy' or 'ddMmmyyyy'.",
                                      "'19x5' is not a whole number (between -2147483648 and 2147483647)."}));
  EXPECT_EQ(boxesAfterRefusal, 2u);
  EXPECT_EQ(afterRefusal, static_cast<int>(before.size()));  // nothing was selected
  EXPECT_GT(afterClear, 0);
  EXPECT_NE(afterClear, static_cast<int>(before.size()));
  EXPECT_EQ(test::Ids(program_.state().selection.current), before);
  EXPECT_EQ(program_.pane().Count(), static_cast<int>(before.size()));
}

// The pane's cells on the device: a click on the first or last pixel row of a cell picks and
// highlights that cell, and below the last entry none; the highlight frame lies one pixel inside
// the picture cell's edge on every side; text cells carry no frame; an emptied pane is background
// everywhere.
TEST_F(ProgramRun, PaneCellsAreHitFramedAndFilledOnTheirOwnRows) {
  ui::WindowDescriptor& pane = program_.paneWindow();
  const draw::Surface& surface = pane.surface;
  const int top = pane.drawable.top;
  ASSERT_GE(program_.pane().Count(), kPaneCells);
  ASSERT_NE(top % kPaneCells, 0) << "a height that divides evenly hides the off-by-one";
  const auto click = [&](int deviceRow) {
    ui::SendWindowMessage(pane, {.message = ui::kMessageLeftDown, .x = 10, .y = top - deviceRow});
    Settle();
    return CurrentId();
  };
  const QRgb yellow = qRgb(255, 255, 0);
  const auto isYellow = [&](const QImage& image, int x, int row) {
    return (image.pixel(x, row) & 0xffffff) == (yellow & 0xffffff);
  };
  int framed = 0;
  for (int r = 0; r < kPaneCells; ++r) {
    const draw::Rect cell = PaneCellArea(surface, r);
    const int firstRow = top - cell.top, lastRow = top - cell.bottom - 1;
    const RadioRecord* radio = program_.pane().RadioAt(program_.pane().First() + r);
    ASSERT_NE(radio, nullptr);
    EXPECT_EQ(click(lastRow), radio->id) << "cell " << r;
    EXPECT_EQ(click(firstRow), radio->id) << "cell " << r;
    const QImage image = pane.device->Snapshot();
    const int middleX = (cell.left + cell.right) / 2, middleRow = (firstRow + lastRow) / 2;
    const bool picture = radio->thumbnailIndex >= 0 && isYellow(image, middleX, firstRow + 1);
    if (!picture) {
      // A text cell: nothing yellow in it at all.
      for (int row = firstRow; row <= lastRow; ++row) {
        for (int x = cell.left; x < cell.right; ++x) ASSERT_FALSE(isYellow(image, x, row)) << r << " " << row;
      }
      continue;
    }
    ++framed;
    // Along the middle column and row from each edge inwards: the edge, then the broad frame.
    const auto edges = [&](int x, int row, int dx, int drow) {
      std::string yellows;
      for (int i = 0; i < 3; ++i) yellows += isYellow(image, x + i * dx, row + i * drow) ? 'Y' : '.';
      return yellows;
    };
    EXPECT_EQ(edges(middleX, firstRow, 0, 1) + edges(middleX, lastRow, 0, -1) +
                  edges(cell.left, middleRow, 1, 0) + edges(cell.right - 1, middleRow, -1, 0),
              ".YY.YY.YY.YY")
        << "the frame of cell " << r << " from its top, bottom, left and right edge";
  }
  EXPECT_GT(framed, 0);
  EXPECT_TRUE(program_.pane().HighlightedAt(program_.pane().First() + kPaneCells - 1));
  EXPECT_EQ(program_.viewWindow().caption, "no radio");  // the view's caption is not the radio's

  // Down to the end; a click below the last entry shows no radio.
  for (int i = 0; i < 3; ++i) Command(kCommandPageDown);
  EXPECT_EQ(program_.pane().First(), program_.pane().Count() - kPaneCells);
  Command(kCommandSavedFirst);  // "Catalin sets": fewer radios than cells
  ASSERT_LT(program_.pane().Count(), kPaneCells);
  click(top - 3);
  EXPECT_EQ(program_.state().selection.currentRadio, nullptr);

  // Every cell repainted over a dark pane, now empty: nothing of the old drawing is left.
  pane.surface.FillRectangle(0, 0, pane.drawable.right, top, draw::kBlack);
  SelectionState& selection = program_.state().selection;
  selection.current.KeepOnly([](const RadioRecord*) { return false; });
  program_.RebuildPane();
  program_.DrawPane(true);
  const QImage empty = pane.device->Snapshot();
  const int cellsBottom = top - PaneCellArea(surface, kPaneCells - 1).bottom;
  for (int row = 0; row < cellsBottom; ++row) {
    for (int x = 0; x < PaneCellArea(surface, 0).right; ++x) {
      ASSERT_EQ(empty.pixel(x, row) & 0xffffff, 0xffffffu) << x << "," << row;
    }
  }
}

// Starts on what the program finds in its directory; `boxes_` answers what the start asks.
class ProgramStart : public ProgramRun {
 protected:
  void SetUp() override {}
  void TearDown() override {
    SetInstalledSampleDirectory({});
    ProgramRun::TearDown();
  }
  void Start(std::deque<int> answers) {
    boxes_ = std::make_unique<MessageBoxScript>(std::move(answers));
    StartHere();
  }
  std::unique_ptr<MessageBoxScript> boxes_;
};

// The program starts and opens its window on a settings file with a damaged window line, saying
// at most one thing about it.
struct Damage {
  const char* name;
  std::string line;         // the main window's record line it replaces
  std::string replacement;  // what stands there instead
  friend void PrintTo(const Damage& damage, std::ostream* out) { *out << damage.name; }
};

class DamagedSettings : public ProgramStart, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedSettings, StartOnTheScreen) {
  fs::copy(KORVEL_SAMPLE, dir_.path(), fs::copy_options::recursive);
  std::string settings = test::ReadFile(dir_ / "korvel.ini");
  const std::size_t at = settings.find(GetParam().line + "\n");
  ASSERT_NE(at, std::string::npos);
  test::WriteFile(dir_ / "korvel.ini", settings.replace(at, GetParam().line.size(), GetParam().replacement));
  Start({kAnswerOk, kAnswerOk});
  QWidget* window = program_.mainWindow().window;
  EXPECT_TRUE(window->isVisible());
  const QRect screen = window->screen()->geometry();
  EXPECT_TRUE(screen.intersects(window->frameGeometry())) << window->frameGeometry().x();
  EXPECT_LE(window->width(), 2 * screen.width());
  EXPECT_LE(boxes_->boxes().size(), 1u);
  for (const ShownMessageBox& box : boxes_->boxes()) EXPECT_EQ(box.icon, QMessageBox::Warning);
  EXPECT_FALSE(program_.mainWindow().surface.fonts()[0].faceName.empty());
  EXPECT_NE(program_.state().selection.currentRadio, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DamagedSettings,
    ::testing::Values(Damage{"FaceMissing", "0 11=Liberation Mono", "0 11="},
                      Damage{"FarAway", "0 0 60 60 1100 760 1", "0 0 99999999999 -99999999999 1100 760 1"},
                      Damage{"Enormous", "0 0 60 60 1100 760 1", "0 0 60 60 99999999999 99999999999 1"},
                      Damage{"Endless", "0 11=Liberation Mono",
                             "0 11=Liberation Mono" + std::string(5 << 20, ' ')}),
    [](const ::testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

// A first start, with no settings and no collection: nothing is wrong, so no word about the missing
// files, only the offer of a new collection, which the first save creates.
TEST_F(ProgramStart, AFirstStartOffersANewCollectionThatTheFirstSaveCreates) {
  Start({kAnswerYes});
  const std::vector<std::string> texts = Texts(boxes_->boxes());
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].rfind("No collection was found in '.'. Start a new, empty collection there?", 0), 0u)
      << texts[0];
  // The new collection's tables: CollectionCommands.NewRefusesADirectoryWithACollection...
  Exit(kAnswerYes);
  ASSERT_TRUE(fs::exists(dir_.path() / "korvel.ini"));
  EXPECT_EQ(ReadBack()->tables[kTableManufacturer].entries, std::vector<std::string>{"Unknown"});
}

// An installed program started where there is neither settings file nor collection also offers a
// copy of its sample, beside the settings, to look around in.
TEST_F(ProgramStart, AnInstalledFirstStartOpensACopyOfTheSampleThatTheSettingsRemember) {
  SetInstalledSampleDirectory(KORVEL_SAMPLE);
  Start({kAnswerNo});
  ASSERT_EQ(boxes_->boxes().size(), 1u);
  EXPECT_NE(boxes_->boxes()[0].text.indexOf("open a copy of the sample collection in 'korvel-sample' (No)"),
            -1);
  const Collection& collection = program_.state().collection;
  EXPECT_EQ(collection.radios.Count(), 48);
  EXPECT_EQ(program_.state().selection.current.Count(), 48);
  EXPECT_EQ(test::ReadFile(dir_ / "korvel-sample/radata.dat"),
            test::ReadFile(std::string(KORVEL_SAMPLE) + "/radata.dat"));
  EXPECT_FALSE(collection.changed);

  Exit(kAnswerYes);
  const std::string settings = test::ReadFile(dir_ / "korvel.ini");
  EXPECT_NE(settings.find("\nkorvel-sample --- Data File Directory ---"), std::string::npos)
      << settings.substr(0, 80);
  EXPECT_FALSE(fs::exists(dir_.path() / "radata.dat"));  // the user's own directory holds only the settings
}

// Random bytes where the data file should be: said once, by name, and left alone unless saved.
TEST_F(ProgramStart, AForeignDataFileIsNamedOnceAndNotWrittenOver) {
  std::string noise;
  for (int i = 0; i < 5000; ++i) noise.push_back(static_cast<char>((i * 7919 + 13) % 256));
  test::WriteFile(dir_ / "radata.dat", noise);
  Start({kAnswerOk, kAnswerNo});
  const std::vector<std::string> texts = Texts(boxes_->boxes());
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(boxes_->boxes()[0].icon, QMessageBox::Critical);
  EXPECT_EQ(
      texts[0],
      "'./radata.dat' is not a Korvel data file, so nothing was read from it. Nothing is written over it "
      "unless you save; a save keeps it as a numbered backup.");
  EXPECT_EQ(texts[1].rfind("No collection was found", 0), 0u);
  Exit(kAnswerYes);
  EXPECT_EQ(test::ReadFile(dir_ / "radata.dat"), noise);
}

}  // namespace
}  // namespace korvel

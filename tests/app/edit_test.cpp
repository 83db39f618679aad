// Whole editing journeys on a copy of the sample collection: each command runs through its
// dialogs (answered by scripts) and message boxes, and the collection saved at Exit/Yes is read
// back to see what reached the data file.

#include <QApplication>
#include <algorithm>
#include <deque>
#include <map>
#include <set>
#include <tuple>

#include "program_on_sample.h"
#include "selection/criteria.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui/dialogs/dialog_template.h"
#include "util/message.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;

enum NotebookPage {
  kDescription = 0,
  kPictures = 3,
  kTubes1 = 6,
  kAcquisition = 8,
  kStatus = 9,
  kDisposition = 11
};

class EditRun : public test::ProgramOnSample {
 protected:
  // Exit, Yes, with the exit question counting the changes so (when given); the data file read back as
  // korvel-tool dump reads it. The file as it was before stays as the first backup, and the settings are
  // written.
  std::unique_ptr<Collection> SaveAndReload(const std::string& counts = "") {
    const std::string question = Exit(kAnswerYes);
    EXPECT_TRUE(counts.empty() || question.starts_with(counts + ";")) << question;
    EXPECT_EQ(test::ReadFile(dir_ / "radata.000"), dataBefore_) << "the collection before the edit was lost";
    EXPECT_NE(test::ReadFile(dir_ / "korvel.ini"), settingsBefore_) << "the settings were not saved";
    return ReadBack();
  }
};

constexpr int kPhilco = 9;

// A bound field stands on a control of its kind: a typed text on an edit box, a choice on a
// drop-down, a tick on a check box.
bool FitsItsControl(const DalFieldInfo& field, TemplateControl control) {
  using enum TemplateControl;
  const std::set<TemplateControl> edits = {kEdit, kReadOnlyEdit, kMultiLineEdit},
                                  lists = {kList, kMultiList, kPictureList};
  const std::map<int, std::set<TemplateControl>> fits = {
      {kDalEdit, edits},     {kDalMultiPart, edits},  {kDalCombo, {kCombo, kEditableCombo}},
      {kDalCheck, {kCheck}}, {kDalButton, {kButton}}, {kDalList, lists},
      {kDalPlainList, lists}};
  const auto kinds = fits.find(field.kind);
  return kinds == fits.end() || kinds->second.contains(control);
}

TEST_F(EditRun, AddNamesPicturesAfterBrandAndModelRegistersExtrasAndFillsTheLineUp) {
  PictureRegistry& registry = program_.state().registry;
  const int firstId = collection().nextId;
  const int entries = registry.EntryCount();

  // A cancelled Add uses up its identifier and leaves nothing behind.
  DalQueueScript(DalScript().Choose(kIdBrand, kPhilco).Type(kIdModel, "90").Cancel());
  Command(kCommandAdd);
  EXPECT_EQ(collection().nextId, firstId + 1);
  EXPECT_EQ(collection().radios.Count(), 48);
  EXPECT_EQ(registry.EntryCount(), entries);

  std::string shownId, shownPicture;
  int shownManufacturer = -1;
  DalQueueScript(
      DalScript()
          .Do([&](DalDialog& d) { shownId = d.window->Control(kIdRadioIdentifier)->Text(); })
          .Choose(kIdBrand, kPhilco)
          .Type(kIdModel, "90")
          .Do([&](DalDialog& d) { shownManufacturer = d.window->Control(kIdManufacturer)->CurrentItem(); })
          .Page(kPictures)
          .Do([&](DalDialog& d) { shownPicture = d.window->Control(kIdPictureFile)->Text(); })
          .Type(kIdExtraPictureFiles, "pictures\\philco\\90back.jpg,pictures\\philco\\90chass.jpg")
          .Page(kTubes1)
          .Type(TubeTextId(0), "12sa7")
          .Press(kIdSearchFill)
          .Ok());
  Command(kCommandAdd);
  EXPECT_EQ(shownId, std::to_string(firstId + 1));
  EXPECT_EQ(shownManufacturer, collection().brandManufacturer[kPhilco]);
  // Philco 90 is taken by radio 3: the new names are the "a" variants.
  EXPECT_EQ(shownPicture, "pictures\\philco\\90a.jpg");

  RadioRecord* added = Radio(firstId + 1);
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(program_.state().selection.current.Count(), 1);
  EXPECT_EQ(program_.state().selection.currentRadio, added);
  EXPECT_EQ(program_.pane().Count(), 1) << "the pane still lists the radios selected before Add";
  EXPECT_TRUE(program_.pane().HighlightedAt(0));
  // The extra pictures are registered at once, as after loading.
  ASSERT_EQ(added->extraPictureCount, 2);
  EXPECT_EQ(registry.UseCount(added->extraPictureIndex[1]), 1);
  EXPECT_TRUE(registry.IsUsed("pictures\\philco\\90a.jpg"));

  // A second Philco 90 finds "a" taken as well.
  DalQueueScript(DalScript().Choose(kIdBrand, kPhilco).Type(kIdModel, "90").Ok());
  Command(kCommandAdd);

  const auto saved = SaveAndReload("2 radios added, 0 radios modified, 0 radios deleted");
  const RadioRecord* first = saved->radios.FindById(firstId + 1);
  const RadioRecord* second = saved->radios.FindById(firstId + 2);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(first->model, "90");
  EXPECT_EQ(first->extraPictureFiles[0], "pictures\\philco\\90back.jpg");
  EXPECT_EQ(first->tubes[0], (TubeSlot{kFunctionConverter, "12SA7"}));
  EXPECT_EQ(first->tubes[4], (TubeSlot{kFunctionRectifier, "35Z5"})) << "Search/Fill's line-up was not saved";
  EXPECT_EQ(second->pictureFile, "pictures\\philco\\90b.jpg");
  EXPECT_EQ(second->thumbnailFile, "pictures\\philco\\smallpix\\90b.jpg");
  EXPECT_EQ(saved->radios.FindById(firstId), nullptr);
  EXPECT_EQ(saved->nextId, firstId + 3);
}

TEST_F(EditRun, ModifyRefusesBadInputUntilCorrectedAndClearsWhatTheStatusDoesNotAllow) {
  RadioRecord* sold = Radio(29);  // Arvin 444, sold
  ASSERT_EQ(sold->status, kStatusSold);
  ASSERT_FALSE(sold->dateDisposed.empty());
  bool disposedEnabled = true;
  DalQueueScript(
      DalScript()
          .Type(kIdYear, "19x5")
          .Ok()
          .Type(kIdYear, "1939")
          .Type(kIdModel, "444\nSecond line")
          .Ok()
          .Type(kIdModel, std::string(1025, 'M'))
          .Ok()
          .Type(kIdModel, "444")
          .Page(kAcquisition)
          .Type(kIdDateAcquired, "12Foo1950")
          .Ok()
          .Type(kIdDateAcquired, "05mar1951")
          .Page(kPictures)
          .Type(kIdPictureFile, "pictures\\arvin\\444front.jpg")
          .Page(kStatus)
          .Choose(kIdStatus, kStatusRestored)
          .Page(kDisposition)
          .Do([&](DalDialog& d) { disposedEnabled = d.window->Control(kIdDateDisposed)->IsEnabled(); })
          .Ok());
  // Four refusals and the library's own warning for the date; then the old picture, which no
  // radio uses any more, is offered for deletion: No keeps it.
  MessageBoxScript boxes({kAnswerOk, kAnswerOk, kAnswerOk, kAnswerOk, kAnswerOk, kAnswerNo});
  Modify(sold);
  const std::vector<std::string> texts = Texts(boxes.boxes());
  for (const std::string part :
       {"Year: Please enter a whole number", "Model: The text may not hold line breaks",
        "Model: The text holds at most 1024 characters.", "Date Acquired: This is not a date", "444.jpg"}) {
    EXPECT_TRUE(
        std::any_of(texts.begin(), texts.end(), [&](const std::string& t) { return t.find(part) != t.npos; }))
        << "not said: " << part;
  }
  EXPECT_FALSE(disposedEnabled);
  EXPECT_TRUE(fs::exists(dir_.path() / "pictures" / "arvin" / "444.jpg"));

  // Cancel leaves the radio as it was.
  RadioRecord* philco = Radio(3);
  const std::string model = philco->model;
  DalQueueScript(DalScript().Type(kIdModel, "Changed").Page(kStatus).Type(kIdValue, "999").Cancel());
  Modify(philco);
  EXPECT_EQ(philco->model, model);

  const auto saved = SaveAndReload("0 radios added, 1 radios modified, 0 radios deleted");
  const RadioRecord* r = saved->radios.FindById(29);
  ASSERT_NE(r, nullptr);
  // Year, model, date acquired, picture, status, and the disposal that the status cleared.
  EXPECT_EQ(
      std::tie(r->year, r->model, r->dateAcquired, r->pictureFile, r->status, r->dateDisposed,
               r->whereDisposed, r->sellingPrice),
      std::make_tuple(1939, "444", "05Mar1951", "pictures\\arvin\\444front.jpg", kStatusRestored, "", "", 0));
  EXPECT_NE(saved->radios.FindById(3)->value, 999);
}

TEST_F(EditRun, StatusChangesAndOkKeepWhatWasTyped) {
  // A sold radio: the sale typed anew survives choosing statuses, even one that closes the fields.
  RadioRecord* sold = Radio(29);
  DalQueueScript(DalScript()
                     .Page(kDisposition)
                     .Type(kIdWhereDisposed, "Estate Sale")
                     .Type(kIdDisposalPrice, "75")
                     .Page(kStatus)
                     .Choose(kIdStatus, kStatusSold)
                     .Choose(kIdStatus, kStatusForSale)
                     .Choose(kIdStatus, kStatusRestoredAndSold)
                     .Ok());
  Modify(sold);
  EXPECT_EQ(sold->whereDisposed, "Estate Sale") << "the place of sale typed before a status change was lost";
  EXPECT_EQ(sold->sellingPrice, 75);

  // A radio waiting for restoration, on view, keeps its repairs notes through Modify and OK, and its
  // yellow frame in the pane.
  const std::vector<RadioRecord*> all = collection().radios.Records();
  RadioRecord* waiting = *std::find_if(all.begin(), all.end(), [](const RadioRecord* r) {
    return r->status == kStatusToBeRestored && !r->repairsNeeded.empty();
  });
  const std::string notes = waiting->repairsNeeded;
  program_.state().selection.current = collection().radios;
  SetCurrentRadio(program_.state().selection, waiting);
  Command(kCommandShowCurrent);
  DalQueueScript(DalScript().Ok());
  Modify(waiting);
  EXPECT_EQ(waiting->repairsNeeded, notes) << "Modify and OK erased the repairs notes";
  int framed = -1;
  for (int i = 0; i < program_.pane().Count(); ++i) framed = program_.pane().HighlightedAt(i) ? i : framed;
  ASSERT_GE(framed, 0) << "no radio is framed in the pane after Modify";
  EXPECT_EQ(program_.pane().RadioAt(framed), waiting);
}

// Every page shows its fields whole, each on a control of its kind, in a notebook of one size.
TEST_F(EditRun, EveryNotebookPageShowsASampleRadio) {
  RadioRecord* zenith = Radio(19);  // Trans-Oceanic, restored: extra pictures, tubes, references
  ASSERT_EQ(zenith->status, kStatusRestored);
  std::vector<int> shown;
  std::string firstTube, extras;
  bool repairsEnabled = false, disposedEnabled = true;
  std::set<std::pair<int, int>> sizes;
  DalScript script;
  for (int page = 0; page < 13; ++page) {
    script.Page(page).Do([&](DalDialog& d) {
      shown.push_back(d.templateId);
      QWidget* notebook =
          static_cast<QtNotebookWindow*>(program_.radioNotebook().notebook().window)->widget();
      notebook->show();  // a script runs the notebook without showing it
      QApplication::processEvents();
      sizes.insert({notebook->width(), notebook->height()});
      for (const DalFieldInfo& field : d.fields) {
        if (field.controlId == 0) continue;  // a callback without a control
        auto* control = static_cast<WidgetControl*>(d.window->Control(field.controlId));
        QWidget* widget = control != nullptr ? control->widget() : nullptr;
        EXPECT_TRUE(widget != nullptr && widget->isVisible() &&
                    notebook->rect().contains(QRect(widget->mapTo(notebook, QPoint(0, 0)), widget->size())))
            << "field " << field.controlId << " of page " << d.templateId << " is hidden or cut off";
        for (const ControlTemplate& control : FindDialogTemplate(d.templateId)->controls) {
          EXPECT_TRUE(control.id != field.controlId || FitsItsControl(field, control.kind))
              << "field " << field.controlId << " of page " << d.templateId
              << " is on the wrong kind of control";
        }
      }
      if (d.templateId == kDialogTubes1) firstTube = d.window->Control(TubeTextId(0))->Text();
      if (d.templateId == kDialogPictures) extras = d.window->Control(kIdExtraPictureFiles)->Text();
      if (d.templateId == kDialogRepairs) repairsEnabled = d.window->Control(kIdDateRepaired)->IsEnabled();
      if (d.templateId == kDialogDisposition)
        disposedEnabled = d.window->Control(kIdDateDisposed)->IsEnabled();
    });
  }
  DalQueueScript(script.Cancel());
  Modify(zenith);
  EXPECT_EQ(shown,
            (std::vector<int>{kDialogDescription, kDialogCabinet, kDialogGrillDial, kDialogPictures,
                              kDialogExtras, kDialogCircuit, kDialogTubes1, kDialogTubes2, kDialogAcquisition,
                              kDialogStatus, kDialogRepairs, kDialogDisposition, kDialogNotes}));
  EXPECT_EQ(firstTube, "1U4");  // the RF amplifier leads
  EXPECT_EQ(extras, "pictures\\zenith\\trnsc500_1.jpg,pictures\\zenith\\trnsc500_2.jpg");
  EXPECT_TRUE(repairsEnabled);
  EXPECT_FALSE(disposedEnabled);
  EXPECT_EQ(sizes.size(), 1u) << "the notebook changes its size from page to page";
}

TEST_F(EditRun, DeletePurgesTheRadioFromTheSelectionTheStackAndThePaneAndAsksWithTheRadioOnView) {
  SelectionState& selection = program_.state().selection;
  RadioRecord* gone = Radio(1);
  RadioRecord* kept = Radio(2);
  selection.stack.selections[0] = std::make_unique<RadioList>();
  InsertRadio(collection().tables, gone, *selection.stack.selections[0]);
  InsertRadio(collection().tables, kept, *selection.stack.selections[0]);
  selection.stack.depth = 1;
  const int picture = gone->pictureIndex;
  PictureRegistry& registry = program_.state().registry;
  ASSERT_EQ(registry.UseCount(picture), 1);

  SelectOnly({1, 2});
  const std::vector<std::string> asked = Texts(Asked(kCommandDelete, {kAnswerYes, kAnswerNo}));
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0], "Are you sure you want to delete this radio?");
  EXPECT_EQ(collection().radios.FindById(1), nullptr);
  EXPECT_NE(collection().radios.FindById(2), nullptr);
  EXPECT_TRUE(selection.current.Empty());
  EXPECT_EQ(selection.currentRadio, nullptr);
  EXPECT_EQ(selection.stack.selections[0]->Count(), 1);
  EXPECT_EQ((*selection.stack.selections[0])[0], kept);
  EXPECT_EQ(program_.pane().Count(), 0);
  EXPECT_EQ(registry.UseCount(picture), 0);

  // Delete asks about a radio the user sees: its description is on view when the question comes,
  // whatever the view showed before.
  for (const int view : {kCommandGraphCostValue, kCommandInventoryTube, kCommandList}) {
    if (view == kCommandList) DalQueueScript(DalScript().Ok());
    Command(view);
    ASSERT_NE(program_.state().viewMode, kViewDescription);
    SelectOnly({7});
    int modeAsked = -1;
    const RadioRecord* radioAsked = nullptr;
    SetMessagePresenter([&](const Message&) {
      modeAsked = program_.state().viewMode;
      radioAsked = program_.state().selection.currentRadio;
      return kAnswerNo;
    });
    Command(kCommandDelete);
    InstallMessageBoxes(program_.mainWindow().window);
    EXPECT_EQ(modeAsked, kViewDescription)
        << "Delete asked from view command " << view << " without the radio";
    EXPECT_EQ(radioAsked, Radio(7));
  }

  const auto saved = SaveAndReload("0 radios added, 0 radios modified, 1 radios deleted");
  EXPECT_EQ(saved->radios.Count(), 47);
  EXPECT_EQ(saved->radios.FindById(1), nullptr);
}

// Table Insert: refusals, a position inserted with the notebook open, a brand with its manufacturer,
// and entries that selections, graphs and line-ups must follow.
TEST_F(EditRun, TableInsertRenumbersTheRadiosTheOpenNotebookListsAndEverySelection) {
  // Refusals first: none of them changes a table.
  const auto entries = [this] {
    std::vector<std::vector<std::string>> all;
    for (const LookupTable& table : collection().tables) all.push_back(table.entries);
    return all;
  };
  // Each refusal keeps the dialog open with what was typed.
  const auto before = entries();
  std::string kept;
  DalQueueScript(DalScript()
                     .Choose(kIdTableName, kTableStatus)
                     .Type(kIdNewEntry, "Lent Out")
                     .Ok()
                     .Choose(kIdTableName, kTableBrandName)
                     .Type(kIdNewEntry, "Airline")
                     .Ok()
                     .Choose(kIdTableName, kTablePosition)
                     .Type(kIdNewEntry, "3 Way")
                     .Ok()
                     .Type(kIdNewEntry, std::string(72, 'x'))
                     .Ok()
                     .Type(kIdNewEntry, "left front")
                     .Ok()
                     .Do([&](DalDialog& d) { kept = d.window->Control(kIdNewEntry)->Text(); })
                     .Cancel());
  EXPECT_EQ(Texts(Asked(kCommandTableInsert)),
            (std::vector<std::string>{"cannot alter this table.", "You must specify a default manufacturer.",
                                      "New Entry: An entry may not begin with a digit.",
                                      "New Entry: An entry here holds at most 71 characters.",
                                      "this entry already present."}));
  EXPECT_EQ(kept, "left front");
  EXPECT_EQ(entries(), before);

  // A position inserted while the notebook is open on radio 29 (dial Right Front, grill Left Front).
  RadioRecord* arvin = Radio(29);
  std::vector<std::string> dialItems;
  int dialChoice = -1, grillChoice = -1;
  DalQueueScript(DalScript()
                     .Page(2)
                     .Do([this](DalDialog&) { ui::SendCommand(program_.mainWindow(), kCommandTableInsert); })
                     .Do([&](DalDialog& d) {
                       DalControl* dial = d.window->Control(kIdTuningDialPosition);
                       for (int i = 0; i < dial->ItemCount(); ++i) dialItems.push_back(dial->ItemText(i));
                       dialChoice = dial->CurrentItem();
                       grillChoice = d.window->Control(kIdGrillPosition)->CurrentItem();
                       EXPECT_EQ(d.window->Control(kIdGrillPosition)->ItemText(0), "Center Front");
                     })
                     .Ok());
  DalQueueScript(DalScript().Choose(kIdTableName, kTablePosition).Type(kIdNewEntry, "center front").Ok());
  // A brand whose manufacturer is given by its first letters.
  DalQueueScript(DalScript().Type(kIdNewEntry, "airline").Type(kIdExtraInformation, "sea").Ok());
  Modify(arvin);
  Command(kCommandTableInsert);
  ASSERT_FALSE(dialItems.empty());
  EXPECT_EQ(dialItems.front(), "Center Front");
  EXPECT_EQ(dialItems[dialChoice], "Right Front");
  EXPECT_EQ(grillChoice, 2);

  SelectionState& selection = program_.state().selection;
  ASSERT_EQ(selection.saved[0].name, "Catalin sets");
  selection.parameters = selection.saved[0];
  const auto macro = std::find_if(collection().macros.begin(), collection().macros.end(),
                                  [](const SelectionMacro& m) { return m.name == "Catalin Still Here"; });
  ASSERT_NE(macro, collection().macros.end());
  // Every holder of a Cabinet Composition position, and the radios it picks.
  const Criterion* holders[] = {&selection.parameters.rows[0], &selection.saved[0].rows[0],
                                &macro->entries[0].criterion};
  const auto picks = [this, &holders] {
    std::vector<std::vector<int>> ids;
    for (const Criterion* c : holders) {
      ids.emplace_back();
      for (const RadioRecord* r : collection().radios.Records())
        if (RadioMatches(*r, *c)) ids.back().push_back(r->id);
    }
    return ids;
  };
  const auto picked = picks();
  ASSERT_FALSE(picked[0].empty());
  // The Distribution graph's slices by entry name.
  const auto slices = [this] {
    const graphs::DistributionData& kept = program_.graphs().distribution;
    std::map<std::string, std::uint32_t> named;
    for (std::size_t i = 0; i < kept.counters.size(); ++i)
      if (kept.counters[i] > 0)
        named[collection().tables[kTableCabinetComposition].Text(int(i))] = kept.counters[i];
    return named;
  };
  DalQueueScript(DalScript().Choose(kIdDistributionField, 2).Ok());  // Cabinet Composition
  Command(kCommandGraphDistribution);
  const auto slicesBefore = slices();

  // Before Bakelite, and before Battery: selections, graphs and line-ups stay on their entries.
  DalQueueScript(
      DalScript().Choose(kIdTableName, kTableCabinetComposition).Type(kIdNewEntry, "Aluminum").Ok());
  DalQueueScript(DalScript().Choose(kIdTableName, kTablePowerSource).Type(kIdNewEntry, "Accumulator").Ok());
  Command(kCommandTableInsert);
  Command(kCommandTableInsert);
  EXPECT_EQ(picks(), picked) << "the current, saved or macro selection picks other radios after the insert";
  EXPECT_EQ(slices(), slicesBefore) << "the graph's slices are named after other entries";

  // A battery set gets no rectifier from Search/Fill, with the power chosen a page before.
  const LookupTable& power = collection().tables[kTablePowerSource];
  const int battery =
      int(std::find(power.entries.begin(), power.entries.end(), "Battery") - power.entries.begin());
  std::vector<std::string> tubes;
  DalQueueScript(DalScript()
                     .Page(5)  // Circuit
                     .Choose(kIdPower, battery)
                     .Page(kTubes1)
                     .Type(TubeTextId(0), "12sa7")
                     .Press(kIdSearchFill)
                     .Do([&](DalDialog& d) {
                       for (int row = 0; row < kTubeRowsPerPage; ++row)
                         tubes.push_back(d.window->Control(TubeTextId(row))->Text());
                     })
                     .Cancel());
  Command(kCommandAdd);
  EXPECT_EQ(std::count(tubes.begin(), tubes.end(), "35Z5"), 0) << "a battery set was given a rectifier";
  EXPECT_EQ(std::count(tubes.begin(), tubes.end(), "50L6"), 1);

  const auto saved = SaveAndReload();
  const LookupTable& positions = saved->tables[kTablePosition];
  const RadioRecord* r = saved->radios.FindById(29);
  EXPECT_EQ(positions.Text(0), "Center Front");
  EXPECT_EQ(positions.Text(r->dialPosition), "Right Front");
  EXPECT_EQ(positions.Text(r->grillPosition), "Left Front");
  EXPECT_EQ(saved->tables[kTableBrandName].Text(0), "Airline");
  EXPECT_EQ(saved->tables[kTableManufacturer].Text(saved->brandManufacturer[0]), "Sears, Roebuck and Co.");
  EXPECT_EQ(saved->tables[kTableBrandName].Text(r->brand), "Arvin");
  EXPECT_EQ(saved->tables[kTableBrandName].Text(saved->radios.FindById(3)->brand), "Philco");
  Settings written;
  ReadSettings(dir_ / "korvel.ini", written);
  EXPECT_EQ(written.saved[0].rows[0].value, 2) << "korvel.ini's Catalin sets now names another entry";
}

}  // namespace
}  // namespace korvel

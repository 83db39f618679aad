#include "app/program.h"

#include <QApplication>
#include <QStyle>
#include <algorithm>

#include "app/catalogue_command.h"
#include "app/collection_commands.h"
#include "app/file_commands.h"
#include "app/import_commands.h"
#include "app/quick_filter_field.h"
#include "app/radio_table_view.h"
#include "app/selection_dialog.h"
#include "app/table_insert.h"
#include "app/table_print.h"
#include "app/tour_commands.h"
#include "collection/changes.h"
#include "collection/radio_ops.h"
#include "collection/tables.h"
#include "pictures/picture_cells.h"
#include "pictures/picture_files.h"
#include "pictures/picture_list_drawer.h"
#include "pictures/picture_registration.h"
#include "selection/criteria.h"
#include "selection/saved_selections.h"
#include "ui/frame/command_ids.h"
#include "ui/frame/menu_table.h"
#include "ui/frame/message_box.h"
#include "ui/frame/program_menu.h"
#include "ui/painting/window_fonts.h"
#include "ui/windows/window_frame.h"
#include "ui/windows/window_placement.h"
#include "ui/windows/window_widget.h"
#include "util/alu_encoding.h"
#include "util/alu_file.h"
#include "util/alu_path.h"
#include "util/alu_string.h"
#include "util/message.h"

namespace korvel {

using namespace ui;

namespace {

constexpr int kCaptionMajor = 1;
constexpr int kCaptionBuild = 15;

const char* const kAboutText =
    "Korvel keeps the catalogue of an antique radio collection. It was first written in 1989 to keep "
    "track of a growing collection of radios; the program and the collection have grown together "
    "ever since.";

draw::Font Courier(int size) {
  draw::Font font;
  font.faceName = "Courier";
  font.pointSize = size;
  return font;
}

void ProgramColours(WindowDescriptor& window) {
  window.surface.SetWindowColours(draw::kWhite, draw::kBlack, draw::kYellow);
  window.surface.SetDefaultLine(draw::kLineSolid, 1);
}

int ScrollBarWidth() {
  return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

}  // namespace

Program::Program() {
  // The main and view windows.
  main_.name = "main";
  main_.caption =
      AluFormat("Korvel V%d.%d.%d.%d", kCaptionMajor, kDataFileVersion, kSettingsVersion, kCaptionBuild);
  main_.helpFile = "korvel.htm";
  main_.aboutText = kAboutText;
  main_.id = 1;
  main_.acceleratorId = 10000;
  main_.flags = kFlagMenu | kFlagCaption | kFlagSizingFrame | kFlagSystemMenu | kFlagMinMaxBoxes |
                kFlagAccelerators | kFlagHelp | kFlagIcon;
  ProgramColours(main_);
  main_.surface.SetFonts({Courier(12)});
  main_.handler = [this](WindowDescriptor& w, const WindowMessage& m) { return MainProcedure(w, m); };

  view_.name = "view";
  view_.caption = "no radio";
  view_.id = 3;
  view_.acceleratorId = 10003;
  view_.flags = kFlagAcceptFiles;
  view_.parent = &main_;
  ProgramColours(view_);
  view_.surface.SetFonts({Courier(12)});
  view_.handler = [this](WindowDescriptor& w, const WindowMessage& m) { return ViewProcedure(w, m); };

  // The selection pane.
  paneWindow_.name = "selection";
  paneWindow_.id = 2;
  paneWindow_.flags = kFlagVerticalScroll;
  paneWindow_.parent = &main_;
  ProgramColours(paneWindow_);
  paneWindow_.surface.SetFonts({Courier(8)});
  paneWindow_.handler = [this](WindowDescriptor& w, const WindowMessage& m) { return PaneProcedure(w, m); };
}

Program::~Program() {
  Finish();
}

bool Program::Start() {
  state_.registry.Clear();
  const bool settingsFound = AluFileExists(state_.settingsPath);
  const bool settingsRead = ReadSettings(state_.settingsPath, state_.settings) >= 0;
  const Settings& settings = state_.settings;
  ApplyWindowParameters(main_, settings.mainWindow);
  ApplyWindowParameters(paneWindow_, settings.pane);
  ApplyWindowParameters(view_, settings.view);
  InitScreen();

  WindowDescriptor* mainOnly[] = {&main_};
  if (!CreateWindows(mainOnly)) return false;
  started_ = true;

  // The collection, its pictures and the selection the settings remember.
  ShowWaitCursor();
  // Without a directory from the settings the collection lives in the current one (never the
  // root). Where there is no data file at all, a first start, nothing is wrong: the offer below
  // says what there is to say.
  const std::string directory = settings.dataDirectory.empty() ? std::string(".") : settings.dataDirectory;
  LoadOutcome loaded;
  if (DataFileExists(directory)) loaded = LoadCollection(directory, state_.collection);
  state_.paths = loaded.paths;
  state_.diskStamp = loaded.stamp;
  if (!loaded.opened) {
    // Nothing to open: an empty collection whose tables new radios can point into.
    state_.paths = MakeDataFilePaths(directory);
    StartNewCollection(state_.collection);
    state_.collection.nextBackupNumber = ContinueBackupNumbers(state_.paths);
  }
  AttachCollection();
  state_.selection.saved = settings.saved;
  state_.selection.parameters = settings.current;
  RestoreSelection(state_.selection, state_.collection, settings.selection, settings.currentRadio);
  if (!settingsRead && settingsFound) {
    // Settings that could not be read remember no selection: the whole collection is shown.
    state_.selection.current = state_.collection.radios;
    ShowFirstMember(state_.selection);
  }
  state_.selection.parameters.filter = FindMacro(state_.collection, state_.selection.parameters.filterName);
  ShowArrowCursor();
  PostCommand(main_, kCommandStartUp);
  main_.client()->setFocus();

  WindowDescriptor* children[] = {&view_, &paneWindow_};
  if (!CreateWindows(children)) return false;
  MakeViewWidgets();
  LayoutPanes();

  ProgramMenuBar* menu = main_.window->menuBar();
  if (menu != nullptr) {
    const int size = std::clamp(settings.tourSize, 1, 8);
    menu->CheckMenuPair(kTourMenuPosition, kTourSizeMenuPosition, kCommandTourSizeBase + size, size - 1,
                        true);
    tour_.SetTourSize(size);
    SavedMenuItems saved(*menu);
    RebuildSavedMenu(state_.selection, saved);
  }
  ResolveSavedFilters(state_.selection, state_.collection);
  tour_.StartTourThread();
  StartWindowTimer(main_, kTimerId, kTimerMilliseconds);
  main_.window->show();
  InstallMessageBoxes(main_.window);
  // One program writes a collection: a second one looks at it read-only, or not at all.
  if (!LockCollection(state_.paths.directory, state_.lock, state_.readOnly)) {
    state_.readOnly = true;  // leaving writes nothing
    ShowPane(false);
    PostQuitMessage();
    return true;
  }
  if (!state_.readOnly && OfferLeftoverSave()) loaded.opened = true;
  if (!loaded.opened && !state_.readOnly) {
    const std::string sample = InstalledSampleDirectory();
    if (!sample.empty() && !settingsFound && !DataFileExists(state_.paths.directory)) {
      OfferSampleOrNewCollection(sample);
    } else if (OfferNewCollection(state_.paths.directory)) {
      state_.collection.changed = true;
    }
  }
  ForgetUndoHistory();
  ShowUnsavedMark();
  return true;
}

void Program::AttachCollection() {
  state_.settings.dataDirectory = state_.paths.directory;
  state_.registry.Clear();
  state_.registry.SetDataDirectory(state_.paths.directory);
  RegisterCollectionPictures(state_.collection, state_.registry);
  InstallPictureListDrawer(state_.paths.directory);
  ResetSelection(state_.selection);
  ForgetUndoHistory();
}

// A first start, or a data directory that holds no collection: the user may begin one there. It is
// written at the first save.
bool Program::OfferNewCollection(const std::string& directory) {
  const std::string where = AluNativePath(directory);
  return ShowMessage(
             kNote, kButtonsYesNo,
             "No collection was found in '%s'. Start a new, empty collection there? It is written when "
             "you save (File > Save, or Yes when you leave Korvel).",
             where.c_str()) == kAnswerYes;
}

int Program::Run() {
  RunMessageLoop();
  return 0;
}

void Program::Finish() {
  if (finished_ || !started_) return;
  finished_ = true;
  state_.lock.Release();  // ended: another program may open the collection now
  tour_.EndTourThread();  // before the view it draws on goes
  if (main_.window != nullptr) {
    StopWindowTimer(main_, kTimerId);
    // The field, the table and the status bar go with the window; nothing may reach them after.
    filterField_ = nullptr;
    table_ = nullptr;
    statusBar_ = nullptr;
    countLabel_ = nullptr;
    DestroyWindow(main_);
  }
  SetMessageOwner(nullptr);
  state_.registry.Clear();
}

bool Program::Maximised() const {
  return (main_.state & kStateMaximised) != 0;
}

// ---- The main window ------------------------------------------------------------------------

long Program::MainProcedure(WindowDescriptor& window, const WindowMessage& message) {
  switch (message.message) {
    case kMessageTimer:
      if (tour_.Running()) {
        tour_.TimerTick();
        return 0;
      }
      ReportUnshownPictures(state_.registry);
      if (held_) {
        held_ = false;
        ShowPane(true);
        view_.surface.Clear();
        if (heldCommand_.message == kMessageClose) {
          ExitPrompt();
        } else {
          Command(static_cast<int>(heldCommand_.first), heldCommand_.second);
        }
      }
      return 0;
    case kMessageSize:
      LayoutPanes();
      return 0;
    case kMessageClose:
      if (!state_.ready) return 0;
      [[fallthrough]];
    case kMessageCommand:
      if (tour_.Running() &&
          !(message.message == kMessageCommand && RunsDuringTour(static_cast<int>(message.first)))) {
        // The tour stops first (after the picture growing or shrinking now); the command, or the
        // exit question, follows at the first tick after.
        held_ = true;
        heldCommand_ = message;
        tour_.StopTour();
        return 0;
      }
      if (message.message == kMessageClose) {
        ExitPrompt();
        return 0;
      }
      // A new tour size while the tour is stopping leaves the command held for the stop: it still
      // runs, and brings the pane back, when the tour has ended.
      if (!tour_.Running()) held_ = false;
      Command(static_cast<int>(message.first), message.second);
      return 0;
    case kMessageLeftDown:
    case kMessageRightDown:
    case kMessageDropFiles:
      Navigate(message);
      return 0;
    default:
      return DefaultWindowProcedure(window, message);
  }
}

bool Program::IsNavigation(int id) const {
  return (id >= kCommandLineUp && id <= kCommandPageDown) ||
         (id >= kCommandJumpToLetterFirst && id < kCommandJumpToLetterFirst + 26);
}

void Program::Command(int id, std::intptr_t second) {
  if (IsNavigation(id)) {
    Navigate({.message = kMessageCommand, .first = id, .second = second});
    return;
  }
  // Print and Publish for Web skip the prologue; only Publish waits for the ready flag, which
  // keeps it from starting inside another command's dialog.
  const bool prologue = id != kCommandStartUp && id != kCommandPrint && id != kCommandPublishWeb;
  if (id == kCommandPublishWeb && !state_.ready) return;
  if (prologue) {
    // Messages still waiting from the start-up are shown before the first command does anything.
    if (!DeferredMessages().empty()) InstallMessageBoxes(main_.window);
    state_.ready = false;
  }
  int mode = -1;
  const CommandStart before = BeforeCommand();
  bool selected = false;  // the command chose a new selection
  std::string status;
  exportedTo_.clear();
  switch (id) {
    case kCommandAdd:
    case kCommandModify:
    case kCommandModifyOne:
    case kCommandCopy:
    case kCommandDelete:
    case kCommandUpdate:
    case kCommandTableInsert:
    case kCommandUndo:
    case kCommandRedo:
      if (RefuseReadOnly()) {
        state_.ready = true;
        return;
      }
      break;
    default:
      break;
  }
  const char* step = UndoStepName(id);
  if (step != nullptr) BeginUndoStep(step);
  switch (id) {
    case kCommandUndo:
    case kCommandRedo:
      status = CommandUndoRedo(id == kCommandRedo);
      break;
    case kCommandRestoreBackup:
      CommandRestoreBackup();
      break;
    case kCommandExit:
      ExitPrompt();
      return;  // the ready flag is the question's business
    case kCommandStartUp:
    case kCommandShowCurrent:
      if (id == kCommandStartUp) {
        radioNotebook_.Prepare(main_.window);
        RebuildPane();
      }
      ShowCurrentRadio(false);
      mode = kViewDescription;
      break;
    case kCommandNextPicture:
      ShowCurrentRadio(true);
      mode = kViewDescription;
      break;
    case kCommandViewNew:
      selected = SelectNew(state_, DialogHooks());
      if (selected) AfterSelectionChange();
      mode = kViewDescription;
      break;
    case kCommandViewChanges:
      SelectChanges(state_.collection, state_.selection);
      AfterSelectionChange();
      selected = true;
      mode = kViewDescription;
      break;
    // The search field and the table.
    case kCommandFind:
      if (filterField_ != nullptr) {
        filterField_->setFocus(Qt::ShortcutFocusReason);
        filterField_->selectAll();
      }
      break;
    case kCommandViewTable:
      mode = state_.viewMode == kViewTable ? kViewDescription : kViewTable;
      if (mode == kViewTable) status = "The selection as a table: click a heading to sort by it";
      break;
    // File > List, Print and Publish for Web
    case kCommandList:
      selected = CommandList(state_, DialogHooks());
      if (selected) AfterSelectionChange();
      state_.viewMode = kViewList;
      RedrawView();
      break;
    case kCommandExportCsv:
      selected = CommandExportCsv(state_, DialogHooks(), main_.window, &exportedTo_);
      if (selected) AfterSelectionChange();
      mode = kViewDescription;
      break;
    case kCommandPrint:
      if (state_.viewMode == kViewTable && table_ != nullptr) {
        const int pages = CommandPrintTable(table_->model(), main_.window);
        if (pages > 0) status = AluFormat("Printed the table: %d page%s", pages, pages == 1 ? "" : "s");
      } else if (CommandPrint(state_, view_, main_.window, [this] { RedrawView(); }) != 0) {
        status = "Printed the view";
      }
      break;
    case kCommandPrintCatalogue:
      if (CommandPrintCatalogue(state_, DialogHooks(), main_.window)) AfterSelectionChange();
      mode = kViewDescription;
      break;
    case kCommandImportCsv:
      // The imported radios are the selection: pane and view show them.
      {
        const ImportOutcome outcome = CommandImportCsv(state_, main_.window);
        if (outcome.applied) {
          AfterCollectionChange();
          const int n = static_cast<int>(outcome.radios.size());
          status = AluFormat("Imported %d radio%s", n, n == 1 ? "" : "s");
        }
        break;
      }
    case kCommandPublishWeb: {
      const PublishOutcome outcome = CommandPublishWeb(state_, DialogHooks());
      selected = outcome.selected;
      if (selected) AfterSelectionChange();
      if (outcome.published) {
        status = AluFormat("Published %d radio%s to %s", state_.selection.current.Count(),
                           state_.selection.current.Count() == 1 ? "" : "s",
                           AluDisplayUtf8(AluNativePath(state_.settings.webRoot)).c_str());
      }
      if (state_.viewMode == kViewDescription) RedrawView();
      break;
    }
    case kCommandAdd:
    case kCommandModify:
    case kCommandCopy:
    case kCommandDelete:
    case kCommandUpdate:
    case kCommandTableInsert:
    case kCommandModifyOne:
      RunEditCommand(id, second);
      break;
    // File > Save, Open Collection and New Collection.
    case kCommandSave:
      CommandSave();
      break;
    case kCommandOpenCollection:
      CommandOpenCollection();
      break;
    case kCommandNewCollection:
      CommandNewCollection();
      break;
    case kCommandChangeFont:
      if (ChooseWindowFont(view_.surface, *view_.device, 0, main_.window)) {
        view_.surface.Clear();
        RedrawView();
      }
      break;
    case kCommandInventoryTube:
    case kCommandInventoryTransistor:
      inventory_.ShowInventory(state_.collection, id == kCommandInventoryTube ? kTechTube : kTechTransistor,
                               view_.surface);
      mode = kViewInventory;
      break;
    // Graphs
    case kCommandGraphCostValue:
    case kCommandGraphDistribution:
    case kCommandGraphHistory:
    case kCommandGraphSalesProfit:
      if (RunGraphCommand(id, state_, graphs_, view_.surface, GraphHooks())) mode = kViewGraph;
      break;
    // The picture tour.
    case kCommandTourRandom:
    case kCommandTourSelected:
      mode = TourRadios(*this, id == kCommandTourRandom) ? kViewTour : kViewDescription;
      break;
    default:
      if (RunsDuringTour(id)) SetTourSize(*this, id - kCommandTourSizeBase);
      if (id >= kCommandSavedFirst && id <= kCommandSavedLast) {
        if (RecallSavedSelection(id - kCommandSavedFirst, state_.collection, state_.selection)) {
          AfterSelectionChange();
          selected = true;
          mode = kViewDescription;
        }
      }
      // The commands of the editing, inventory, tour, list, print and web parts are not
      // here yet: their menu items do nothing.
      break;
  }
  if (step != nullptr) EndUndoStep();
  if (mode >= 0) {
    state_.viewMode = mode;
    if (mode == kViewDescription && id != kCommandShowCurrent && id != kCommandNextPicture &&
        id != kCommandStartUp) {
      RedrawView();
    }
  }
  AfterCommand(id, before, selected, status);
  ShowUnsavedMark();  // whatever the command changed
  if (prologue) state_.ready = true;
}

SelectionDialogHooks Program::DialogHooks() {
  SelectionDialogHooks hooks;
  hooks.pane = &pane_;
  hooks.parent = main_.window;
  hooks.savedChanged = [this] {
    if (ProgramMenuBar* menu = main_.window->menuBar()) {
      SavedMenuItems saved(*menu);
      RebuildSavedMenu(state_.selection, saved);
    }
  };
  return hooks;
}

void Program::AfterSelectionChange() {
  RebuildPane();
  pane_.Highlight(state_.selection.currentRadio);
  DrawPane(true);
  SetPaneScroll();
  state_.viewMode = kViewDescription;
}

// Commands 109, 348 and 349: the current radio's main (or next) picture and its description.
void Program::ShowCurrentRadio(bool nextPicture) {
  RadioRecord* radio = state_.selection.currentRadio;
  if (radio != nullptr) {
    if (!nextPicture) {
      radio->currentPicture = -1;
    } else if (UsedExtraPictures(*radio) == 0) {
      radio->currentPicture = -1;
    } else {
      radio->currentPicture = NextReadablePicture(state_.registry, *radio);
    }
  }
  state_.viewMode = kViewDescription;
  RedrawView(nextPicture);
  HighlightInPane(radio);
  DrawPane(true);
  SetPaneScroll();
}

// ---- The view window ------------------------------------------------------------------------

long Program::ViewProcedure(WindowDescriptor& window, const WindowMessage& message) {
  switch (message.message) {
    case kMessagePaint:
      RedrawView();
      return 0;
    case kMessageCommand:
      if (IsNavigation(static_cast<int>(message.first))) {
        Navigate(message);
        return 0;
      }
      return DefaultWindowProcedure(window, message);
    case kMessageLeftDown:
    case kMessageRightDown:
    case kMessageDropFiles:
      Navigate(message);
      return 0;
    default:
      return DefaultWindowProcedure(window, message);
  }
}

void Program::RedrawView(bool reloadPicture) {
  if (view_.device == nullptr) return;
  switch (state_.viewMode) {
    case kViewDescription: {
      RadioRecord* radio = state_.selection.currentRadio;
      DescriptionInput input{state_.collection, radio, state_.registry, Maximised()};
      description_.DrawRadioDescription(view_.surface, input, reloadPicture);
      break;
    }
    case kViewInventory:
      inventory_.DrawInventory(view_.surface);
      break;
    // Graphs
    case kViewGraph:
      if (!graphs::RedrawGraph(graphs_, state_.collection.tables, view_.surface)) view_.surface.Clear();
      break;
    case kViewTour:
      // The tour thread owns the view while it runs; it repaints at its next step.
      tour_.SetViewBounds(view_.drawable);
      tour_.RequestTourRepaint();
      break;
    default:
      // Graphs, inventory and the list draw themselves once they exist.
      view_.surface.Clear();
      break;
  }
}

bool Program::Navigate(const WindowMessage& message) {
  RadioRecord* radio = state_.selection.currentRadio;
  const bool onDescription = state_.viewMode == kViewDescription && radio != nullptr && state_.ready;
  switch (message.message) {
    case kMessageCommand: {
      const int id = static_cast<int>(message.first);
      switch (id) {
        case kCommandLineUp:
          ScrollPane(-1);
          return true;
        case kCommandLineDown:
          ScrollPane(1);
          return true;
        case kCommandPageUp:
          ScrollPane(-7);
          return true;
        case kCommandPageDown:
          ScrollPane(7);
          return true;
        default:
          if (id >= kCommandJumpToLetterFirst && id < kCommandJumpToLetterFirst + 26) {
            JumpToLetter(static_cast<char>('A' + id - kCommandJumpToLetterFirst));
            return true;
          }
          return false;
      }
    }
    case kMessageLeftDown:
      if (onDescription && description_.PictureHit(message.x, message.y)) {
        SendCommand(main_, kCommandNextPicture);
      }
      return true;
    case kMessageRightDown:
      if (onDescription) {
        if (description_.PictureHit(message.x, message.y)) {
          SendCommand(main_, kCommandNextPicture);
        } else {
          SendCommand(main_, kCommandModifyOne, reinterpret_cast<std::intptr_t>(radio));
        }
      } else if (state_.viewMode == kViewInventory && state_.ready && !RefuseReadOnly()) {
        // Its dialogs keep dispatching messages: no second click starts another edit meanwhile.
        state_.ready = false;
        BeginUndoStep("Inventory");
        inventory_.EditInventoryAt(state_.collection, view_.surface, message.x, message.y, main_.window);
        EndUndoStep();
        state_.ready = true;
      }
      return true;
    case kMessageDropFiles:
      if (onDescription && message.drop != nullptr && !RefuseReadOnly()) {
        BeginUndoStep("Add Pictures");
        DropPictureOnView(state_.collection, state_.registry, radio, message.drop->paths,
                          [this](RadioRecord&) { SendCommand(main_, kCommandNextPicture); });
        EndUndoStep();
        ShowUnsavedMark();
      }
      return true;
    default:
      return false;
  }
}

// ---- The selection pane ---------------------------------------------------------------------

long Program::PaneProcedure(WindowDescriptor& window, const WindowMessage& message) {
  switch (message.message) {
    case kMessagePaint:
      if (!tour_.Running()) DrawPane(true);
      return 0;
    case kMessageVerticalScroll:
      PaneScrollBar(message);
      return 0;
    case kMessageLeftDown:
    case kMessageRightDown:
      PaneClick(message);
      return 0;
    case kMessageSize:
      pane_.ForgetCells();
      return DefaultWindowProcedure(window, message);
    default:
      return DefaultWindowProcedure(window, message);
  }
}

void Program::PaneClick(const WindowMessage& message) {
  if (paneWindow_.drawable.top <= 0) return;
  const int index = pane_.IndexOfRow(PaneRowAt(paneWindow_.surface, message.y));
  if (message.message == kMessageLeftDown) {
    if (!state_.ready) return;
    pane_.ClearHighlights();
    SetCurrentRadio(state_.selection, pane_.RadioAt(index));
    PostCommand(main_, kCommandShowCurrent);
  } else {
    if (index >= pane_.Count() || !state_.ready) return;
    PostCommand(main_, kCommandModifyOne, reinterpret_cast<std::intptr_t>(pane_.RadioAt(index)));
  }
}

void Program::PaneScrollBar(const WindowMessage& message) {
  int first = pane_.First();
  switch (message.first) {
    case kScrollLineUp:
      first -= 1;
      break;
    case kScrollLineDown:
      first += 1;
      break;
    case kScrollPageUp:
      first -= kPaneCells;
      break;
    case kScrollPageDown:
      first += kPaneCells;
      break;
    case kScrollThumbTrack:
      first = pane_.FirstForThumb(static_cast<int>(message.second));
      break;
    default:
      return;
  }
  if (pane_.ScrollTo(first)) DrawPane(false);
  SetPaneScroll();
}

void Program::SetPaneScroll() {
  if (paneWindow_.window != nullptr) SetVerticalScroll(paneWindow_, static_cast<float>(pane_.ScrollValue()));
}

void Program::RebuildPane() {
  pane_.Rebuild(state_.selection);
}

void Program::DrawPane(bool forced) {
  if (paneWindow_.device == nullptr || pane_.hidden) return;
  pane_.Draw(paneWindow_.surface, state_.registry, state_.collection.tables, forced);
}

void Program::HighlightInPane(const RadioRecord* radio) {
  pane_.Highlight(radio);
  DrawPane(false);
}

void Program::ScrollPane(int delta) {
  if (pane_.ScrollBy(delta)) DrawPane(false);
  SetPaneScroll();
}

void Program::JumpToLetter(char letter) {
  const int index = pane_.LetterIndex(state_.collection.tables, letter);
  if (index < 0) return;
  ScrollPane(index - pane_.First());
  SetCurrentRadio(state_.selection, pane_.RadioAt(index));
  PostCommand(main_, kCommandShowCurrent);
}

void Program::LayoutPanes() {
  if (view_.window == nullptr || paneWindow_.window == nullptr) return;
  const int width = main_.drawable.right;
  const int height = main_.drawable.top;
  const int paneWidth = pane_.hidden ? 0 : PaneWidth(width, height, ScrollBarWidth());
  // The search field sits above the pane and goes with it.
  const int fieldHeight = filterField_ != nullptr && !pane_.hidden ? filterField_->sizeHint().height() : 0;
  ShowWindow(view_, false);
  ShowWindow(paneWindow_, false);
  PlaceWindow(view_, {paneWidth, 0, std::max(width - paneWidth, 0), height});
  if (!pane_.hidden) PlaceWindow(paneWindow_, {0, 0, paneWidth, std::max(height - fieldHeight, 0)});
  ShowWindow(view_, true);
  if (!pane_.hidden) ShowWindow(paneWindow_, true);
  if (filterField_ != nullptr) {
    filterField_->setGeometry(0, 0, paneWidth, fieldHeight);
    filterField_->setVisible(!pane_.hidden);
  }
  if (table_ != nullptr && state_.viewMode == kViewTable) ShowTable(false);
}

void Program::ShowPane(bool shown) {
  if (shown == !pane_.hidden) return;
  pane_.hidden = !shown;
  LayoutPanes();
}

// ---- Editing --------------------------------------------------------------------------------

EditContext Program::EditingContext() {
  return EditContext{
      .state = state_,
      .notebook = radioNotebook_,
      .selectionHooks = DialogHooks(),
      .parent = main_.window,
      .highlightInPane = [this](const RadioRecord* radio) { HighlightInPane(radio); },
      .redrawView = [this] { RedrawView(); },
      .rebuildPane =
          [this] {
            RebuildPane();
            pane_.Highlight(state_.selection.currentRadio);  // the radio on view keeps its frame
            DrawPane(true);
            SetPaneScroll();
          },
      .forgetInPane =
          [this](const RadioRecord* radio) {
            pane_.Forget(radio);
            ForgetInFilter(radio);
          },
  };
}

void Program::RunEditCommand(int id, std::intptr_t second) {
  EditContext edit = EditingContext();
  bool redraw = false;
  switch (id) {
    case kCommandAdd:
      if (CommandAdd(edit)) {
        // The pane shows the new selection, the new radio alone, at once.
        edit.rebuildPane();
        state_.viewMode = kViewDescription;
        RedrawView(true);
      }
      return;
    case kCommandModify:
      redraw = CommandModify(edit);
      edit.rebuildPane();
      break;
    case kCommandModifyOne: {
      // The radio rode in the message; it is used only while the collection still holds it.
      auto* radio = reinterpret_cast<RadioRecord*>(second);
      if (radio == nullptr || state_.collection.radios.IndexOf(radio) < 0) return;
      redraw = ModifyRadio(edit, *radio);
      edit.rebuildPane();
      break;
    }
    case kCommandCopy:
      CommandCopy(edit);
      return;
    case kCommandDelete:
      CommandDelete(edit);
      return;
    case kCommandUpdate:
      if (CommandUpdate(edit)) RedrawView(false);
      edit.rebuildPane();
      return;
    case kCommandTableInsert: {
      const TableInsertion inserted = CommandTableInsert(state_, radioNotebook_, main_.window);
      graphs::TableEntryInserted(graphs_, inserted.kind, inserted.position);
      return;
    }
    default:
      return;
  }
  if (redraw && state_.selection.currentRadio != nullptr) {
    state_.selection.currentRadio->currentPicture = -1;
    RedrawView(true);
  }
}

// ---- Leaving --------------------------------------------------------------------------------

bool Program::ExitPrompt() {
  state_.ready = false;
  std::string question = ChangeCountsText(state_.collection);
  question +=
      "  Do you want to exit and save changes (Yes), exit and discard changes (No), or not exit at all "
      "(Cancel)?";
  switch (ShowMessage(kNote, kButtonsYesNoCancel, "%s", question.c_str())) {
    case kAnswerYes:
      if (state_.readOnly) {  // another program has the collection: nothing is written
        ShowPane(false);
        PostQuitMessage();
        return true;
      }
      // A collection that could not be saved keeps the program open with its changes: the
      // failure has been reported and nothing on disk was touched.
      if (!SaveCollectionChecked()) {
        state_.ready = true;
        return false;
      }
      SaveAndQuit();
      return true;
    case kAnswerNo:
      ShowPane(false);
      PostQuitMessage();
      return true;
    default:
      state_.ready = true;
      return false;
  }
}

void Program::SaveAndQuit() {
  WriteCurrentSettings();
  ShowPane(false);
  PostQuitMessage();
}

void Program::WriteCurrentSettings() {
  Settings& settings = state_.settings;
  const SelectionState& selection = state_.selection;
  settings.saved = selection.saved;
  settings.current = selection.parameters;
  settings.selection.clear();
  for (const RadioRecord* radio : selection.current.Records()) settings.selection.push_back(radio->id);
  settings.currentRadio = selection.currentRadio != nullptr ? selection.currentRadio->id : -1;
  settings.mainWindow = WindowParametersOf(main_);
  settings.pane = WindowParametersOf(paneWindow_);
  settings.view = WindowParametersOf(view_);
  WriteSettings(state_.settingsPath, settings);
}

int ProgramStart() {
  Program program;
  if (!program.Start()) return 1;
  const int result = program.Run();
  program.Finish();
  return result;
}

}  // namespace korvel

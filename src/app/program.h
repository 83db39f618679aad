// The korvel program: its three windows (the main window, the selection pane down its left side and
// the view filling the rest), the start-up sequence, the dispatch of every menu command and
// accelerator, and the exit question.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/edit_commands.h"
#include "app/graph_commands.h"
#include "app/inventory_window.h"
#include "app/program_state.h"
#include "app/radio_notebook.h"
#include "app/selection_dialog.h"
#include "app/selection_pane.h"
#include "pictures/tour.h"
#include "reports/radio_description.h"
#include "selection/quick_filter.h"
#include "ui/windows/window_descriptor.h"

class QLabel;
class QStatusBar;

namespace korvel {

class QuickFilterField;
class RadioTableView;

constexpr int kCommandStartUp = 109;  // posted once the collection is loaded
constexpr int kCommandShowCurrent = 348;
constexpr int kCommandNextPicture = 349;
constexpr int kCommandModifyOne = 209;  // the radio rides in the second parameter
constexpr int kTimerId = 1;
constexpr int kTimerMilliseconds = 30;
// Where a first start of an installed program puts the copy of the sample it offers.
inline constexpr const char* kSampleCopyDirectory = "korvel-sample";

class Program {
 public:
  Program();
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Reads the settings, makes the windows, loads the collection and shows the messages queued
  // meanwhile. False when the windows cannot be made.
  bool Start();
  // The message loop, until the program ends.
  int Run();
  // Releases what the run held. Done by the destructor too.
  void Finish();

  ProgramState& state() { return state_; }
  SelectionPane& pane() { return pane_; }
  ui::WindowDescriptor& mainWindow() { return main_; }
  ui::WindowDescriptor& viewWindow() { return view_; }
  ui::WindowDescriptor& paneWindow() { return paneWindow_; }
  // Graphs
  const graphs::GraphState& graphs() const { return graphs_; }

  // The pane and view operations the commands use.
  void RebuildPane();
  void DrawPane(bool forced);
  void HighlightInPane(const RadioRecord* radio);
  void ScrollPane(int delta);
  void JumpToLetter(char letter);
  void LayoutPanes();
  void ShowPane(bool shown);
  void RedrawView(bool reloadPicture = false);
  // Asks whether to save and leave; true when the program is ending.
  bool ExitPrompt();
  SelectionDialogHooks DialogHooks();

  // The picture tour.
  Tour& tour() { return tour_; }

  // The search field, the table and the status bar (program_views.cpp).
  QuickFilterField* quickFilterField() const { return filterField_; }
  RadioTableView* tableView() const { return table_; }
  QStatusBar* statusBar() const { return statusBar_; }
  // What the status bar says of the last command, and the count beside it.
  std::string StatusText() const;
  std::string CountText() const;

  // Editing: the radio notebook and what its commands need of the windows.
  RadioNotebook& radioNotebook() { return radioNotebook_; }
  EditContext EditingContext();
  void RunEditCommand(int id, std::intptr_t second);

 private:
  long MainProcedure(ui::WindowDescriptor& window, const ui::WindowMessage& message);
  long ViewProcedure(ui::WindowDescriptor& window, const ui::WindowMessage& message);
  long PaneProcedure(ui::WindowDescriptor& window, const ui::WindowMessage& message);
  void Command(int id, std::intptr_t second);
  bool IsNavigation(int id) const;
  // Keys, clicks and drops on the main and view windows. True when handled.
  bool Navigate(const ui::WindowMessage& message);
  void PaneClick(const ui::WindowMessage& message);
  void PaneScrollBar(const ui::WindowMessage& message);
  void SetPaneScroll();
  void ShowCurrentRadio(bool nextPicture);
  void AfterSelectionChange();
  void SaveAndQuit();
  void WriteCurrentSettings();
  // The collection just loaded or begun is the one the commands work on: its directory, its
  // pictures, and a selection and stack that point into nothing else.
  void AttachCollection();
  bool OfferNewCollection(const std::string& directory);
  void OfferSampleOrNewCollection(const std::string& sample);
  bool OpenCollectionAt(const std::string& directory);
  void ShowWholeCollection();
  bool Maximised() const;
  // Graphs
  GraphCommandHooks GraphHooks();

  // The search field, the table and the status bar (program_views.cpp).
  struct CommandStart {
    int radios = 0;
    int backupNumber = 0;
    bool changed = false;
    int viewMode = 0;
  };
  void MakeViewWidgets();
  void QuickFilterTyped(const std::string& typed);
  // The field is emptied; `restore` puts back the selection it narrowed, if still on show.
  void EndQuickFilter(bool restore);
  void ShowNarrowedSelection();
  void ForgetInFilter(const RadioRecord* radio);
  CommandStart BeforeCommand() const;
  // The pane, the table and the status bar after a command.
  // `status` says what the command did where the command alone knows it.
  void AfterCommand(int id, const CommandStart& before, bool selected, const std::string& status);
  // Places the table over the view while the view mode asks for it; `refill` takes the selection
  // again (otherwise only the current radio's row is selected).
  void ShowTable(bool refill = true);
  void ShowStatus(const std::string& text);
  std::string CommandStatus(int id, const CommandStart& before, bool selected) const;

  // File > Save, Open Collection and New Collection (collection_commands.cpp).
  void CommandSave();
  void CommandOpenCollection();
  void CommandNewCollection();
  bool SaveCollectionAndSettings();
  // The save behind every command that saves: nothing in read-only mode, and a question first
  // when another program changed radata.dat since it was loaded or saved.
  bool SaveCollectionChecked();
  // Locks a data directory for this program; another program's lock offers read-only (true,
  // `readOnly` set) or cancel (false).
  bool LockCollection(const std::string& directory, CollectionLock& lock, bool& readOnly);
  // A radata.new that a save which did not finish left behind: offered as the collection, or
  // kept as a numbered backup. True when it became the open collection.
  bool OfferLeftoverSave();
  // Editing commands of a read-only collection say why they do nothing; true when refused.
  bool RefuseReadOnly();
  void CommandRestoreBackup();
  bool SettleUnsavedChanges(const char* instead);
  void AfterCollectionChange();
  void ShowUnsavedMark();

  // Edit > Undo and Redo (undo_commands.cpp): what the status bar says of it.
  std::string CommandUndoRedo(bool redo);
  void BeginUndoStep(const char* name);
  void EndUndoStep();
  // The items name the steps they would take, and are greyed when there is none.
  void UpdateUndoMenu();
  // Another collection: no step of the previous one can be undone in it.
  void ForgetUndoHistory();

  ProgramState state_;
  ui::WindowDescriptor main_;
  ui::WindowDescriptor view_;
  ui::WindowDescriptor paneWindow_;
  SelectionPane pane_;
  RadioDescription description_;
  // Graphs: the current graph and the data it was drawn from
  graphs::GraphState graphs_;
  bool held_ = false;
  ui::WindowMessage heldCommand_;  // a command, or the close request, waiting for a tour to stop
  // The picture tour (its thread draws on the view while a tour runs).
  Tour tour_{state_.registry};
  // The inventory window of view mode 1.
  InventoryWindow inventory_;
  bool started_ = false;
  bool finished_ = false;
  // Editing
  RadioNotebook radioNotebook_{state_};
  // The search field and what it narrowed; the table; the status bar.
  QuickFilterField* filterField_ = nullptr;
  QuickFilter quickFilter_;
  bool filtering_ = false;
  RadioList filterBase_;                    // the selection the field narrowed
  std::vector<RadioRecord*> filterResult_;  // what the field made the selection
  RadioTableView* table_ = nullptr;
  QStatusBar* statusBar_ = nullptr;
  QLabel* countLabel_ = nullptr;
  std::string exportedTo_;  // the file the last Export CSV wrote
};

// The name of the Undo step a command opens ("Delete"), or nullptr for a command that changes no
// radio, table or inventory.
const char* UndoStepName(int id);

// The program's entry: Start, Run, Finish. Gives 0 once the program has ended.
int ProgramStart();

}  // namespace korvel

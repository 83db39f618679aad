// Edit > Undo and Edit > Redo, and the Undo steps that the commands changing the collection open.
#include <QAction>

#include "app/program.h"
#include "graphs/current_graph.h"
#include "pictures/picture_files.h"
#include "pictures/picture_registration.h"
#include "selection/table_positions.h"
#include "ui/frame/command_ids.h"
#include "ui/frame/menu_table.h"
#include "ui/frame/program_menu.h"
#include "ui/windows/window_frame.h"
#include "ui/windows/window_widget.h"

namespace korvel {

const char* UndoStepName(int id) {
  switch (id) {
    case kCommandAdd:
      return "Add";
    case kCommandModify:
    case kCommandModifyOne:
      return "Modify";
    case kCommandCopy:
      return "Copy";
    case kCommandDelete:
      return "Delete";
    case kCommandUpdate:
      return "Update";
    case kCommandTableInsert:
      return "Table Insert";
    case kCommandImportCsv:
      return "Import";
    default:
      return nullptr;
  }
}

void Program::BeginUndoStep(const char* name) {
  TakeDeletedPictureFiles();  // only the files this command deletes belong to its step
  state_.history.Begin(state_.collection, name);
}

void Program::EndUndoStep() {
  for (std::string& file : TakeDeletedPictureFiles()) state_.history.NoteDeletedFile(std::move(file));
  state_.history.End(state_.collection);
  UpdateUndoMenu();
}

void Program::UpdateUndoMenu() {
  if (main_.window == nullptr) return;
  ProgramMenuBar* menu = main_.window->menuBar();
  if (menu == nullptr) return;
  const auto set = [&](int id, const char* verb, const std::string& step) {
    QAction* item = menu->FindCommand(id);
    if (item == nullptr) return;
    std::string text = std::string("&") + verb;
    if (!step.empty()) text += " " + MenuTextOf(step);
    if (const char* keys = AcceleratorKeys(id)) text += std::string("\t") + keys;
    item->setText(QString::fromUtf8(text));
    item->setEnabled(!step.empty());
  };
  set(kCommandUndo, "Undo", state_.history.UndoName());
  set(kCommandRedo, "Redo", state_.history.RedoName());
}

std::string Program::CommandUndoRedo(bool redo) {
  UndoHistory& history = state_.history;
  if (redo ? !history.CanRedo() : !history.CanUndo()) return redo ? "Nothing to redo" : "Nothing to undo";
  HistoryRecordHooks hooks;
  hooks.release = [this](RadioRecord& r) { ReleaseRadioPictures(state_.registry, r); };
  hooks.attach = [this](RadioRecord& r) { RegisterRadioPictures(state_.registry, r); };
  const HistoryOutcome outcome =
      redo ? history.Redo(state_.collection, hooks) : history.Undo(state_.collection, hooks);
  if (!outcome.done) return "Finish the command under way first";  // a step is still being recorded

  SelectionState& selection = state_.selection;
  // Nothing may point at a radio that left the collection, as after Delete.
  for (const RadioRecord* radio : outcome.removed) {
    ForgetRadio(selection, radio);
    pane_.Forget(radio);
    ForgetInFilter(radio);
  }
  // A radio with other contents goes back to its place in every list that holds it.
  const TableSet& tables = state_.collection.tables;
  for (RadioRecord* radio : outcome.changed) {
    const auto reinsert = [&](RadioList& list) {
      if (list.Remove(radio)) InsertRadio(tables, radio, list);
    };
    reinsert(selection.current);
    for (auto& slot : selection.stack.selections) {
      if (slot) reinsert(*slot);
    }
  }
  // Selections follow the tables back (or forward again).
  for (const TableEntryStep& entry : outcome.tableEntries) {
    if (redo) {
      RenumberCriteria(selection, state_.collection.macros, entry.kind, entry.position);
      graphs::TableEntryInserted(graphs_, entry.kind, entry.position);
    } else {
      RenumberCriteriaBack(selection, state_.collection.macros, entry.kind, entry.position);
      graphs::TableEntryInserted(graphs_, entry.kind, -1);  // its counters no longer fit
    }
  }
  // The radios the step brought back or changed are the selection, the first one on view.
  RadioList touched;
  for (RadioRecord* radio : outcome.added) InsertRadio(tables, radio, touched);
  for (RadioRecord* radio : outcome.changed) InsertRadio(tables, radio, touched);
  if (!touched.Empty()) {
    selection.current = touched;
    SetCurrentRadio(selection, touched[0]);
  }
  if (outcome.inventoryChanged && state_.viewMode == kViewInventory) {
    inventory_.ShowInventory(state_.collection, inventory_.usage().kind, view_.surface);
  } else {
    if (state_.viewMode != kViewTable) state_.viewMode = kViewDescription;  // the table stays on show
    if (selection.currentRadio != nullptr) selection.currentRadio->currentPicture = -1;
  }
  RebuildPane();
  pane_.Highlight(selection.currentRadio);
  DrawPane(true);
  SetPaneScroll();
  RedrawView(true);
  UpdateUndoMenu();

  std::string status = std::string(redo ? "Redid " : "Undid ") + outcome.name;
  if (!redo && !outcome.deletedFiles.empty()) {
    // Undo gives back the collection, never files: a picture file deleted on request stays so.
    std::string files;
    for (const std::string& file : outcome.deletedFiles) files += (files.empty() ? "'" : ", '") + file + "'";
    status += outcome.deletedFiles.size() == 1 ? "; the picture file " + files + " stays deleted"
                                               : "; the picture files " + files + " stay deleted";
  }
  return status;
}

}  // namespace korvel

// The main window's search field above the pane, the table over the view, and the status bar
// that says what the last command did and how many radios the selection holds.
#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <algorithm>
#include <filesystem>
#include <unordered_set>

#include "app/program.h"
#include "app/quick_filter_field.h"
#include "app/radio_table_view.h"
#include "reports/list_file.h"
#include "ui/frame/command_ids.h"
#include "ui/frame/program_menu.h"
#include "ui/windows/window_frame.h"
#include "ui/windows/window_widget.h"
#include "util/alu_encoding.h"
#include "util/alu_path.h"
#include "util/alu_string.h"

namespace korvel {

using namespace ui;

namespace {

std::string Radios(int n) {
  return AluFormat("%d radio%s", n, n == 1 ? "" : "s");
}

std::string FileName(const std::string& path) {
  return std::filesystem::path(AluNativePath(path)).filename().string();
}

}  // namespace

void Program::MakeViewWidgets() {
  QWidget* client = main_.client();
  filterField_ = new QuickFilterField([this](const std::string& typed) { QuickFilterTyped(typed); },
                                      [this] {
                                        if (paneWindow_.window != nullptr) paneWindow_.client()->setFocus();
                                      },
                                      client);
  // A large collection's texts are folded as the cursor arrives, not at the first key.
  filterField_->focusTaken = [this] {
    quickFilter_.Prepare(state_.collection.tables, filtering_ ? filterBase_ : state_.selection.current);
  };
  filterField_->show();
  RadioTableHooks hooks;
  hooks.current = [this](RadioRecord* radio) {
    SetCurrentRadio(state_.selection, radio);
    HighlightInPane(radio);
    SetPaneScroll();
  };
  hooks.modify = [this](RadioRecord* radio) {
    if (state_.ready) PostCommand(main_, kCommandModifyOne, reinterpret_cast<std::intptr_t>(radio));
  };
  hooks.columnsChosen = [this](const std::vector<int>& columns) { state_.settings.tableColumns = columns; };
  table_ = new RadioTableView(std::move(hooks), client);
  table_->model().SetColumns(state_.settings.tableColumns);
  table_->hide();

  statusBar_ = new QStatusBar;
  statusBar_->setSizeGripEnabled(false);
  countLabel_ = new QLabel;
  statusBar_->addPermanentWidget(countLabel_);
  main_.window->SetBottomBar(statusBar_);
  UpdatePlacement(main_);
  if (QAction* item =
          main_.window->menuBar() ? main_.window->menuBar()->FindCommand(kCommandViewTable) : nullptr) {
    item->setCheckable(true);
  }
}

std::string Program::StatusText() const {
  return statusBar_ != nullptr ? statusBar_->currentMessage().toStdString() : std::string();
}

std::string Program::CountText() const {
  return AluFormat("%d of %s", state_.selection.current.Count(),
                   Radios(state_.collection.radios.Count()).c_str());
}

void Program::ShowStatus(const std::string& text) {
  if (statusBar_ == nullptr) return;
  if (text.empty()) {
    statusBar_->clearMessage();
  } else {
    statusBar_->showMessage(QString::fromStdString(text));
  }
  countLabel_->setText(QString::fromStdString(CountText()));
}

// ---- The search field -----------------------------------------------------------------------

void Program::QuickFilterTyped(const std::string& typed) {
  const bool blank = QuickFilterWords(typed).empty();
  if (!filtering_) {
    if (blank) return;
    filterBase_ = state_.selection.current;
    filtering_ = true;
  }
  if (blank) {
    EndQuickFilter(true);
    ShowStatus(Radios(state_.selection.current.Count()) + " selected");
    return;
  }
  state_.selection.current = quickFilter_.Narrow(state_.collection.tables, filterBase_, typed);
  filterResult_ = state_.selection.current.Records();
  ShowNarrowedSelection();
  ShowStatus(AluFormat("%s found", Radios(state_.selection.current.Count()).c_str()));
}

void Program::EndQuickFilter(bool restore) {
  if (!filtering_) return;
  filtering_ = false;
  if (restore && state_.selection.current.Records() == filterResult_) {
    state_.selection.current = filterBase_;
    ShowNarrowedSelection();
  }
  filterBase_.Clear();
  filterResult_.clear();
  if (filterField_ != nullptr) filterField_->Forget();
}

void Program::ShowNarrowedSelection() {
  SelectionState& selection = state_.selection;
  if (selection.current.IndexOf(selection.currentRadio) < 0) ShowFirstMember(selection);
  RebuildPane();
  pane_.Highlight(selection.currentRadio);
  DrawPane(true);
  SetPaneScroll();
  if (state_.viewMode == kViewTable) {
    ShowTable();
  } else {
    state_.viewMode = kViewDescription;
    RedrawView();
  }
}

void Program::ForgetInFilter(const RadioRecord* radio) {
  filterBase_.Remove(radio);
  std::erase(filterResult_, radio);
  quickFilter_.Forget();
}

// ---- After every command --------------------------------------------------------------------

Program::CommandStart Program::BeforeCommand() const {
  return {.radios = state_.collection.radios.Count(),
          .backupNumber = state_.collection.nextBackupNumber,
          .changed = state_.collection.changed,
          .viewMode = state_.viewMode};
}

void Program::AfterCommand(int id, const CommandStart& before, bool selected, const std::string& status) {
  if (filterField_ == nullptr) return;
  // Commands that may have changed the radios' texts make the field fold them again.
  static constexpr int kReadOnly[] = {kCommandFind,        kCommandViewTable, kCommandShowCurrent,
                                      kCommandNextPicture, kCommandPrint,     kCommandList,
                                      kCommandExportCsv,   kCommandViewNew,   kCommandViewChanges,
                                      kCommandChangeFont,  kCommandStartUp};
  if (std::find(std::begin(kReadOnly), std::end(kReadOnly), id) == std::end(kReadOnly)) quickFilter_.Forget();
  if (filtering_) {
    // An edit may have moved a radio within the selection: the same radios still count as the
    // narrowed selection.
    std::vector<RadioRecord*> now = state_.selection.current.Records();
    std::vector<RadioRecord*> was = filterResult_;
    std::sort(now.begin(), now.end());
    std::sort(was.begin(), was.end());
    if (now != was) {
      // Another selection took the narrowed one's place: the field has nothing left to narrow.
      EndQuickFilter(false);
    } else {
      // Edited radios may have moved in radio order; radios deleted are gone already.
      std::unordered_set<const RadioRecord*> held(state_.collection.radios.begin(),
                                                  state_.collection.radios.end());
      std::vector<RadioRecord*> kept;
      for (RadioRecord* r : filterBase_) {
        if (held.contains(r)) kept.push_back(r);
      }
      filterBase_ = BuildRadioList(state_.collection.tables, kept);
      filterResult_ = state_.selection.current.Records();
    }
  }
  // Commands that choose radios keep the table on show.
  const bool choosing = selected || id == kCommandShowCurrent || id == kCommandViewTable;
  if (before.viewMode == kViewTable && choosing && state_.viewMode == kViewDescription &&
      id != kCommandViewTable) {
    state_.viewMode = kViewTable;
  }
  ShowTable(id != kCommandShowCurrent && id != kCommandNextPicture);
  // Showing another radio or picture is no command worth a word: the last one's stays.
  if (id == kCommandShowCurrent || id == kCommandNextPicture || id == kCommandStartUp) {
    ShowStatus(StatusText());
  } else {
    ShowStatus(status.empty() ? CommandStatus(id, before, selected) : status);
  }
}

void Program::ShowTable(bool refill) {
  if (table_ == nullptr) return;
  const bool shown = state_.viewMode == kViewTable;
  if (ProgramMenuBar* menu = main_.window != nullptr ? main_.window->menuBar() : nullptr) {
    if (QAction* item = menu->FindCommand(kCommandViewTable)) item->setChecked(shown);
  }
  if (!shown) {
    table_->hide();
    return;
  }
  const Placement& view = view_.current;
  table_->setGeometry(view.x, main_.drawable.top - view.y - view.height, view.width, view.height);
  if (refill || table_->isHidden()) {
    table_->Show(state_.collection.tables, state_.selection.current, state_.selection.currentRadio);
  } else {
    table_->SelectRadio(state_.selection.currentRadio);
  }
  table_->show();
  table_->raise();
}

std::string Program::CommandStatus(int id, const CommandStart& before, bool selected) const {
  const Collection& c = state_.collection;
  const int members = state_.selection.current.Count();
  const int added = c.radios.Count() - before.radios;
  switch (id) {
    case kCommandList:
      return selected ? AluFormat("Wrote %s: %s", kListFileName, Radios(members).c_str())
                      : std::string("List cancelled: ") + kListFileName + " was left empty";
    case kCommandExportCsv:
      return exportedTo_.empty() ? std::string()
                                 : AluFormat("Exported %s to %s", Radios(members).c_str(),
                                             AluDisplayUtf8(FileName(exportedTo_)).c_str());
    case kCommandSave: {
      if (c.changed) return {};  // not saved: the failure has been reported
      const std::string data = FileName(state_.paths.data);
      if (!before.changed)
        return AluFormat("Nothing to save: %s holds %s", data.c_str(), Radios(c.radios.Count()).c_str());
      std::string text = AluFormat("Saved %s: %s", data.c_str(), Radios(c.radios.Count()).c_str());
      const std::string backup = state_.paths.backup.substr(0, state_.paths.backup.rfind('.') + 1) +
                                 AluFormat("%03d", before.backupNumber);
      std::error_code error;
      if (std::filesystem::exists(AluNativePath(backup), error)) text += ", backup " + FileName(backup);
      return text;
    }
    case kCommandViewNew:
    case kCommandViewChanges:
      return Radios(members) + " selected";
    case kCommandAdd:
      return added > 0 ? AluFormat("Added radio %d",
                                   state_.selection.currentRadio ? state_.selection.currentRadio->id : 0)
                       : std::string();
    case kCommandCopy:
      return added > 0 ? AluFormat("Copied %s", Radios(added).c_str()) : std::string();
    case kCommandDelete:
      return added < 0 ? AluFormat("Deleted %s", Radios(-added).c_str()) : std::string();
    case kCommandOpenCollection:
    case kCommandNewCollection:
      return AluFormat("%s: %s", AluNativePath(state_.paths.directory).c_str(),
                       Radios(c.radios.Count()).c_str());
    default:
      if (id >= kCommandSavedFirst && id <= kCommandSavedLast && selected)
        return Radios(members) + " selected";
      return {};
  }
}

}  // namespace korvel

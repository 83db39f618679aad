#include "app/collection_commands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

#include "app/program.h"
#include "app/restore_backup_dialog.h"
#include "collection/changes.h"
#include "collection/data_file.h"
#include "collection/radio_ops.h"
#include "selection/selection.h"
#include "ui/windows/window_frame.h"
#include "ui/windows/window_widget.h"
#include "util/alu_path.h"
#include "util/alu_string.h"
#include "util/message.h"

namespace korvel {

namespace {

DirectoryChooserScript& ChooserScript() {
  static DirectoryChooserScript script;
  return script;
}

// Filters point into the collection's macros: by name they can find their macros in the next one.
void RememberFilterNames(SelectionState& selection) {
  for (SelectionParameters& saved : selection.saved)
    saved.filterName = saved.filter != nullptr ? saved.filter->name : std::string();
  SelectionParameters& current = selection.parameters;
  current.filterName = current.filter != nullptr ? current.filter->name : std::string();
}

}  // namespace

std::string ChangeCountsText(const Collection& collection) {
  const ChangeSummary changes = SummarizeChanges(collection);
  std::string text = AluFormat("%d radios added, ", changes.newRadios.Count());
  text += AluFormat("%d radios modified, ", changes.changedRadios.Count());
  text += AluFormat("%d radios deleted; ", changes.deletedRadios.Count());
  text += changes.inventoryChanged ? "inventory was modified." : "inventory was not modified.";
  return text;
}

std::string HeldDataFile(const std::string& directory) {
  for (const char* name : {"radata.dat", "radata.org"}) {
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::path(directory) / name, ec)) return name;
  }
  return {};
}

namespace {

// The chooser as the user (or a test's script) answers it: the chosen path, or nothing.
std::optional<std::string> RunChooser(QFileDialog& dialog) {
  std::optional<QString> chosen;
  if (ChooserScript()) {
    chosen = ChooserScript()(dialog);
  } else if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    chosen = dialog.selectedFiles().front();
  }
  if (!chosen || chosen->isEmpty()) return std::nullopt;
  return QFile::encodeName(QDir::cleanPath(*chosen)).toStdString();
}

}  // namespace

std::optional<std::string> ChooseDirectory(QWidget* parent, const char* caption, const std::string& start) {
  QFileDialog dialog(parent, QString::fromUtf8(caption),
                     QDir(QString::fromStdString(AluNativePath(start))).absolutePath());
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  return RunChooser(dialog);
}

std::vector<std::string> ChooseOpenFiles(QWidget* parent, const char* caption, const std::string& start,
                                         const char* filter) {
  QFileDialog dialog(parent, QString::fromUtf8(caption), QString::fromStdString(start),
                     QString::fromUtf8(filter));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  std::vector<std::string> files;
  if (ChooserScript()) {
    if (const std::optional<std::string> one = RunChooser(dialog)) files.push_back(*one);
    return files;
  }
  if (dialog.exec() != QDialog::Accepted) return files;
  for (const QString& chosen : dialog.selectedFiles())
    files.push_back(QFile::encodeName(QDir::cleanPath(chosen)).toStdString());
  return files;
}

std::optional<std::string> ChooseSaveFile(QWidget* parent, const char* caption, const std::string& suggested,
                                          const char* filter) {
  QFileDialog dialog(parent, QString::fromUtf8(caption),
                     QDir(QString::fromStdString(suggested)).absolutePath(), QString::fromUtf8(filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  return RunChooser(dialog);
}

std::optional<std::string> ChooseOpenFile(QWidget* parent, const char* caption, const std::string& start,
                                          const char* filter) {
  QFileDialog dialog(parent, QString::fromUtf8(caption), QDir(QString::fromStdString(start)).absolutePath(),
                     QString::fromUtf8(filter));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  return RunChooser(dialog);
}

namespace {
std::string& SampleOverride() {
  static std::string directory;
  return directory;
}
}  // namespace

std::string InstalledSampleDirectory() {
  if (!SampleOverride().empty()) return SampleOverride();
  const QString sample = QCoreApplication::applicationDirPath() + "/../share/korvel/sample";
  if (!QFileInfo(sample + "/radata.dat").isFile()) return {};
  return QFile::encodeName(QDir::cleanPath(sample)).toStdString();
}

void SetInstalledSampleDirectory(std::string directory) {
  SampleOverride() = std::move(directory);
}

void SetDirectoryChooserScript(DirectoryChooserScript script) {
  ChooserScript() = std::move(script);
}

// ---- The commands -----------------------------------------------------------------------------

bool Program::SaveCollectionAndSettings() {
  const bool writes = state_.collection.changed;
  if (!SaveCollectionChecked()) return false;
  if (writes) RetakeAsLoadedCopy(state_.collection);
  if (!state_.readOnly) WriteCurrentSettings();
  return true;
}

bool Program::RefuseReadOnly() {
  if (!state_.readOnly) return false;
  ShowMessage(kNote, kButtonsOk,
              "This collection is open read-only, because another program has it open: nothing can be "
              "changed or saved here.");
  return true;
}

bool Program::SaveCollectionChecked() {
  if (!state_.collection.changed) return true;
  if (RefuseReadOnly()) return false;
  const std::string data = AluNativePath(state_.paths.data);
  // The collection may have been begun where no directory could be locked yet (it did not exist).
  if (!state_.lock.Locked() && state_.lock.Acquire(state_.paths.directory) == CollectionLock::kHeld) {
    ShowMessage(kError, kButtonsOk, "The collection in '%s' is open in %s, so nothing was saved.",
                AluNativePath(state_.paths.directory).c_str(), DescribeHolder(state_.lock.holder()).c_str());
    return false;
  }
  FileStamp now = StatFile(data);
  if (now.exists && now.size == state_.diskStamp.size && now.modified == state_.diskStamp.modified)
    now = StampFile(data);  // same size and time: only the bytes can tell
  if (!SameFile(state_.diskStamp, now) &&
      ShowMessage(kWarning, kButtonsYesNo,
                  "'%s' was changed by another program since Korvel opened or last saved it. Save over it "
                  "(Yes; the changed file is kept as a numbered backup), or do not save now (No)?",
                  data.c_str()) != kAnswerYes) {
    return false;
  }
  if (!SaveCollection(state_.paths, state_.collection, &state_.diskStamp)) return false;
  state_.history.MarkSaved();  // Undo goes on past the save, and back to it
  return true;
}

bool Program::LockCollection(const std::string& directory, CollectionLock& lock, bool& readOnly) {
  // Named in full: "." or a relative name says nothing to someone who started Korvel from a menu.
  std::error_code error;
  std::filesystem::path full = std::filesystem::absolute(AluResolvePath(directory), error).lexically_normal();
  if (error) full = AluNativePath(directory);
  if (full.has_relative_path() && !full.has_filename()) full = full.parent_path();
  const std::string where = full.string();
  readOnly = false;
  switch (lock.Acquire(directory)) {
    case CollectionLock::kHeld:
      if (ShowMessage(kWarning, kButtonsOkCancel,
                      "The collection in '%s' is open in another Korvel (%s). Open it read-only (OK): you "
                      "can look at everything, but nothing is changed or saved. Or do not open it "
                      "(Cancel).",
                      where.c_str(), DescribeHolder(lock.holder()).c_str()) != kAnswerOk) {
        return false;
      }
      readOnly = true;
      return true;
    case CollectionLock::kTakenOver:
      ShowMessage(kNote, kButtonsOk,
                  "The collection in '%s' was left locked by %s, which no longer runs; Korvel has taken the "
                  "lock over.",
                  where.c_str(), DescribeHolder(lock.holder()).c_str());
      return true;
    default:
      return true;
  }
}

bool Program::OfferLeftoverSave() {
  const LeftoverSave left = ExamineLeftoverSave(state_.paths);
  if (!left.present) return false;
  const std::string next = AluNativePath(state_.paths.next);
  const DataFilePaths& paths = state_.paths;
  std::error_code ec;
  const bool hasData = std::filesystem::exists(AluNativePath(paths.data), ec);
  if (left.complete &&
      ShowMessage(kWarning, kButtonsYesNo,
                  "A save that did not finish left '%s', a complete collection of %d radios%s. Open it as "
                  "the collection (Yes; %s), or keep it as a numbered backup (No)?",
                  next.c_str(), left.radios, hasData ? "" : ", and no 'radata.dat'",
                  hasData ? "the present 'radata.dat' is kept as a numbered backup"
                          : "it becomes 'radata.dat'") == kAnswerYes) {
    if (!UseLeftoverSave(paths, NextBackupNumber(paths, state_.collection.nextBackupNumber))) return false;
    return OpenCollectionAt(paths.directory);
  }
  const int number = KeepLeftoverSave(paths, NextBackupNumber(paths, state_.collection.nextBackupNumber));
  if (number >= 0 && !left.complete) {
    ShowMessage(kWarning, kButtonsOk,
                "A save that did not finish left '%s', which is incomplete; it is kept as the backup '%s'.",
                next.c_str(), BackupPath(paths, number).c_str());
  }
  return false;
}

bool Program::SettleUnsavedChanges(const char* instead) {
  if (!state_.collection.changed) return true;
  const std::string question = ChangeCountsText(state_.collection);
  switch (ShowMessage(kNote, kButtonsYesNoCancel,
                      "%s  Do you want to save these changes (Yes), discard them (No), or go on with this "
                      "collection (Cancel) before %s?",
                      question.c_str(), instead)) {
    case kAnswerYes:
      if (!SaveCollectionAndSettings()) return false;
      // Saved: no mark in the caption and nothing highlighted, already while the next dialog asks.
      ShowUnsavedMark();
      RedrawView();
      return true;
    case kAnswerNo:
      return true;
    default:
      return false;
  }
}

void Program::CommandSave() {
  if (SaveCollectionAndSettings()) RedrawView();  // changed values are no longer highlighted
}

void Program::CommandOpenCollection() {
  if (!SettleUnsavedChanges("opening another collection")) return;
  const std::optional<std::string> directory =
      ChooseDirectory(main_.window, "Open Collection", state_.paths.directory);
  if (!directory) return;
  CollectionLock lock;
  bool readOnly = false;
  if (!LockCollection(*directory, lock, readOnly)) return;
  RememberFilterNames(state_.selection);

  if (HeldDataFile(*directory).empty()) {
    // Nothing there to open: as on a first start, the user may begin one. Declining keeps the
    // collection that is open.
    if (readOnly || !OfferNewCollection(*directory)) return;
    StartNewCollection(state_.collection);
    state_.collection.changed = true;
    state_.paths = MakeDataFilePaths(*directory);
    state_.collection.nextBackupNumber = ContinueBackupNumbers(state_.paths);
    state_.diskStamp = {};
    state_.lock = std::move(lock);
    state_.readOnly = false;
    ShowWholeCollection();
  } else if (OpenCollectionAt(*directory)) {
    state_.lock = std::move(lock);
    state_.readOnly = readOnly;
    if (!readOnly) OfferLeftoverSave();
  }
  ShowUnsavedMark();
}

// Loaded aside, so that a file that cannot be opened leaves the open collection as it is. Its
// messages are shown as they come; what could be read is kept.
bool Program::OpenCollectionAt(const std::string& directory) {
  Collection loaded;
  ui::ShowWaitCursor();
  const LoadOutcome outcome = LoadCollectionAt(MakeDataFilePaths(directory), loaded);
  ui::ShowArrowCursor();
  if (!outcome.opened) return false;
  state_.collection = std::move(loaded);
  state_.paths = outcome.paths;
  state_.diskStamp = outcome.stamp;
  ShowWholeCollection();
  return true;
}

void Program::CommandRestoreBackup() {
  if (RefuseReadOnly()) return;
  const std::vector<BackupInfo> backups = ListBackups(state_.paths);
  if (backups.empty()) {
    ShowMessage(kNote, kButtonsOk, "There are no numbered backups in '%s'.",
                AluNativePath(state_.paths.directory).c_str());
    return;
  }
  if (!SettleUnsavedChanges("restoring a backup")) return;
  const std::optional<std::size_t> chosen = RunRestoreBackupDialog(backups, main_.window);
  if (!chosen) return;
  const BackupInfo& backup = backups[*chosen];
  DataFilePaths from = state_.paths;
  from.data = from.fallback = backup.path;
  Collection restored;
  ui::ShowWaitCursor();
  const LoadOutcome outcome = LoadCollectionAt(from, restored);
  ui::ShowArrowCursor();
  if (!outcome.opened) return;
  RememberFilterNames(state_.selection);
  Collection previous = std::move(state_.collection);
  state_.collection = std::move(restored);
  // Written as any save: the present radata.dat becomes a numbered backup first.
  state_.collection.changed = true;
  if (!SaveCollectionChecked()) {
    state_.collection = std::move(previous);
    return;
  }
  RetakeAsLoadedCopy(state_.collection);
  ShowWholeCollection();
  ShowMessage(kNote, kButtonsOk,
              "'%s' of %s is the collection again; the one it replaced is kept as a numbered backup.",
              backup.name.c_str(), backup.written.c_str());
}

// The radios of the collection just opened fill the pane; the first one is on view.
void Program::ShowWholeCollection() {
  AttachCollection();
  state_.selection.current = state_.collection.radios;
  ShowFirstMember(state_.selection);
  AfterCollectionChange();
}

void Program::CommandNewCollection() {
  if (!SettleUnsavedChanges("starting a new collection")) return;
  const std::optional<std::string> directory =
      ChooseDirectory(main_.window, "New Collection", state_.paths.directory);
  if (!directory) return;
  const std::string held = HeldDataFile(*directory);
  if (!held.empty()) {
    ShowMessage(kWarning, kButtonsOk,
                "'%s' already holds a collection (%s). Choose another directory for the new collection, or "
                "open this one with File > Open Collection.",
                directory->c_str(), held.c_str());
    return;
  }
  CollectionLock lock;
  if (lock.Acquire(*directory) == CollectionLock::kHeld) {
    ShowMessage(kWarning, kButtonsOk, "'%s' is in use by another Korvel (%s). Choose another directory.",
                directory->c_str(), DescribeHolder(lock.holder()).c_str());
    return;
  }
  RememberFilterNames(state_.selection);
  StartNewCollection(state_.collection);
  state_.collection.changed = true;  // written at the next save
  state_.paths = MakeDataFilePaths(*directory);
  state_.collection.nextBackupNumber = ContinueBackupNumbers(state_.paths);
  state_.diskStamp = {};
  state_.lock = std::move(lock);
  state_.readOnly = false;
  AttachCollection();
  AfterCollectionChange();
  ShowUnsavedMark();
}

// A first start of an installed program: a new collection where it was started, or a copy of the
// sample to look around in. The copy goes beside the settings, so the user's own files are never
// touched; the settings remember it at the next save.
void Program::OfferSampleOrNewCollection(const std::string& sample) {
  const std::string where = AluNativePath(state_.paths.directory);
  const std::string copy = kSampleCopyDirectory;
  const int answer =
      ShowMessage(kNote, kButtonsYesNoCancel,
                  "No collection was found in '%s'. Start a new, empty collection there (Yes), "
                  "open a copy of the sample collection in '%s' (No), or neither (Cancel)?",
                  where.c_str(), copy.c_str());
  if (answer == kAnswerYes) {
    state_.collection.changed = true;
    return;
  }
  if (answer != kAnswerNo) return;
  namespace fs = std::filesystem;
  std::error_code ec;
  if (!DataFileExists(copy)) {
    fs::create_directories(copy, ec);
    if (!ec) fs::copy(sample, copy, fs::copy_options::recursive | fs::copy_options::skip_existing, ec);
    if (ec) {
      ShowMessage(kError, kButtonsOk, "Couldn't copy the sample collection to '%s': %s.", copy.c_str(),
                  ec.message().c_str());
      return;
    }
  }
  if (state_.lock.Acquire(copy) == CollectionLock::kHeld) state_.readOnly = true;
  OpenCollectionAt(copy);
}

// Another collection is open: nothing on screen may point into the one before.
void Program::AfterCollectionChange() {
  ResolveSavedFilters(state_.selection, state_.collection);
  pane_.ForgetCells();
  RebuildPane();
  pane_.Highlight(state_.selection.currentRadio);
  DrawPane(true);
  SetPaneScroll();
  state_.viewMode = kViewDescription;
  view_.surface.Clear();
  RedrawView(true);
}

void Program::ForgetUndoHistory() {
  state_.history.Clear();
  if (state_.collection.changed) state_.history.ForgetSaved();
  UpdateUndoMenu();
}

// The caption's asterisk, the way Qt programs mark unsaved changes.
void Program::ShowUnsavedMark() {
  if (main_.window == nullptr) return;
  const QString readOnly = state_.readOnly ? QStringLiteral(" (read-only)") : QString();
  main_.window->setWindowTitle(QString::fromUtf8(main_.caption) + readOnly + QStringLiteral("[*]"));
  main_.window->setWindowModified(state_.collection.changed);
}

}  // namespace korvel

#include "app/collection_commands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

#include "app/program.h"
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
  if (!SaveCollection(state_.paths, state_.collection)) return false;
  if (writes) RetakeAsLoadedCopy(state_.collection);
  WriteCurrentSettings();
  return true;
}

bool Program::SettleUnsavedChanges(const char* instead) {
  if (!state_.collection.changed) return true;
  const std::string question = ChangeCountsText(state_.collection);
  switch (ShowMessage(kNote, kButtonsYesNoCancel,
                      "%s  Do you want to save these changes (Yes), discard them (No), or go on with this "
                      "collection (Cancel) before %s?",
                      question.c_str(), instead)) {
    case kAnswerYes:
      return SaveCollectionAndSettings();
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
  RememberFilterNames(state_.selection);

  if (HeldDataFile(*directory).empty()) {
    // Nothing there to open: as on a first start, the user may begin one. Declining keeps the
    // collection that is open.
    if (!OfferNewCollection(*directory)) return;
    StartNewCollection(state_.collection);
    state_.collection.changed = true;
    state_.paths = MakeDataFilePaths(*directory);
    state_.collection.nextBackupNumber = ContinueBackupNumbers(state_.paths);
    ShowWholeCollection();
  } else {
    OpenCollectionAt(*directory);
  }
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
  ShowWholeCollection();
  return true;
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
  RememberFilterNames(state_.selection);
  StartNewCollection(state_.collection);
  state_.collection.changed = true;  // written at the next save
  state_.paths = MakeDataFilePaths(*directory);
  state_.collection.nextBackupNumber = ContinueBackupNumbers(state_.paths);
  AttachCollection();
  AfterCollectionChange();
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

// The caption's asterisk, the way Qt programs mark unsaved changes.
void Program::ShowUnsavedMark() {
  if (main_.window == nullptr) return;
  main_.window->setWindowTitle(QString::fromUtf8(main_.caption) + QStringLiteral("[*]"));
  main_.window->setWindowModified(state_.collection.changed);
}

}  // namespace korvel

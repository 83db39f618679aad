#include "app/file_commands.h"

#include <QFile>
#include <QSaveFile>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "app/collection_commands.h"
#include "dal/dal.h"
#include "reports/csv_file.h"
#include "reports/list_file.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui/painting/printing_frame.h"
#include "ui/windows/window_frame.h"
#include "util/message.h"
#include "web/web_publish.h"

namespace korvel {

bool CommandList(ProgramState& state, const SelectionDialogHooks& hooks) {
  std::FILE* file = std::fopen(kListFileName, "w");
  if (file == nullptr) return false;
  const bool selected = SelectNew(state, hooks);
  if (selected) {
    const std::string text = RadioListText(state.collection, state.selection.current);
    std::fwrite(text.data(), 1, text.size(), file);
  }
  std::fclose(file);
  return selected;
}

bool CommandExportCsv(ProgramState& state, const SelectionDialogHooks& hooks, QWidget* parent,
                      std::string* written) {
  if (!SelectNew(state, hooks)) return false;
  const std::optional<std::string> path =
      ChooseSaveFile(parent, "Export CSV", kCsvFileName, "Comma-separated values (*.csv);;All files (*)");
  if (!path) return true;
  const std::string text = RadioCsvText(state.collection, state.selection.current);
  // Written aside and renamed over the old file only when complete.
  QSaveFile file(QFile::decodeName(QByteArray::fromStdString(*path)));
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
      !file.commit()) {
    ShowMessage(kError, kButtonsOk, "Unable to write '%s'.", path->c_str());
  } else if (written != nullptr) {
    *written = *path;
  }
  return true;
}

int CommandPrint(ProgramState& state, ui::WindowDescriptor& view, QWidget* parent,
                 const std::function<void()>& redrawView) {
  ui::PrintingFrame frame;  // a job left unfinished is aborted when it goes
  if (!frame.StartPrintJob(kPrintJobName, parent)) {
    ShowMessage(kError, kButtonsOk, "Couldn't start print job.");
    return 0;
  }
  if (!frame.StartPrintPage()) {
    ShowMessage(kError, kButtonsOk, "Couldn't start next printer page.");
    return 0;
  }
  if (!frame.RedirectToPrinter(view.surface, view.drawable.top)) {
    ShowMessage(kError, kButtonsOk, "Couldn't redirect main window to printer.");
    return 0;
  }
  if (state.viewMode == kViewDescription && state.selection.currentRadio != nullptr) {
    state.selection.currentRadio->currentPicture = -1;
  }
  redrawView();
  frame.RestoreFromPrinter(view.surface);
  // The screen shows what was printed, and clicks are tested against the screen's layout again.
  redrawView();
  if (frame.EndPrintPage() && frame.EndPrintJob()) return 1;
  ShowMessage(kError, kButtonsOk, "Error '%s' - print job aborted.", frame.LastErrorText().c_str());
  return 0;
}

WebSettings WebSettingsOf(const Settings& settings) {
  return {.root = settings.webRoot,
          .html = settings.webHtml,
          .pictures = settings.webPictures,
          .snapshots = settings.webSnapshots,
          .listName = settings.webListName,
          .descriptions = settings.webDescriptions};
}

bool RunPublishDialog(Settings& settings, void* parent) {
  WebSettings shown = WebSettingsOf(settings);
  std::int32_t descriptions = shown.descriptions ? 1 : 0;
  DalDialog dialog{.templateId = kDialogPublishWeb, .mode = kDalModal};
  const auto text = [](int id, std::string& value) {
    return DalFieldInfo{.kind = kDalEdit, .controlId = id, .value = &value, .flags = DAL_STRING};
  };
  dialog.fields = {text(kIdWebRoot, shown.root),
                   text(kIdWebHtml, shown.html),
                   text(kIdWebPictures, shown.pictures),
                   text(kIdWebSnapshots, shown.snapshots),
                   text(kIdWebListFile, shown.listName),
                   {.kind = kDalCheck, .controlId = kIdWebDescriptions, .value = &descriptions}};
  if (DalRunDialog(dialog, parent) != 1) return false;
  settings.webRoot = shown.root;
  settings.webHtml = shown.html;
  settings.webPictures = shown.pictures;
  settings.webSnapshots = shown.snapshots;
  settings.webListName = shown.listName;
  settings.webDescriptions = descriptions != 0;
  return true;
}

PublishOutcome CommandPublishWeb(ProgramState& state, const SelectionDialogHooks& hooks) {
  PublishOutcome outcome;
  outcome.selected = SelectNew(state, hooks);
  if (!outcome.selected || !RunPublishDialog(state.settings, hooks.parent)) return outcome;
  // Every picture is decoded and encoded again: a large selection takes a while.
  ui::ShowWaitCursor();
  outcome.result =
      PublishWeb(state.collection, state.registry, state.selection.current, WebSettingsOf(state.settings));
  ui::ShowArrowCursor();
  outcome.published = outcome.result != 0;
  return outcome;
}

}  // namespace korvel

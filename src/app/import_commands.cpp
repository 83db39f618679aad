#include "app/import_commands.h"

#include <QFile>
#include <QFileInfo>
#include <optional>
#include <string>

#include "app/collection_commands.h"
#include "app/import_preview.h"
#include "import/csv_reader.h"
#include "pictures/picture_registration.h"
#include "selection/selection.h"
#include "ui/windows/window_frame.h"
#include "util/alu_path.h"
#include "util/message.h"

namespace korvel {

bool ImportAllowed(const ProgramState& state) {
  if (!state.readOnly) return true;
  ShowMessage(kNote, kButtonsOk,
              "This collection is open read-only, because another program has it open: nothing can be "
              "imported into it.");
  return false;
}

ImportOutcome CommandImportCsv(ProgramState& state, QWidget* parent) {
  if (!ImportAllowed(state)) return {};
  const std::optional<std::string> path =
      ChooseOpenFile(parent, "Import CSV", ".", "Comma-separated values (*.csv *.txt);;All files (*)");
  if (!path) return {};
  QFile file(QFile::decodeName(QByteArray::fromStdString(*path)));
  if (!file.open(QIODevice::ReadOnly)) {
    ShowMessage(kError, kButtonsOk, "Couldn't open '%s'.", path->c_str());
    return {};
  }
  const QByteArray bytes = file.readAll();
  CsvTable table = ReadCsv(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (table.error.empty() && table.rows.size() < 2) {
    ShowMessage(kWarning, kButtonsOk, "'%s' holds no rows to import below its header.", path->c_str());
    return {};
  }
  const std::string name = QFileInfo(file).fileName().toStdString();
  ImportPreviewDialog preview(state.collection, std::move(table), name, parent);
  if (!RunImportPreview(preview)) return {};

  ui::ShowWaitCursor();
  ImportOutcome outcome = ApplyImport(state.collection, preview.plan(), preview.skipFaultyFields());
  for (RadioRecord* radio : outcome.radios) RegisterRadioPictures(state.registry, *radio);
  SelectionState& selection = state.selection;
  selection.current.Clear();
  for (RadioRecord* radio : outcome.radios) AppendInOrder(selection.current, radio);
  ShowFirstMember(selection);
  ui::ShowArrowCursor();
  return outcome;
}

}  // namespace korvel

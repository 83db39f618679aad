// File > Restore Backup's list of the numbered backups, newest first.
#pragma once

#include <QDialog>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "collection/data_file.h"

class QWidget;

namespace korvel {

// Shows the backups (date and time, size, radio count) and gives the position of the one chosen,
// or nothing when the user cancelled.
std::optional<std::size_t> RunRestoreBackupDialog(const std::vector<BackupInfo>& backups, QWidget* parent);

// While set, the dialog is not run: the script gets it prepared (it may show and look at it) and
// gives the answer.
using RestoreBackupScript = std::function<std::optional<std::size_t>(QDialog& dialog)>;
void SetRestoreBackupScript(RestoreBackupScript script);

}  // namespace korvel

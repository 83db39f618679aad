#include "app/restore_backup_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace korvel {
namespace {

RestoreBackupScript& Script() {
  static RestoreBackupScript script;
  return script;
}

}  // namespace

void SetRestoreBackupScript(RestoreBackupScript script) {
  Script() = std::move(script);
}

std::optional<std::size_t> RunRestoreBackupDialog(const std::vector<BackupInfo>& backups, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("Restore Backup"));
  auto* layout = new QVBoxLayout(&dialog);
  auto* label = new QLabel(QStringLiteral(
      "Choose the backup to make the collection again. The present collection is kept as a numbered "
      "backup first, as at any save."));
  label->setWordWrap(true);
  layout->addWidget(label);
  auto* list = new QTreeWidget(&dialog);
  list->setObjectName(QStringLiteral("backups"));
  list->setRootIsDecorated(false);
  list->setHeaderLabels(
      {QStringLiteral("Backup"), QStringLiteral("Saved"), QStringLiteral("Size"), QStringLiteral("Radios")});
  const QLocale locale;
  for (const BackupInfo& backup : backups) {
    auto* item = new QTreeWidgetItem(list);
    item->setText(0, QString::fromStdString(backup.name));
    item->setText(1, QString::fromStdString(backup.written));
    item->setText(2, locale.formattedDataSize(static_cast<qint64>(backup.bytes)));
    item->setText(3, QString::number(backup.radios));
    item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
  }
  list->header()->setStretchLastSection(false);
  list->setCurrentItem(list->topLevelItem(0));
  for (int column = 0; column < 4; ++column) list->resizeColumnToContents(column);
  list->setMinimumWidth(list->header()->length() + 40);
  layout->addWidget(list);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Restore"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(list, &QTreeWidget::itemDoubleClicked, &dialog, &QDialog::accept);
  layout->addWidget(buttons);

  if (Script()) return Script()(dialog);
  if (dialog.exec() != QDialog::Accepted || list->currentItem() == nullptr) return std::nullopt;
  return static_cast<std::size_t>(list->indexOfTopLevelItem(list->currentItem()));
}

}  // namespace korvel

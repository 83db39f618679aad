#include "app/import_preview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <map>
#include <utility>

namespace korvel {
namespace {

constexpr int kPreviewRows = 10;

ImportPreviewScript& Script() {
  static ImportPreviewScript script;
  return script;
}

QString Utf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

ImportPreviewDialog::ImportPreviewDialog(const Collection& collection, CsvTable table,
                                         const std::string& fileName, QWidget* parent)
    : QDialog(parent), collection_(collection), table_(std::move(table)) {
  setWindowTitle(QStringLiteral("Import CSV"));
  auto* layout = new QVBoxLayout(this);
  summary_ = new QLabel(this);
  summary_->setProperty("fileName", Utf8(fileName));
  layout->addWidget(summary_);
  rows_ = new QTableWidget(this);
  rows_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  rows_->horizontalHeader()->setDefaultSectionSize(130);
  layout->addWidget(rows_, 3);
  problemsLabel_ = new QLabel(this);
  layout->addWidget(problemsLabel_);
  problems_ = new QListWidget(this);
  layout->addWidget(problems_, 2);
  skip_ = new QCheckBox(
      QStringLiteral("Import the rows with problems too, leaving out their faulty fields (they take a new "
                     "radio's values)"),
      this);
  layout->addWidget(skip_);
  auto* buttons = new QDialogButtonBox(this);
  import_ = buttons->addButton(QStringLiteral("Import"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QDialogButtonBox::Cancel);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(skip_, &QCheckBox::toggled, this, [this] { UpdateButtons(); });
  resize(1000, 620);
  Replan({});
}

bool ImportPreviewDialog::skipFaultyFields() const {
  return skip_->isChecked();
}

void ImportPreviewDialog::SetSkipFaultyFields(bool skip) {
  skip_->setChecked(skip);
}

bool ImportPreviewDialog::importEnabled() const {
  return import_->isEnabled();
}

void ImportPreviewDialog::AssignColumn(int column, int field) {
  std::vector<int> columns = plan_.columns;
  if (column < 0 || column >= static_cast<int>(columns.size())) return;
  // A field is filled from one column: the one it had before is left out.
  for (int& other : columns) {
    if (field != kNotImported && other == field) other = kNotImported;
  }
  columns[static_cast<std::size_t>(column)] = field;
  Replan(std::move(columns));
}

void ImportPreviewDialog::Replan(std::vector<int> columns) {
  plan_ =
      columns.empty() ? PlanImport(collection_, table_) : PlanImport(collection_, table_, std::move(columns));
  Fill();
}

void ImportPreviewDialog::Fill() {
  const int rowCount = static_cast<int>(plan_.rows.size());
  QString summary = summary_->property("fileName").toString();
  summary +=
      plan_.unreadable
          ? QStringLiteral(" cannot be read.")
          : QStringLiteral(": %1 rows, %2, values separated by %3.")
                .arg(rowCount)
                .arg(table_.windows1252 ? QStringLiteral("Windows-1252 text") : QStringLiteral("UTF-8 text"))
                .arg(table_.delimiter == ';' ? QStringLiteral("semicolons") : QStringLiteral("commas"));
  summary_->setText(summary);

  // Row 0 holds each column's field; below, the first rows as they would be stored.
  std::map<std::pair<int, int>, std::string> faulty;
  for (const ImportProblem& p : plan_.problems) faulty.emplace(std::pair{p.line, p.field}, p.text);
  const int columns = static_cast<int>(plan_.headers.size());
  const int shown = std::min(rowCount, kPreviewRows);
  rows_->clear();
  rows_->setColumnCount(columns);
  rows_->setRowCount(shown + 1);
  QStringList headers, lines{QStringLiteral("Field")};
  for (const std::string& header : plan_.headers) headers << Utf8(header);
  rows_->setHorizontalHeaderLabels(headers);
  for (int c = 0; c < columns; ++c) {
    auto* choice = new QComboBox(rows_);
    choice->addItem(QStringLiteral("not imported"), kNotImported);
    for (int f = 0; f < kImportFieldCount; ++f) choice->addItem(QString::fromUtf8(ImportFieldName(f)), f);
    choice->setCurrentIndex(choice->findData(plan_.columns[static_cast<std::size_t>(c)]));
    // Queued: planning again replaces this very list, which must not go while it reports. Item i
    // is field i - 1 (item 0 leaves the column out).
    connect(
        choice, &QComboBox::activated, this, [this, c](int index) { AssignColumn(c, index - 1); },
        Qt::QueuedConnection);
    rows_->setCellWidget(0, c, choice);
  }
  for (int r = 0; r < shown; ++r) {
    const ImportRow& row = plan_.rows[static_cast<std::size_t>(r)];
    lines << QStringLiteral("line %1").arg(row.line);
    for (int c = 0; c < columns; ++c) {
      const int field = plan_.columns[static_cast<std::size_t>(c)];
      auto* item = new QTableWidgetItem;
      if (field == kNotImported) {
        item->setForeground(Qt::gray);  // left in the file
      } else {
        item->setText(Utf8(StoredValue(row, field)));
        if (const auto problem = faulty.find({row.line, field}); problem != faulty.end()) {
          item->setBackground(QColor(255, 205, 205));
          item->setToolTip(Utf8(problem->second) + QStringLiteral(": a new radio's value instead"));
        }
      }
      rows_->setItem(r + 1, c, item);
    }
  }
  rows_->setVerticalHeaderLabels(lines);

  problems_->clear();
  for (const ImportProblem& p : plan_.problems) problems_->addItem(Utf8(ProblemText(p)));
  problemsLabel_->setText(plan_.problems.empty()
                              ? QStringLiteral("No problems: every value can be stored.")
                              : QStringLiteral("%1 problems; a faulty field is shown on red:")
                                    .arg(static_cast<int>(plan_.problems.size())));
  skip_->setEnabled(!plan_.unreadable && plan_.faultyFields > 0);
  UpdateButtons();
}

void ImportPreviewDialog::UpdateButtons() {
  import_->setEnabled(!plan_.unreadable && !plan_.rows.empty() &&
                      (plan_.faultyFields == 0 || skip_->isChecked()));
}

void SetImportPreviewScript(ImportPreviewScript script) {
  Script() = std::move(script);
}

bool RunImportPreview(ImportPreviewDialog& dialog) {
  if (Script()) return Script()(dialog) && dialog.importEnabled();
  return dialog.exec() == QDialog::Accepted && dialog.importEnabled();
}

}  // namespace korvel

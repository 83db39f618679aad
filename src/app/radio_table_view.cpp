#include "app/radio_table_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>

#include "reports/radio_table.h"
#include "util/alu_encoding.h"

namespace korvel {

void RadioTableModel::SetRows(const TableSet& tables, const RadioList& selection) {
  beginResetModel();
  tables_ = &tables;
  inRadioOrder_ = selection.Records();
  rows_ = inRadioOrder_;
  if (sortColumn_ >= 0) SortRadioRows(tables, rows_, sortColumn_, descending_);
  endResetModel();
}

void RadioTableModel::SetColumns(std::vector<int> columns) {
  beginResetModel();
  columns_ = std::move(columns);
  endResetModel();
}

RadioRecord* RadioTableModel::RadioAt(int row) const {
  return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[row] : nullptr;
}

int RadioTableModel::RowOf(const RadioRecord* radio) const {
  const auto found = std::find(rows_.begin(), rows_.end(), radio);
  return found == rows_.end() ? -1 : static_cast<int>(found - rows_.begin());
}

void RadioTableModel::SortBy(int tableColumn, bool descending) {
  Q_EMIT layoutAboutToBeChanged();
  sortColumn_ = tableColumn;
  descending_ = descending;
  // Always from radio order, so that ties keep it whatever was sorted before.
  rows_ = inRadioOrder_;
  if (tables_ != nullptr && sortColumn_ >= 0) SortRadioRows(*tables_, rows_, sortColumn_, descending_);
  Q_EMIT layoutChanged();
}

int RadioTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RadioTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant RadioTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || tables_ == nullptr || index.column() >= static_cast<int>(columns_.size()))
    return {};
  const int column = columns_[index.column()];
  if (role == Qt::TextAlignmentRole) {
    const ColumnKind kind = RadioColumnAt(column).kind;
    const bool number = kind == ColumnKind::kNumber || kind == ColumnKind::kMoney;
    return static_cast<int>(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
  }
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  const RadioRecord* radio = RadioAt(index.row());
  if (radio == nullptr) return {};
  return QString::fromStdString(AluDisplayUtf8(RadioColumnText(*tables_, *radio, column)));
}

QVariant RadioTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= static_cast<int>(columns_.size())) return {};
  return QString::fromUtf8(RadioColumnAt(columns_[section]).name);
}

RadioTableView::RadioTableView(RadioTableHooks hooks, QWidget* parent)
    : QTableView(parent), hooks_(std::move(hooks)) {
  setModel(&model_);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setAlternatingRowColors(true);
  setWordWrap(false);
  // Rows of one height: a hundred thousand of them scroll without measuring each.
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  verticalHeader()->hide();
  QHeaderView* header = horizontalHeader();
  header->setSectionsClickable(true);
  header->setSortIndicatorShown(true);
  header->setSortIndicator(-1, Qt::AscendingOrder);
  header->setHighlightSections(false);
  header->setStretchLastSection(true);
  header->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(header, &QHeaderView::sectionClicked, this, [this](int section) { SortByHeader(section); });
  connect(header, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { ChooseColumns(at); });
  connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
    if (RadioRecord* radio = model_.RadioAt(index.row()); radio != nullptr && hooks_.modify)
      hooks_.modify(radio);
  });
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& now) {
    if (filling_ || !now.isValid()) return;
    if (RadioRecord* radio = model_.RadioAt(now.row()); radio != nullptr && hooks_.current)
      hooks_.current(radio);
  });
}

void RadioTableView::Show(const TableSet& tables, const RadioList& selection, const RadioRecord* current) {
  filling_ = true;
  model_.SetRows(tables, selection);
  filling_ = false;
  SelectRadio(current);
}

void RadioTableView::SelectRadio(const RadioRecord* radio) {
  const int row = model_.RowOf(radio);
  filling_ = true;
  if (row < 0) {
    clearSelection();
  } else {
    const QModelIndex index = model_.index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
  }
  filling_ = false;
}

void RadioTableView::SortByHeader(int section) {
  if (section < 0 || section >= static_cast<int>(model_.columns().size())) return;
  const int column = model_.columns()[section];
  const bool descending = model_.sortColumn() == column && !model_.descending();
  const RadioRecord* selected = model_.RadioAt(currentIndex().row());
  filling_ = true;
  model_.SortBy(column, descending);
  filling_ = false;
  horizontalHeader()->setSortIndicator(section, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
  SelectRadio(selected);
}

void RadioTableView::ChooseColumns(const QPoint& at) {
  QMenu menu(this);
  std::vector<int> columns = model_.columns();
  for (int column = 0; column < kRadioColumnCount; ++column) {
    QAction* action = menu.addAction(QString::fromUtf8(RadioColumnAt(column).name));
    action->setCheckable(true);
    action->setChecked(std::find(columns.begin(), columns.end(), column) != columns.end());
    action->setData(column);
    // The last column stays: a table without columns shows nothing to click on.
    if (action->isChecked() && columns.size() == 1) action->setEnabled(false);
  }
  QAction* chosen = menu.exec(horizontalHeader()->mapToGlobal(at));
  if (chosen == nullptr) return;
  const int column = chosen->data().toInt();
  const auto found = std::find(columns.begin(), columns.end(), column);
  if (found != columns.end()) {
    columns.erase(found);
  } else {
    // A new column goes beside the one clicked on.
    const int section = horizontalHeader()->logicalIndexAt(at);
    const auto place = section < 0 ? columns.end() : columns.begin() + section + 1;
    columns.insert(place, column);
  }
  const RadioRecord* selected = model_.RadioAt(currentIndex().row());
  const int sorted = model_.sortColumn();
  filling_ = true;
  model_.SetColumns(columns);
  filling_ = false;
  const auto sortedAt = std::find(columns.begin(), columns.end(), sorted);
  horizontalHeader()->setSortIndicator(
      sortedAt == columns.end() ? -1 : static_cast<int>(sortedAt - columns.begin()),
      model_.descending() ? Qt::DescendingOrder : Qt::AscendingOrder);
  SelectRadio(selected);
  if (hooks_.columnsChosen) hooks_.columnsChosen(columns);
}

void RadioTableView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (RadioRecord* radio = model_.RadioAt(currentIndex().row()); radio != nullptr && hooks_.modify) {
      hooks_.modify(radio);
    }
    return;
  }
  QTableView::keyPressEvent(event);
}

// Up and Down scroll the pane everywhere else; in the table they move between its rows.
bool RadioTableView::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    const auto modifiers = static_cast<QKeyEvent*>(event)->modifiers() & ~Qt::KeypadModifier;
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && modifiers == Qt::NoModifier) {
      event->accept();
      return true;
    }
  }
  return QTableView::event(event);
}

}  // namespace korvel

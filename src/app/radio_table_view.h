// View > Table: the current selection as a table of the radios' fields, one row per radio. The
// model points at the records of the selection; it copies none of them.
#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <functional>
#include <vector>

#include "collection/collection.h"

namespace korvel {

class RadioTableModel : public QAbstractTableModel {
 public:
  explicit RadioTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  // The radios of a selection, sorted again by the column chosen last.
  void SetRows(const TableSet& tables, const RadioList& selection);
  void SetColumns(std::vector<int> columns);
  const std::vector<int>& columns() const { return columns_; }
  RadioRecord* RadioAt(int row) const;
  int RowOf(const RadioRecord* radio) const;
  // Sorting column (a radio table column number, -1 for radio order) and direction.
  int sortColumn() const { return sortColumn_; }
  bool descending() const { return descending_; }
  void SortBy(int tableColumn, bool descending);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const TableSet* tables_ = nullptr;
  std::vector<RadioRecord*> inRadioOrder_;
  std::vector<RadioRecord*> rows_;
  std::vector<int> columns_;
  int sortColumn_ = -1;
  bool descending_ = false;
};

struct RadioTableHooks {
  std::function<void(RadioRecord*)> current;  // a row was selected
  std::function<void(RadioRecord*)> modify;   // double click or Enter on a row
  std::function<void(const std::vector<int>&)> columnsChosen;
};

class RadioTableView : public QTableView {
 public:
  RadioTableView(RadioTableHooks hooks, QWidget* parent);
  RadioTableModel& model() { return model_; }
  // Shows the selection with the radio as the selected row (none: no row selected).
  void Show(const TableSet& tables, const RadioList& selection, const RadioRecord* current);
  void SelectRadio(const RadioRecord* radio);
  // As a click on the header of the table column: ascending first, then descending.
  void SortByHeader(int section);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void ChooseColumns(const QPoint& at);

  RadioTableModel model_;
  RadioTableHooks hooks_;
  bool filling_ = false;
};

}  // namespace korvel

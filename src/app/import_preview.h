// The preview of File > Import CSV: how the spreadsheet's columns are matched to fields (each one can
// be assigned to another field or left out), its first rows as they would be stored, and every
// problem with its line and column. Import is offered when there is no problem, or when the user
// agrees that the faulty fields are left out.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "collection/collection.h"
#include "import/import_plan.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace korvel {

class ImportPreviewDialog : public QDialog {
 public:
  ImportPreviewDialog(const Collection& collection, CsvTable table, const std::string& fileName,
                      QWidget* parent = nullptr);

  const ImportPlan& plan() const { return plan_; }
  bool skipFaultyFields() const;
  // The column now fills this field (kNotImported: nothing); the plan is made again.
  void AssignColumn(int column, int field);
  void SetSkipFaultyFields(bool skip);
  bool importEnabled() const;

 private:
  void Replan(std::vector<int> columns);
  void Fill();
  void UpdateButtons();

  const Collection& collection_;
  CsvTable table_;
  ImportPlan plan_;
  QLabel* summary_ = nullptr;
  QTableWidget* rows_ = nullptr;
  QLabel* problemsLabel_ = nullptr;
  QListWidget* problems_ = nullptr;
  QCheckBox* skip_ = nullptr;
  QPushButton* import_ = nullptr;
};

// Tests answer the preview instead of a user: the script gets the dialog and gives whether Import
// was pressed. An empty function shows the dialog again.
using ImportPreviewScript = std::function<bool(ImportPreviewDialog& dialog)>;
void SetImportPreviewScript(ImportPreviewScript script);
// Runs the preview (or its script); true when the user chose Import.
bool RunImportPreview(ImportPreviewDialog& dialog);

}  // namespace korvel

// The modeless dialog shown while a page goes to the printer: "Now Printing: ", the document name and a
// "Cancel" button. Cancel (or closing it) only raises the flag; the job checks it between pages.
#pragma once

#include <QDialog>
#include <QString>

class QPushButton;

namespace korvel::ui {

class PrintingDialog : public QDialog {
 public:
  PrintingDialog(const QString& documentName, QWidget* parent);

  bool cancelled() const { return cancelled_; }
  QPushButton* cancelButton() const { return cancelButton_; }

 private:
  QPushButton* cancelButton_ = nullptr;
  bool cancelled_ = false;
};

}  // namespace korvel::ui

#include "ui/painting/printing_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvel::ui {

PrintingDialog::PrintingDialog(const QString& documentName, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("printingDialog"));
  setWindowTitle(QStringLiteral("Printing"));
  setModal(false);

  auto* line = new QHBoxLayout;
  line->addWidget(new QLabel(QStringLiteral("Now Printing: "), this));
  auto* name = new QLabel(documentName, this);
  name->setObjectName(QStringLiteral("documentName"));
  name->setTextFormat(Qt::PlainText);
  line->addWidget(name, 1);

  cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancelButton_->setObjectName(QStringLiteral("cancelButton"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cancelButton_);
  buttons->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(line);
  layout->addLayout(buttons);

  connect(cancelButton_, &QPushButton::clicked, this, [this] { cancelled_ = true; });
  // Escape and the close box cancel as the button does; the dialog stays until the job ends.
  connect(this, &QDialog::rejected, this, [this] { cancelled_ = true; });
}

}  // namespace korvel::ui

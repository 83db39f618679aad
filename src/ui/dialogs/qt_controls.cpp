#include "ui/dialogs/qt_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <utility>

#include "util/alu_encoding.h"

namespace korvel {

QString ToDisplay(const std::string& text) {
  return QString::fromStdString(AluDisplayUtf8(text));
}

std::string FromDisplay(const QString& text) {
  return text.toStdString();
}

WidgetControl::WidgetControl(QWidget* widget, ControlReport report)
    : widget_(widget), report_(std::move(report)) {}

bool WidgetControl::IsEnabled() const {
  return widget_->isEnabled();
}

void WidgetControl::SetEnabled(bool on) {
  widget_->setEnabled(on);
}

void WidgetControl::SetFocus() {
  widget_->setFocus(Qt::OtherFocusReason);
}

LabelControl::LabelControl(QLabel* label, ControlReport report)
    : WidgetControl(label, std::move(report)), label_(label) {}

std::string LabelControl::Text() const {
  return FromDisplay(label_->text());
}

void LabelControl::SetText(const std::string& text) {
  label_->setText(ToDisplay(text));
}

LineEditControl::LineEditControl(QLineEdit* edit, ControlReport report)
    : WidgetControl(edit, std::move(report)), edit_(edit) {
  // Emitted for Enter, and for leaving the box once its text has changed.
  QObject::connect(edit, &QLineEdit::editingFinished, edit, [this] { Report(DalEvent::kTextChanged); });
}

std::string LineEditControl::Text() const {
  return FromDisplay(edit_->text());
}

void LineEditControl::SetText(const std::string& text) {
  edit_->setText(ToDisplay(text));
}

// QPlainTextEdit has no signal for being left.
class MultiLineEditControl::FocusWatch : public QObject {
 public:
  explicit FocusWatch(MultiLineEditControl& control) : control_(control) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusOut && control_.edit_->document()->isModified()) {
      control_.edit_->document()->setModified(false);
      control_.Report(DalEvent::kTextChanged);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  MultiLineEditControl& control_;
};

MultiLineEditControl::MultiLineEditControl(QPlainTextEdit* edit, ControlReport report)
    : WidgetControl(edit, std::move(report)), edit_(edit), watch_(new FocusWatch(*this)) {
  edit->installEventFilter(watch_);
}

MultiLineEditControl::~MultiLineEditControl() {
  delete watch_;
}

std::string MultiLineEditControl::Text() const {
  // Long texts are stored as one line and flowed when shown; a line the user broke is a blank.
  return FromDisplay(edit_->toPlainText().replace(QLatin1Char('\n'), QLatin1Char(' ')));
}

void MultiLineEditControl::SetText(const std::string& text) {
  edit_->setPlainText(ToDisplay(text));
  edit_->document()->setModified(false);
}

ComboControl::ComboControl(QComboBox* combo, ControlReport report)
    : WidgetControl(combo, std::move(report)), combo_(combo) {
  // activated, unlike currentIndexChanged, comes only from the user.
  QObject::connect(combo, &QComboBox::activated, combo, [this] { Report(DalEvent::kItemChosen); });
  if (QLineEdit* edit = combo->lineEdit()) {
    QObject::connect(edit, &QLineEdit::editingFinished, combo, [this] { Report(DalEvent::kTextChanged); });
  }
}

std::string ComboControl::Text() const {
  return FromDisplay(combo_->currentText());
}

void ComboControl::SetText(const std::string& text) {
  if (combo_->isEditable()) {
    combo_->setEditText(ToDisplay(text));
  } else {
    combo_->setCurrentIndex(combo_->findText(ToDisplay(text)));
  }
}

int ComboControl::AddItem(const std::string& text, std::int64_t data) {
  combo_->addItem(ToDisplay(text), QVariant::fromValue<qlonglong>(data));
  // An entry added to an empty plain box would be chosen at once; the library chooses.
  if (combo_->count() == 1) combo_->setCurrentIndex(-1);
  return combo_->count() - 1;
}

void ComboControl::ClearItems() {
  combo_->clear();
  if (combo_->isEditable()) combo_->clearEditText();
}

int ComboControl::ItemCount() const {
  return combo_->count();
}

std::string ComboControl::ItemText(int index) const {
  return index >= 0 && index < combo_->count() ? FromDisplay(combo_->itemText(index)) : std::string();
}

std::int64_t ComboControl::ItemData(int index) const {
  return index >= 0 && index < combo_->count() ? combo_->itemData(index).toLongLong() : -1;
}

int ComboControl::CurrentItem() const {
  return combo_->currentIndex();
}

bool ComboControl::SetCurrentItem(int index) {
  if (index < -1 || index >= combo_->count()) return false;
  combo_->setCurrentIndex(index);
  return true;
}

ListControl::ListControl(QListWidget* list, ControlReport report)
    : WidgetControl(list, std::move(report)), list_(list) {
  // The top item is the scroll bar's value.
  list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  // Every item of a list is as high as the others: long lists lay out at once.
  list->setUniformItemSizes(true);
  QObject::connect(list, &QListWidget::itemSelectionChanged, list, [this] {
    if (!quiet_) Report(DalEvent::kSelectionChanged);
  });
  QObject::connect(list, &QListWidget::itemActivated, list, [this] {
    if (!quiet_) Report(DalEvent::kActivated);
  });
  // Connected after the view's own handler, so the list has moved when this runs.
  QObject::connect(list->verticalScrollBar(), &QScrollBar::valueChanged, list, [this] {
    if (watched_ && !quiet_) Report(DalEvent::kScrolled);
  });
}

template <typename Change>
void ListControl::Quietly(Change change) {
  const bool was = std::exchange(quiet_, true);
  change();
  quiet_ = was;
}

std::string ListControl::Text() const {
  const int current = CurrentItem();
  return current >= 0 ? ItemText(current) : std::string();
}

int ListControl::AddItem(const std::string& text, std::int64_t data) {
  auto* item = new QListWidgetItem(ToDisplay(text));
  item->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(data));
  Quietly([&] { list_->addItem(item); });
  return list_->count() - 1;
}

void ListControl::ClearItems() {
  Quietly([&] { list_->clear(); });
}

int ListControl::ItemCount() const {
  return list_->count();
}

std::string ListControl::ItemText(int index) const {
  return InRange(index) ? FromDisplay(list_->item(index)->text()) : std::string();
}

std::int64_t ListControl::ItemData(int index) const {
  return InRange(index) ? list_->item(index)->data(Qt::UserRole).toLongLong() : -1;
}

int ListControl::CurrentItem() const {
  const int current = list_->currentRow();
  if (InRange(current) && list_->item(current)->isSelected()) return current;
  for (int i = 0; i < list_->count(); ++i) {
    if (list_->item(i)->isSelected()) return i;
  }
  return -1;
}

bool ListControl::SetCurrentItem(int index) {
  if (index != -1 && !InRange(index)) return false;
  Quietly([&] {
    list_->clearSelection();
    if (index >= 0) list_->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
  });
  return true;
}

bool ListControl::IsItemSelected(int index) const {
  return InRange(index) && list_->item(index)->isSelected();
}

bool ListControl::SelectItem(int index, bool on) {
  if (!InRange(index)) return false;
  Quietly([&] {
    if (list_->selectionMode() == QAbstractItemView::SingleSelection && on) {
      list_->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
      return;
    }
    list_->item(index)->setSelected(on);
    if (on) list_->setCurrentRow(index, QItemSelectionModel::NoUpdate);
  });
  return true;
}

bool ListControl::SelectItemRange(int first, int last, bool on) {
  if (first > last || !InRange(first) || !InRange(last)) return false;
  if (list_->selectionMode() == QAbstractItemView::SingleSelection)
    return first == last && SelectItem(first, on);
  Quietly([&] {
    const QItemSelection range(list_->model()->index(first, 0), list_->model()->index(last, 0));
    list_->selectionModel()->select(range, on ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
  });
  return true;
}

int ListControl::TopItem() const {
  return list_->verticalScrollBar()->value();
}

void ListControl::SetTopItem(int index) {
  Quietly([&] { list_->verticalScrollBar()->setValue(index); });
}

void ListControl::WatchScrolling() {
  watched_ = true;
}

CheckControl::CheckControl(QCheckBox* box, ControlReport report)
    : WidgetControl(box, std::move(report)), box_(box) {
  QObject::connect(box, &QCheckBox::clicked, box, [this] { Report(DalEvent::kClicked); });
}

std::string CheckControl::Text() const {
  return FromDisplay(box_->text());
}

void CheckControl::SetText(const std::string& text) {
  box_->setText(ToDisplay(text));
}

bool CheckControl::IsChecked() const {
  return box_->isChecked();
}

void CheckControl::SetChecked(bool on) {
  box_->setChecked(on);
}

ButtonControl::ButtonControl(QPushButton* button, ControlReport report)
    : WidgetControl(button, std::move(report)), button_(button) {
  QObject::connect(button, &QPushButton::clicked, button, [this] { Report(DalEvent::kClicked); });
}

std::string ButtonControl::Text() const {
  return FromDisplay(button_->text());
}

void ButtonControl::SetText(const std::string& text) {
  button_->setText(ToDisplay(text));
}

}  // namespace korvel

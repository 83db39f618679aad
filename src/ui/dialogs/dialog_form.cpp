#include "ui/dialogs/dialog_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

namespace korvel {
namespace {

// A box given fewer characters than this keeps a short box rather than stretching across the
// dialog (numbers, dates, short lists).
constexpr int kShortBox = 12;

int Chars(const QWidget* widget, int count) {
  return QFontMetrics(widget->font()).horizontalAdvance(QLatin1Char('x')) * count;
}

int Lines(const QWidget* widget, int count) {
  return QFontMetrics(widget->font()).lineSpacing() * count;
}

bool IsShort(const ControlTemplate& item) {
  return item.widthChars > 0 && item.widthChars < kShortBox;
}

// `extra` characters of room for what the box shows besides its text (a combo box's arrow).
void SizeBox(QWidget* box, const ControlTemplate& item, int usualChars, int extra) {
  box->setMinimumWidth(Chars(box, item.widthChars > 0 ? item.widthChars : usualChars));
  if (IsShort(item)) box->setMaximumWidth(Chars(box, item.widthChars + extra));
}

QFormLayout* MakeForm() {
  auto* form = new QFormLayout;
  // Fields take the room the dialog gives them on every style, not only on some.
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setRowWrapPolicy(QFormLayout::DontWrapRows);
  return form;
}

// A multi-line field's label sits at its first line.
QLabel* TopLabel(const char* text) {
  auto* label = new QLabel(QString::fromUtf8(text));
  label->setAlignment(Qt::AlignRight | Qt::AlignTop);
  return label;
}

// Where the next control goes: the dialog's own area or the open group, in form rows or in the
// cells of the open grid. Layouts join their parent before their widgets are added, so that the
// widgets join the window, and its tab order, in template order.
class Placement {
 public:
  explicit Placement(QVBoxLayout* outer) : outer_(outer), area_(outer) {}
  Placement(const Placement&) = delete;
  Placement& operator=(const Placement&) = delete;
  ~Placement() { EndGrid(); }

  void StartGroup(const QString& title) {
    EndGrid();
    auto* group = new QGroupBox(title);
    outer_->addWidget(group);
    area_ = new QVBoxLayout(group);
    form_ = nullptr;
  }

  void StartGrid(int columns) {
    EndGrid();
    grid_ = new QGridLayout;
    grid_->setHorizontalSpacing(8);
    area_->addLayout(grid_);
    columns_ = std::max(columns, 1);
    cell_ = 0;
    stretching_.assign(static_cast<std::size_t>(columns_), false);
    form_ = nullptr;
  }

  void End() {
    if (grid_ != nullptr) {
      EndGrid();
    } else if (area_ != outer_) {
      area_ = outer_;
      form_ = nullptr;
    }
  }

  bool inGrid() const { return grid_ != nullptr; }

  // The next cell of the open grid; a column stretches when one of its cells does.
  void AddCell(QWidget* widget, bool stretches, Qt::Alignment alignment = {}) {
    const int column = cell_ % columns_;
    grid_->addWidget(widget, cell_ / columns_, column, alignment);
    if (stretches) stretching_[static_cast<std::size_t>(column)] = true;
    ++cell_;
  }

  QFormLayout* Form() {
    if (form_ == nullptr) {
      form_ = MakeForm();
      area_->addLayout(form_);
    }
    return form_;
  }

 private:
  void EndGrid() {
    if (grid_ == nullptr) return;
    bool any = false;
    for (int column = 0; column < columns_; ++column) {
      if (stretching_[static_cast<std::size_t>(column)]) {
        grid_->setColumnStretch(column, 1);
        any = true;
      }
    }
    // Nothing in the grid wants more room: its cells keep their size, on the left.
    if (!any) grid_->setColumnStretch(columns_, 1);
    grid_ = nullptr;
  }

  QVBoxLayout* outer_;
  QVBoxLayout* area_;
  QFormLayout* form_ = nullptr;
  QGridLayout* grid_ = nullptr;
  int columns_ = 1;
  int cell_ = 0;
  std::vector<bool> stretching_;
};

}  // namespace

DialogForm::DialogForm(const DialogTemplate& dialogTemplate, QWidget* host, Report report,
                       PictureListHooks pictures) {
  auto* outer = new QVBoxLayout(host);
  outer->setContentsMargins(0, 0, 0, 0);
  Placement place(outer);

  std::vector<QLabel*> labels;  // of form rows, made as wide as the widest
  // A box in a form row beside its label, or alone across the row; in a grid, a cell.
  auto putBox = [&](QWidget* box, const ControlTemplate& item, bool stretches, bool labelAtTop) {
    const QString label = QString::fromUtf8(item.label);
    if (place.inGrid()) {
      box->setAccessibleName(label);
      place.AddCell(box, stretches);
    } else if (label.isEmpty()) {
      place.Form()->addRow(box);
    } else if (labelAtTop) {
      labels.push_back(TopLabel(item.label));
      place.Form()->addRow(labels.back(), box);
    } else {
      place.Form()->addRow(label, box);
      labels.push_back(qobject_cast<QLabel*>(place.Form()->labelForField(box)));
    }
  };
  // Check boxes and buttons carry their own captions: in the field column, under the fields they
  // qualify, or in their cell.
  auto putCaptioned = [&](QWidget* widget) {
    if (place.inGrid()) {
      place.AddCell(widget, false, Qt::AlignLeft | Qt::AlignVCenter);
    } else {
      place.Form()->addRow(QString(), widget);
    }
  };

  for (const ControlTemplate& item : dialogTemplate.controls) {
    const int id = item.id;
    ControlReport reportThis = [report, id](DalEvent event) {
      if (report) report(id, event);
    };
    const QString label = QString::fromUtf8(item.label);
    std::unique_ptr<WidgetControl> control;
    switch (item.kind) {
      case TemplateControl::kGroup:
        place.StartGroup(label);
        break;
      case TemplateControl::kGrid:
        place.StartGrid(item.columns);
        break;
      case TemplateControl::kEnd:
        place.End();
        break;
      case TemplateControl::kSpace:
        if (place.inGrid()) place.AddCell(new QWidget, true);
        break;
      case TemplateControl::kLabel: {
        auto* text = new QLabel(label);
        if (place.inGrid()) {
          // Headings and row names: one line each.
          place.AddCell(text, false, Qt::AlignLeft | Qt::AlignVCenter);
        } else {
          text->setWordWrap(true);
          place.Form()->addRow(text);
        }
        control = std::make_unique<LabelControl>(text, reportThis);
        break;
      }
      case TemplateControl::kEdit:
      case TemplateControl::kReadOnlyEdit: {
        auto* edit = new QLineEdit;
        edit->setReadOnly(item.kind == TemplateControl::kReadOnlyEdit);
        SizeBox(edit, item, 20, 4);
        putBox(edit, item, !IsShort(item), false);
        control = std::make_unique<LineEditControl>(edit, reportThis);
        break;
      }
      case TemplateControl::kMultiLineEdit: {
        auto* edit = new QPlainTextEdit;
        edit->setTabChangesFocus(true);
        edit->setMinimumWidth(Chars(edit, item.widthChars > 0 ? item.widthChars : 48));
        // As tall as its lines: the widget's own hint is a third of a screen.
        edit->setFixedHeight(Lines(edit, item.lines > 0 ? item.lines : 4) + 2 * edit->frameWidth() + 8);
        putBox(edit, item, true, true);
        control = std::make_unique<MultiLineEditControl>(edit, reportThis);
        break;
      }
      case TemplateControl::kCombo:
      case TemplateControl::kEditableCombo: {
        auto* combo = new QComboBox;
        combo->setEditable(item.kind == TemplateControl::kEditableCombo);
        SizeBox(combo, item, 20, 6);
        combo->setMaxVisibleItems(16);
        putBox(combo, item, !IsShort(item), false);
        control = std::make_unique<ComboControl>(combo, reportThis);
        break;
      }
      case TemplateControl::kList:
      case TemplateControl::kMultiList: {
        auto* list = new QListWidget;
        // Several highlights: a click toggles one entry, so that one slip does not drop the rest.
        list->setSelectionMode(item.kind == TemplateControl::kMultiList ? QAbstractItemView::MultiSelection
                                                                        : QAbstractItemView::SingleSelection);
        list->setMinimumWidth(Chars(list, item.widthChars > 0 ? item.widthChars : 20));
        const int frame = 2 * list->frameWidth() + 4;
        if (item.lines > 0 || !place.inGrid()) {
          list->setFixedHeight(Lines(list, item.lines > 0 ? item.lines : 6) + frame);
        } else {
          // In a grid a list of no set length is as tall as its row.
          list->setMinimumHeight(Lines(list, 6) + frame);
        }
        putBox(list, item, true, true);
        control = std::make_unique<ListControl>(list, reportThis);
        break;
      }
      case TemplateControl::kPictureList: {
        auto* list = new QListWidget;
        MakePictureList(list, id, QSize(item.itemWidth, item.itemHeight), item.lines > 0 ? item.lines : 4,
                        pictures);
        putBox(list, item, false, true);
        control = std::make_unique<ListControl>(list, reportThis);
        break;
      }
      case TemplateControl::kCheck: {
        auto* box = new QCheckBox(label);
        putCaptioned(box);
        control = std::make_unique<CheckControl>(box, reportThis);
        break;
      }
      case TemplateControl::kButton: {
        auto* button = new QPushButton(label);
        button->setAutoDefault(false);
        // A button keeps its size wherever it stands.
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        putCaptioned(button);
        control = std::make_unique<ButtonControl>(button, reportThis);
        break;
      }
    }
    if (control && id != 0) controls_[id] = std::move(control);
  }
  // Groups and grids split the rows into several forms; one label width lines all their fields up.
  int labelWidth = 0;
  for (QLabel* label : labels) {
    if (label != nullptr) labelWidth = std::max(labelWidth, label->sizeHint().width());
  }
  for (QLabel* label : labels) {
    if (label == nullptr) continue;
    label->setMinimumWidth(labelWidth);
    // Widened, a label keeps its text beside its field.
    label->setAlignment(Qt::AlignRight | (label->alignment() & Qt::AlignVertical_Mask));
  }
}

DialogForm::~DialogForm() = default;

WidgetControl* DialogForm::Control(int controlId) {
  const auto found = controls_.find(controlId);
  return found != controls_.end() ? found->second.get() : nullptr;
}

void DialogForm::Silence() {
  for (auto& [id, control] : controls_) control->Silence();
}

}  // namespace korvel

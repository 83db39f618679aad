#include "ui/dialogs/dialog_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFormLayout>
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

int Chars(const QWidget* widget, int count) {
  return QFontMetrics(widget->font()).horizontalAdvance(QLatin1Char('x')) * count;
}

int Lines(const QWidget* widget, int count) {
  return QFontMetrics(widget->font()).lineSpacing() * count;
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

}  // namespace

DialogForm::DialogForm(const DialogTemplate& dialogTemplate, QWidget* host, Report report) {
  auto* outer = new QVBoxLayout(host);
  outer->setContentsMargins(0, 0, 0, 0);
  QFormLayout* form = MakeForm();
  outer->addLayout(form);

  std::vector<QWidget*> labels;
  for (const ControlTemplate& item : dialogTemplate.controls) {
    const int id = item.id;
    ControlReport reportThis = [report, id](DalEvent event) {
      if (report) report(id, event);
    };
    const QString label = QString::fromUtf8(item.label);
    std::unique_ptr<WidgetControl> control;
    switch (item.kind) {
      case TemplateControl::kGroup: {
        auto* group = new QGroupBox(label);
        outer->addWidget(group);
        form = MakeForm();
        group->setLayout(form);
        break;
      }
      case TemplateControl::kLabel: {
        auto* text = new QLabel(label);
        text->setWordWrap(true);
        form->addRow(text);
        control = std::make_unique<LabelControl>(text, reportThis);
        break;
      }
      case TemplateControl::kEdit:
      case TemplateControl::kReadOnlyEdit: {
        auto* edit = new QLineEdit;
        edit->setReadOnly(item.kind == TemplateControl::kReadOnlyEdit);
        edit->setMinimumWidth(Chars(edit, item.widthChars > 0 ? item.widthChars : 20));
        if (item.widthChars > 0 && item.widthChars < 12) {
          // Short numbers keep a short box rather than stretching across the dialog.
          edit->setMaximumWidth(Chars(edit, item.widthChars + 4));
        }
        form->addRow(label, edit);
        labels.push_back(form->labelForField(edit));
        control = std::make_unique<LineEditControl>(edit, reportThis);
        break;
      }
      case TemplateControl::kMultiLineEdit: {
        auto* edit = new QPlainTextEdit;
        edit->setTabChangesFocus(true);
        edit->setMinimumWidth(Chars(edit, item.widthChars > 0 ? item.widthChars : 48));
        // As tall as its lines: the widget's own hint is a third of a screen.
        edit->setFixedHeight(Lines(edit, item.lines > 0 ? item.lines : 4) + 2 * edit->frameWidth() + 8);
        labels.push_back(TopLabel(item.label));
        form->addRow(labels.back(), edit);
        control = std::make_unique<MultiLineEditControl>(edit, reportThis);
        break;
      }
      case TemplateControl::kCombo:
      case TemplateControl::kEditableCombo: {
        auto* combo = new QComboBox;
        combo->setEditable(item.kind == TemplateControl::kEditableCombo);
        combo->setMinimumWidth(Chars(combo, item.widthChars > 0 ? item.widthChars : 20));
        combo->setMaxVisibleItems(16);
        form->addRow(label, combo);
        labels.push_back(form->labelForField(combo));
        control = std::make_unique<ComboControl>(combo, reportThis);
        break;
      }
      case TemplateControl::kList:
      case TemplateControl::kMultiList: {
        auto* list = new QListWidget;
        list->setSelectionMode(item.kind == TemplateControl::kMultiList ? QAbstractItemView::ExtendedSelection
                                                                        : QAbstractItemView::SingleSelection);
        list->setMinimumWidth(Chars(list, item.widthChars > 0 ? item.widthChars : 20));
        list->setFixedHeight(Lines(list, item.lines > 0 ? item.lines : 6) + 2 * list->frameWidth() + 4);
        labels.push_back(TopLabel(item.label));
        form->addRow(labels.back(), list);
        control = std::make_unique<ListControl>(list, reportThis);
        break;
      }
      case TemplateControl::kCheck: {
        auto* box = new QCheckBox(label);
        // In the field column, under the fields it qualifies.
        form->addRow(QString(), box);
        control = std::make_unique<CheckControl>(box, reportThis);
        break;
      }
      case TemplateControl::kButton: {
        auto* button = new QPushButton(label);
        button->setAutoDefault(false);
        form->addRow(QString(), button);
        control = std::make_unique<ButtonControl>(button, reportThis);
        break;
      }
    }
    if (control && id != 0) controls_[id] = std::move(control);
  }
  // Groups have forms of their own; one label width lines all their fields up.
  int labelWidth = 0;
  for (QWidget* label : labels) {
    if (label != nullptr) labelWidth = std::max(labelWidth, label->sizeHint().width());
  }
  for (QWidget* widget : labels) {
    auto* label = qobject_cast<QLabel*>(widget);
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

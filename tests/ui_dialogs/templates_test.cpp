// Every dialog template: its controls exist with their ids, and it is laid out as a desktop
// dialog should be. Each is also rendered to dialog_<id>.png in the build folder to be looked at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "dal/dal.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui/dialogs/qt_dal_host.h"

namespace korvel {

// Test names and failures show the template, not its bytes.
void PrintTo(const DialogTemplate& dialogTemplate, std::ostream* out) {
  *out << dialogTemplate.id << " \"" << dialogTemplate.title << '"';
}

namespace {

QRect InWindow(QWidget* widget, QWidget* window) {
  return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

class DialogTemplateTest : public ::testing::TestWithParam<DialogTemplate> {};

TEST_P(DialogTemplateTest, HasItsControlsAndADesktopLayout) {
  const DialogTemplate& dialogTemplate = GetParam();
  QtDalHost host;
  DalDialog dialog{.templateId = dialogTemplate.id};
  auto made = host.CreateDialogWindow(dialog, nullptr);
  ASSERT_NE(made, nullptr);
  auto& window = static_cast<QtDialogWindow&>(*made);
  QDialog* widget = window.widget();
  EXPECT_EQ(widget->windowTitle().toStdString(), dialogTemplate.title);

  std::set<int> ids{kDalIdOk, kDalIdCancel};
  std::vector<QWidget*> fields;  // in template order
  for (const ControlTemplate& control : dialogTemplate.controls) {
    if (control.id == 0) continue;
    EXPECT_TRUE(ids.insert(control.id).second) << "id " << control.id << " twice, or OK's or Cancel's";
    auto* made = static_cast<WidgetControl*>(window.Control(control.id));
    ASSERT_NE(made, nullptr) << "id " << control.id;
    fields.push_back(made->widget());
  }
  ASSERT_NE(window.Control(kDalIdOk), nullptr);
  ASSERT_NE(window.Control(kDalIdCancel), nullptr);
  EXPECT_EQ(window.Control(kDalIdOk)->Text(), dialogTemplate.okText);
  EXPECT_EQ(window.Control(kDalIdCancel)->Text(), dialogTemplate.cancelText);

  widget->show();
  QApplication::processEvents();

  // Labels show their whole text.
  for (QLabel* label : widget->findChildren<QLabel*>()) {
    if (label->isVisible() && !label->wordWrap()) {
      EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    }
  }

  // OK and Cancel below every field, in the bottom right corner.
  QWidget* ok = static_cast<WidgetControl*>(window.Control(kDalIdOk))->widget();
  QWidget* cancel = static_cast<WidgetControl*>(window.Control(kDalIdCancel))->widget();
  const QRect okRect = InWindow(ok, widget);
  const QRect cancelRect = InWindow(cancel, widget);
  for (QWidget* field : fields) {
    EXPECT_LT(InWindow(field, widget).bottom(), std::min(okRect.top(), cancelRect.top()));
    EXPECT_LT(InWindow(field, widget).right(), widget->width()) << "not cut off, even on a small screen";
  }
  EXPECT_GT(std::max(okRect.right(), cancelRect.right()), widget->width() - 40);
  EXPECT_LE(ok->width(), ok->sizeHint().width() * 3 / 2) << "buttons keep their size, not the dialog's";
  EXPECT_EQ(okRect.top(), cancelRect.top());

  // Tab goes through the fields top to bottom, then to the buttons.
  std::vector<QWidget*> order;
  QWidget* at = fields.empty() ? ok : fields.front();
  for (int step = 0; step < 64 && order.size() < fields.size() + 2; ++step) {
    if (at == ok || at == cancel || std::find(fields.begin(), fields.end(), at) != fields.end()) {
      if (std::find(order.begin(), order.end(), at) == order.end()) order.push_back(at);
    }
    at = at->nextInFocusChain();
  }
  ASSERT_EQ(order.size(), fields.size() + 2);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    EXPECT_EQ(order[i], fields[i]) << "tab stop " << i;
    if (i > 0) {
      EXPECT_GE(InWindow(fields[i], widget).top(), InWindow(fields[i - 1], widget).top());
    }
  }

  const std::string file =
      std::string(KORVEL_SCREENSHOT_DIR) + "/dialog_" + std::to_string(dialogTemplate.id) + ".png";
  EXPECT_TRUE(widget->grab().save(QString::fromStdString(file)));
}

INSTANTIATE_TEST_SUITE_P(AllDialogs, DialogTemplateTest,
                         ::testing::ValuesIn(DialogTemplates().begin(), DialogTemplates().end()),
                         [](const auto& info) { return "Dialog" + std::to_string(info.param.id); });

}  // namespace
}  // namespace korvel

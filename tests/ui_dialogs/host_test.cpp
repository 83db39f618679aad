// Dialog and notebook runs on real windows, driven by the user's own keys and clicks (the journeys
// through the program run them by script).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "dal/dal.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui/dialogs/qt_dal_host.h"

namespace korvel {
namespace {

QWidget* WidgetOf(DalDialog& dialog, int controlId) {
  auto* control = static_cast<WidgetControl*>(dialog.window->Control(controlId));
  return control != nullptr ? control->widget() : nullptr;
}

// Acts as the user once the run's window is up.
template <typename Act>
void WhenShown(Act act) {
  QTimer::singleShot(0, act);
}

class DialogRunTest : public ::testing::Test {
 protected:
  void SetUp() override { DalClearScripts(); }
  void TearDown() override {
    EXPECT_TRUE(DalTakeScriptErrors().empty());
    DalClearScripts();
  }

  QtDalHost host;
};

class InventoryRunTest : public DialogRunTest {
 protected:
  DalDialog Dialog(int templateId) {
    return {
        .templateId = templateId,
        .fields = {{.kind = kDalEdit,
                    .controlId = kIdInventoryTube,
                    .value = &tube,
                    .flags = DAL_STRING,
                    .change = [this](DalFieldInfo&) { ++tubeChanges; }},
                   {.kind = kDalEdit, .controlId = kIdInventoryCount, .value = &count, .flags = DAL_INT}}};
  }
  std::string tube = "6V6";
  std::int32_t count = 2;
  int tubeChanges = 0;
};

TEST_F(InventoryRunTest, UserTypesAndPressesOkButCannotTypeOverAShownOnlyName) {
  DalDialog dialog = Dialog(kDialogModifyInventory);
  bool readOnly = false;
  WhenShown([&] {
    auto* name = static_cast<QLineEdit*>(WidgetOf(dialog, kIdInventoryTube));
    readOnly = name->isReadOnly() && name->text() == "6V6";
    QTest::keyClicks(name, "GT");
    auto* edit = static_cast<QLineEdit*>(WidgetOf(dialog, kIdInventoryCount));
    edit->selectAll();
    QTest::keyClicks(edit, "14");
    QTest::mouseClick(WidgetOf(dialog, kDalIdOk), Qt::LeftButton);
  });
  EXPECT_EQ(DalRunDialog(dialog, nullptr), 1);
  EXPECT_TRUE(readOnly);
  EXPECT_EQ(tube, "6V6") << "a shown-only name cannot be typed over";
  EXPECT_EQ(count, 14);
}

// A box changed with the focus still in it is no change.
TEST_F(InventoryRunTest, EscapeCloseAndCancelLeaveTheVariablesAndEnterIsOk) {
  DalDialog dialog = Dialog(kDialogAddToInventory);
  // Clicking Cancel takes the focus from the box first, so its change is heard (and not kept).
  const std::tuple<const char*, std::function<void(QDialog*)>, int> leaves[] = {
      {"Escape", [](QDialog* window) { QTest::keyClick(window, Qt::Key_Escape); }, 0},
      {"closing the window", [](QDialog* window) { window->close(); }, 0},
      {"Cancel", [&](QDialog*) { QTest::mouseClick(WidgetOf(dialog, kDalIdCancel), Qt::LeftButton); }, 1}};
  for (const auto& [how, leave, changes] : leaves) {
    tubeChanges = 0;
    WhenShown([&] {
      QWidget* name = WidgetOf(dialog, kIdInventoryTube);
      QApplication::setActiveWindow(name->window());
      name->setFocus();
      QTest::keyClicks(name, "6K7");
      QTest::keyClicks(WidgetOf(dialog, kIdInventoryCount), "9");
      leave(static_cast<QtDialogWindow*>(dialog.window)->widget());
    });
    EXPECT_EQ(DalRunDialog(dialog, nullptr), 0) << how;
    EXPECT_EQ(tubeChanges, changes) << how;
    EXPECT_EQ(count, 2) << how;
    EXPECT_EQ(tube, "6V6") << how;
  }

  tube.clear();
  WhenShown([&] {
    QWidget* name = WidgetOf(dialog, kIdInventoryTube);
    QTest::keyClicks(name, "6sn7");
    QTest::keyClick(name, Qt::Key_Return);
  });
  EXPECT_EQ(DalRunDialog(dialog, nullptr), 1);
  EXPECT_EQ(tube, "6sn7");
}

TEST_F(DialogRunTest, ModelessRunLeavesOtherWindowsUsable) {
  std::int32_t field = 0;
  std::int32_t selected = 0;
  const std::vector<std::string> fields = {"Bands", "Brand", "Cabinet Composition"};
  DalDialog dialog{.templateId = kDialogDistribution,
                   .fields = {{.kind = kDalPlainList,
                               .controlId = kIdDistributionField,
                               .value = &field,
                               .items = &fields},
                              {.kind = kDalCheck, .controlId = kIdDistributionSelected, .value = &selected}},
                   .mode = kDalModeless};
  Qt::WindowModality modality = Qt::ApplicationModal;
  WhenShown([&] {
    modality = static_cast<QtDialogWindow*>(dialog.window)->widget()->windowModality();
    dialog.window->Control(kIdDistributionField)->SetCurrentItem(2);
    QWidget* box = WidgetOf(dialog, kIdDistributionSelected);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    QTest::mouseClick(WidgetOf(dialog, kDalIdOk), Qt::LeftButton);
  });
  EXPECT_EQ(DalRunDialog(dialog, nullptr), 1);
  EXPECT_EQ(modality, Qt::NonModal);
  EXPECT_EQ(field, 2);
  EXPECT_EQ(selected, 1);

  dialog.templateId = 4242;  // no such template: not run
  EXPECT_EQ(DalRunDialog(dialog, nullptr), -1);
}

// Two small pages, so that a notebook's behaviour does not hang on the radio notebook's pages.
constexpr ControlTemplate kBrandPage[] = {{1001, TemplateControl::kEdit, "Brand", 24}};
constexpr ControlTemplate kYearPage[] = {{1004, TemplateControl::kEdit, "Year", 6}};
const DialogTemplate kPages[] = {{500, "", kBrandPage}, {501, "", kYearPage}};

const DialogTemplate* PageTemplate(int id) {
  for (const DialogTemplate& page : kPages) {
    if (page.id == id) return &page;
  }
  return nullptr;
}

class NotebookRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DalClearScripts();
    notebook.caption = "Add/Modify Radio";
    notebook.pages.push_back(
        {"Description",
         DalDialog{.templateId = 500,
                   .fields = {{.kind = kDalEdit, .controlId = 1001, .value = &brand, .flags = DAL_STRING}}}});
    notebook.pages.push_back(
        {"Year",
         DalDialog{.templateId = 501,
                   .fields = {{.kind = kDalEdit, .controlId = 1004, .value = &year, .flags = DAL_INT}}}});
  }
  void TearDown() override { DalClearScripts(); }

  QtNotebookWindow& Window() { return *static_cast<QtNotebookWindow*>(notebook.window); }
  QTabWidget* Tabs() { return Window().widget()->findChild<QTabWidget*>(); }

  QtDalHost host{PageTemplate};
  std::string brand = "Zenith";
  std::int32_t year = 1937;
  DalNotebook notebook;
};

TEST_F(NotebookRunTest, PagesAreMadeWhenFirstShownAndOnlyShownPagesAreRead) {
  bool laterPageMade = true;
  WhenShown([&] {
    laterPageMade = !Tabs()->widget(1)->findChildren<QLineEdit*>().isEmpty();
    auto* edit = Tabs()->widget(0)->findChild<QLineEdit*>();
    edit->selectAll();
    QTest::keyClicks(edit, "Philco");
    QTest::mouseClick(Window().widget()->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                      Qt::LeftButton);
  });
  EXPECT_EQ(DalRunNotebook(notebook, nullptr), 1);
  EXPECT_FALSE(laterPageMade);
  EXPECT_EQ(brand, "Philco");
  EXPECT_EQ(year, 1937);

  std::string shownYear;
  WhenShown([&] {
    Tabs()->setCurrentIndex(1);
    auto* edit = Tabs()->widget(1)->findChild<QLineEdit*>();
    shownYear = edit->text().toStdString();
    edit->selectAll();
    QTest::keyClicks(edit, "1948");
    EXPECT_TRUE(edit->isVisible()) << "a page is complete when it comes to the front";
    QTest::keyClick(Window().widget(), Qt::Key_Escape);
  });
  EXPECT_EQ(DalRunNotebook(notebook, nullptr), 0);
  EXPECT_EQ(shownYear, "1937");
  EXPECT_EQ(year, 1937) << "cancelled";
}

}  // namespace
}  // namespace korvel

// The "Add/Modify Radio" notebook's pages: the fields the radio commands bind, with their ids,
// kinds and labels; the tube pages as grids; and every page shown in the notebook itself, rendered
// to notebook_<id>.png in the build folder to be looked at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "dal/dal.h"
#include "sample_contents.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui/dialogs/qt_dal_host.h"

namespace korvel {
namespace {

using enum TemplateControl;

struct Field {
  int id = 0;
  TemplateControl kind = kEdit;
  const char* label = "";
  bool shortBox = false;  // dates and numbers
};

struct Page {
  int templateId = 0;
  const char* title = "";
  std::vector<Field> fields;
};

std::vector<Field> TubeFields(int firstRow) {
  std::vector<Field> fields = {{kIdSearchFill, kButton, "Search/Fill"}};
  for (int row = firstRow; row < firstRow + kTubeRowsPerPage; ++row) {
    fields.push_back({TubeFunctionId(row), kCombo, "Function"});
    fields.push_back({TubeTextId(row), kEdit, "Tube", true});
  }
  return fields;
}

const std::vector<Page>& Pages() {
  static const std::vector<Page> pages = {
      {kDialogDescription,
       "Description",
       {{1000, kReadOnlyEdit, "ID", true},
        {1001, kCombo, "Brand"},
        {1002, kEdit, "Model"},
        {1003, kEdit, "Serial Number"},
        {1004, kEdit, "Year", true},
        {1005, kCombo, "Manufacturer"}}},
      {kDialogCabinet,
       "Cabinet",
       {{1005, kCombo, "Cabinet Style"},
        {1006, kCombo, "Cabinet Composition"},
        {1007, kEdit, "Cabinet Color"},
        {1008, kCombo, "Trim"},
        {1009, kEdit, "Trim Color"}}},
      {kDialogGrillDial,
       "Grill/Dial",
       {{1012, kCombo, "Grill Style"},
        {1013, kCombo, "Grill Position"},
        {1010, kCombo, "Tuning Dial Style"},
        {1011, kCombo, "Tuning Dial Position"},
        {1014, kCheck, "Push Buttons"},
        {1015, kCheck, "Telephone Dial"}}},
      {kDialogPictures,
       "Pictures",
       {{1016, kEdit, "Picture File"},
        {1017, kEdit, "Snapshot File"},
        {1018, kEdit, "Extra Picture Files"},
        {kIdAddPictures, kButton, "Add Pictures..."},
        {1102, kMultiLineEdit, "References"}}},
      {kDialogExtras, "Extras", {{1019, kMultiLineEdit, ""}}},
      {kDialogCircuit,
       "Circuit",
       {{1023, kCombo, "Circuit Type"},
        {1024, kCombo, "Technology"},
        {1022, kCombo, "Bands"},
        {1021, kCombo, "Power"},
        {1101, kEdit, "Schematic"}}},
      {kDialogTubes1, "Tubes 1", TubeFields(0)},
      {kDialogTubes2, "Tubes 2", TubeFields(kTubeRowsPerPage)},
      {kDialogAcquisition,
       "Acquisition",
       {{1081, kEdit, "Date Acquired", true}, {1082, kEdit, "Cost", true}, {1083, kEdit, "Where Acquired"}}},
      {kDialogStatus,
       "Status",
       {{1084, kCombo, "Status"},
        {1085, kCombo, "Condition"},
        {1086, kCombo, "Chassis Condition"},
        {1087, kMultiLineEdit, "Damage"},
        {1089, kEdit, "Value", true},
        {1090, kEdit, "Source Of Value"}}},
      {kDialogRepairs,
       "Repairs",
       {{1091, kEdit, "Date Repaired", true},
        {1092, kEdit, "Cost", true},
        {1093, kMultiLineEdit, "Repairs"}}},
      {kDialogDisposition,
       "Disposition",
       {{1094, kEdit, "Date Disposed", true}, {1095, kEdit, "Price", true}, {1096, kEdit, "Where Disposed"}}},
      {kDialogNotes, "Notes", {{1103, kMultiLineEdit, ""}}},
  };
  return pages;
}

// Rows 1-8 and 9-16 of the radio's tubes.
static_assert(TubeFunctionId(0) == 1025 && TubeTextId(7) == 1040);
static_assert(TubeFunctionId(8) == 1041 && TubeTextId(15) == 1056);

TEST(RadioNotebookPages, HaveTheFieldsTheCommandsBind) {
  for (const Page& page : Pages()) {
    SCOPED_TRACE(page.title);
    const DialogTemplate* found = FindDialogTemplate(page.templateId);
    ASSERT_NE(found, nullptr);
    EXPECT_STREQ(found->title, page.title);
    std::map<int, const ControlTemplate*> controls;
    for (const ControlTemplate& control : found->controls) {
      if (control.id == 0) continue;
      EXPECT_TRUE(controls.emplace(control.id, &control).second) << control.id << " twice";
    }
    EXPECT_EQ(controls.size(), page.fields.size()) << "no controls beyond the bound fields";
    for (const Field& field : page.fields) {
      SCOPED_TRACE(field.id);
      const auto at = controls.find(field.id);
      ASSERT_NE(at, controls.end());
      const ControlTemplate& control = *at->second;
      EXPECT_EQ(control.kind, field.kind);
      EXPECT_STREQ(control.label, field.label);
      if (field.kind == kEdit || field.kind == kReadOnlyEdit) {
        EXPECT_EQ(control.widthChars > 0 && control.widthChars < 12, field.shortBox)
            << "dates and numbers in short boxes, texts in long ones";
      }
    }
  }
}

QRect InWindow(QWidget* widget) {
  return QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
}

QWidget* WidgetOf(DalWindow& window, int id) {
  auto* control = static_cast<WidgetControl*>(window.Control(id));
  return control != nullptr ? control->widget() : nullptr;
}

// Function and tube side by side, one row under the other, the columns lined up.
void ExpectTubeGrid(DalWindow& page, int firstRow) {
  QRect previous;
  for (int row = firstRow; row < firstRow + kTubeRowsPerPage; ++row) {
    SCOPED_TRACE(row);
    QWidget* function = WidgetOf(page, TubeFunctionId(row));
    QWidget* tube = WidgetOf(page, TubeTextId(row));
    ASSERT_TRUE(function != nullptr && tube != nullptr);
    const QRect left = InWindow(function);
    const QRect right = InWindow(tube);
    EXPECT_LE(std::abs(left.center().y() - right.center().y()), 2);
    EXPECT_LT(left.right(), right.left());
    EXPECT_LT(right.width(), left.width()) << "a tube type is short";
    if (row > firstRow) {
      EXPECT_GT(left.top(), previous.bottom());
      EXPECT_EQ(left.left(), previous.left());
    }
    previous = left;
  }
  EXPECT_GT(InWindow(WidgetOf(page, kIdSearchFill)).top(), previous.bottom());
}

TEST(RadioNotebook, ShowsEveryPageWholeAtOneSize) {
  QtDalHost host;
  DalClearScripts();
  DalNotebook notebook;
  notebook.caption = "Add/Modify Radio";
  for (const Page& page : Pages())
    notebook.pages.push_back({page.title, DalDialog{.templateId = page.templateId}});

  std::set<std::pair<int, int>> sizes;
  int pagesShown = 0;
  QTimer::singleShot(0, [&] {
    auto& window = *static_cast<QtNotebookWindow*>(notebook.window);
    auto* tabs = window.widget()->findChild<QTabWidget*>();
    for (int index = 0; index < static_cast<int>(Pages().size()); ++index) {
      const Page& page = Pages()[index];
      SCOPED_TRACE(page.title);
      tabs->setCurrentIndex(index);
      QApplication::processEvents();
      DalWindow* shown = window.Page(index);
      ASSERT_NE(shown, nullptr);
      FillSample(page.templateId, *shown);
      QApplication::processEvents();
      sizes.insert({window.widget()->width(), window.widget()->height()});
      // Every field is on the page, none cut off by its edges.
      const QRect area(tabs->currentWidget()->mapTo(window.widget(), QPoint(0, 0)),
                       tabs->currentWidget()->size());
      for (const Field& field : page.fields) {
        QWidget* widget = WidgetOf(*shown, field.id);
        ASSERT_NE(widget, nullptr) << field.id;
        EXPECT_TRUE(widget->isVisible()) << field.id;
        EXPECT_TRUE(area.contains(InWindow(widget))) << field.id;
      }
      if (page.templateId == kDialogTubes1) ExpectTubeGrid(*shown, 0);
      if (page.templateId == kDialogTubes2) ExpectTubeGrid(*shown, kTubeRowsPerPage);
      const std::string file =
          std::string(KORVEL_SCREENSHOT_DIR) + "/notebook_" + std::to_string(page.templateId) + ".png";
      EXPECT_TRUE(window.widget()->grab().save(QString::fromStdString(file)));
      ++pagesShown;
    }
    QTest::keyClick(window.widget(), Qt::Key_Escape);
  });
  EXPECT_EQ(DalRunNotebook(notebook, nullptr), 0);
  EXPECT_EQ(pagesShown, 13);
  EXPECT_EQ(sizes.size(), 1u) << "the notebook keeps its size from page to page";
}

}  // namespace
}  // namespace korvel

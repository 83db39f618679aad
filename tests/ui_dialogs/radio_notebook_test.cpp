// The "Add/Modify Radio" notebook's pages: every field shown whole, the tube pages as grids, one
// size for all; each page rendered to notebook_<id>.png in the build folder to be looked at.
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

// The thirteen pages in notebook order. Their fields are the template's controls: the editing
// journeys bind each of them, so an id or kind that the commands do not expect fails there.
const int kPages[] = {kDialogDescription, kDialogCabinet, kDialogGrillDial, kDialogPictures,
                      kDialogExtras,      kDialogCircuit, kDialogTubes1,    kDialogTubes2,
                      kDialogAcquisition, kDialogStatus,  kDialogRepairs,   kDialogDisposition,
                      kDialogNotes};

// Rows 1-8 and 9-16 of the radio's tubes.
static_assert(TubeFunctionId(0) == 1025 && TubeTextId(7) == 1040);
static_assert(TubeFunctionId(8) == 1041 && TubeTextId(15) == 1056);

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
  for (int id : kPages)
    notebook.pages.push_back({FindDialogTemplate(id)->title, DalDialog{.templateId = id}});

  std::set<std::pair<int, int>> sizes;
  int pagesShown = 0;
  QTimer::singleShot(0, [&] {
    auto& window = *static_cast<QtNotebookWindow*>(notebook.window);
    auto* tabs = window.widget()->findChild<QTabWidget*>();
    for (int index = 0; index < static_cast<int>(std::size(kPages)); ++index) {
      const DialogTemplate& page = *FindDialogTemplate(kPages[index]);
      SCOPED_TRACE(page.title);
      tabs->setCurrentIndex(index);
      QApplication::processEvents();
      DalWindow* shown = window.Page(index);
      ASSERT_NE(shown, nullptr);
      FillSample(page.id, *shown);
      QApplication::processEvents();
      sizes.insert({window.widget()->width(), window.widget()->height()});
      // Every field is on the page, none cut off by its edges.
      const QRect area(tabs->currentWidget()->mapTo(window.widget(), QPoint(0, 0)),
                       tabs->currentWidget()->size());
      for (const ControlTemplate& field : page.controls) {
        if (field.id == 0) continue;
        QWidget* widget = WidgetOf(*shown, field.id);
        ASSERT_NE(widget, nullptr) << field.id;
        EXPECT_TRUE(widget->isVisible()) << field.id;
        EXPECT_TRUE(area.contains(InWindow(widget))) << field.id;
      }
      if (page.id == kDialogTubes1) ExpectTubeGrid(*shown, 0);
      if (page.id == kDialogTubes2) ExpectTubeGrid(*shown, kTubeRowsPerPage);
      const std::string file =
          std::string(KORVEL_SCREENSHOT_DIR) + "/notebook_" + std::to_string(page.id) + ".png";
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

// The search field, the table and the status bar on a copy of the sample: type to find radios,
// see them as a table, sort it, open a radio from it, save, list, publish and print the table.

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QTimer>

#include "app/quick_filter_field.h"
#include "app/radio_table_view.h"
#include "app/table_print.h"
#include "program_on_sample.h"
#include "reports/radio_table.h"
#include "support/collection_builder.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui/painting/printing_frame.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;

class ViewsJourney : public test::ProgramOnSample {
 protected:
  std::vector<int> Column(int tableColumn) {
    RadioTableModel& model = program_.tableView()->model();
    std::vector<int> values;
    for (int row = 0; row < model.rowCount(); ++row) {
      const RadioRecord* r = model.RadioAt(row);
      values.push_back(tableColumn == 4 ? r->year : r->value);
    }
    return values;
  }
  void ClickHeading(const char* name) {
    RadioTableView* table = program_.tableView();
    QHeaderView* header = table->horizontalHeader();
    for (int section = 0; section < table->model().columnCount(); ++section) {
      if (table->model().headerData(section, Qt::Horizontal, Qt::DisplayRole).toString() != name) continue;
      QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                        QPoint(header->sectionViewportPosition(section) + 5, header->height() / 2));
      Settle();
      return;
    }
    ADD_FAILURE() << "no column " << name;
  }
};

TEST_F(ViewsJourney, FindSortModifySaveListPublishAndPrint) {
  const int stored = program_.state().selection.current.Count();
  Command(kCommandFind);
  QuickFilterField* field = program_.quickFilterField();
  ASSERT_TRUE(field->hasFocus()) << "Ctrl+K puts the cursor in the search field";
  QTest::keyClicks(field, "PHILCO");
  Settle();
  const RadioList& narrowed = program_.state().selection.current;
  ASSERT_GT(narrowed.Count(), 2);
  ASSERT_LT(narrowed.Count(), stored);
  for (const RadioRecord* r : narrowed)
    EXPECT_EQ(collection().tables[kTableBrandName].Text(r->brand), "Philco");
  EXPECT_EQ(program_.pane().Count(), narrowed.Count()) << "the pane shows what the field found";
  EXPECT_EQ(program_.CountText(), std::to_string(narrowed.Count()) + " of 48 radios");

  Command(kCommandViewTable);
  RadioTableView* table = program_.tableView();
  ASSERT_TRUE(table->isVisible());
  EXPECT_EQ(table->model().rowCount(), narrowed.Count());
  ClickHeading("Year");
  const std::vector<int> years = Column(4);
  EXPECT_TRUE(std::is_sorted(years.begin(), years.end())) << "sorted by Year";
  ClickHeading("Value");
  ClickHeading("Value");
  std::vector<int> values = Column(29);
  EXPECT_TRUE(std::is_sorted(values.rbegin(), values.rend())) << "a second click sorts descending";

  // A double click opens Modify on the row's radio; what is saved reaches the data file.
  RadioRecord* top = table->model().RadioAt(0);
  DalQueueScript(DalScript().Page(9).Type(kIdValue, "4321").Ok());
  // As a mouse does it: a press and release, then the second press as a double click.
  const QPoint cell = table->visualRect(table->model().index(0, 1)).center();
  QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell);
  QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell);
  Settle();
  EXPECT_EQ(top->value, 4321);
  EXPECT_EQ(table->model().RadioAt(0), top) << "still the most valuable, at the top";
  EXPECT_EQ(program_.state().selection.current.Count(), narrowed.Count()) << "the field still narrows";
  Command(kCommandSave);
  EXPECT_EQ(program_.StatusText(), "Saved radata.dat: 48 radios, backup radata.000");
  EXPECT_EQ(ReadBack()->radios.FindById(top->id)->value, 4321);

  const int members = narrowed.Count();
  DalQueueScript(DalScript().Ok());
  Command(kCommandList);
  EXPECT_EQ(program_.StatusText(), "Wrote list.txt: " + std::to_string(members) + " radios");
  for (const char* sub : {"web/html", "web/pictures", "web/snapshots"})
    fs::create_directories(dir_.path() / sub);
  DalQueueScript(DalScript().Ok());
  DalQueueScript(DalScript().Ok());
  Command(kCommandPublishWeb);
  EXPECT_EQ(program_.StatusText(), "Published " + std::to_string(members) + " radios to web");

  // Escape empties the field and gives back the selection it narrowed.
  field->setFocus();
  QTest::keyClick(field, Qt::Key_Escape);
  Settle();
  EXPECT_EQ(program_.state().selection.current.Count(), stored);
  EXPECT_TRUE(field->text().isEmpty());
}

// A table longer than a page goes on over as many pages as it needs, headings on each.
TEST(TablePrint, EveryRowOnPagesOfTheirOwn) {
  Collection c = test::MakeCollection();
  for (int id = 1; id <= 150; ++id)
    test::AddLoadedRadio(c, {.id = id, .brand = "Zenith", .model = std::to_string(id)});
  RadioTableModel model;
  model.SetColumns(DefaultTableColumns());
  model.SetRows(c.tables, c.radios);
  const std::string pdf = KORVEL_SCREENSHOT_DIR "/views_table_print.pdf";
  ui::PrintingFrame frame;
  ASSERT_TRUE(frame.StartPrintJobToPdf(pdf));
  const int pages = PrintRadioTable(model, frame);
  EXPECT_EQ(pages, 3);
  EXPECT_NE(test::ReadFile(pdf).find("/Count 3"), std::string::npos) << "the PDF does not hold three pages";
}

}  // namespace
}  // namespace korvel

// The Qt controls against the contract of DalControl: what they hold, and that only the user's
// actions are reported, each once.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "ui/dialogs/qt_controls.h"

namespace korvel {
namespace {

struct Reports {
  std::vector<DalEvent> events;
  ControlReport Sink() {
    return [this](DalEvent event) { events.push_back(event); };
  }
  std::size_t Count(DalEvent event) const { return std::count(events.begin(), events.end(), event); }
};

void LeaveBox(QWidget* widget) {
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(widget, &out);
}

TEST(QtLineEdit, ShowsStoredBytesAndReportsTheUsersEditOnceWhenLeftOrEntered) {
  auto edit = std::make_unique<QLineEdit>();
  Reports reports;
  LineEditControl control(edit.get(), reports.Sink());

  control.SetText("Caf\xE9");  // Windows-1252, from an old collection
  EXPECT_EQ(edit->text(), QString::fromUtf8("Caf\xC3\xA9"));
  EXPECT_EQ(control.Text(), "Caf\xC3\xA9") << "given back in UTF-8";
  EXPECT_TRUE(reports.events.empty()) << "the program's own change is not the user's";

  QTest::keyClicks(edit.get(), " 7S");
  EXPECT_TRUE(reports.events.empty()) << "typing alone does not finish the box";
  LeaveBox(edit.get());
  EXPECT_EQ(reports.Count(DalEvent::kTextChanged), 1u);
  EXPECT_EQ(control.Text(), "Caf\xC3\xA9 7S");

  QTest::keyClicks(edit.get(), "11");
  QTest::keyClick(edit.get(), Qt::Key_Return);
  EXPECT_EQ(reports.Count(DalEvent::kTextChanged), 2u);

  control.Silence();
  QTest::keyClicks(edit.get(), "x");
  QTest::keyClick(edit.get(), Qt::Key_Return);
  EXPECT_EQ(reports.events.size(), 2u) << "a silenced control reports nothing";
  control.SetText("Gr\xC3\xBCndig");
  EXPECT_EQ(control.Text(), "Gr\xC3\xBCndig") << "UTF-8 is kept as it is";
}

TEST(QtMultiLineEdit, ReportsOnlyWhenLeftAfterAChange) {
  auto edit = std::make_unique<QPlainTextEdit>();
  Reports reports;
  MultiLineEditControl control(edit.get(), reports.Sink());

  control.SetText("Rider's, vol. 7");
  LeaveBox(edit.get());
  EXPECT_TRUE(reports.events.empty()) << "left unchanged";

  edit->moveCursor(QTextCursor::End);
  QTest::keyClicks(edit.get(), "; p. 12");
  QTest::keyClick(edit.get(), Qt::Key_Return);
  EXPECT_TRUE(reports.events.empty()) << "Enter starts a line in a long text";
  QTest::keyClicks(edit.get(), "Beitman");
  LeaveBox(edit.get());
  EXPECT_EQ(reports.Count(DalEvent::kTextChanged), 1u);
  EXPECT_EQ(control.Text(), "Rider's, vol. 7; p. 12 Beitman") << "the words stay apart";
  LeaveBox(edit.get());
  EXPECT_EQ(reports.events.size(), 1u);
}

TEST(QtCombo, HoldsItemsAndReportsOnlyTheUsersChoiceOrTypedText) {
  auto combo = std::make_unique<QComboBox>();
  Reports reports;
  ComboControl control(combo.get(), reports.Sink());

  const std::vector<std::string> materials{"Bakelite", "Wood", "Plastic"};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(control.AddItem(materials[i], 10 + i), i);
  EXPECT_EQ(control.CurrentItem(), -1) << "adding chooses nothing";
  EXPECT_EQ(control.ItemCount(), 3);
  EXPECT_EQ(control.ItemText(1), "Wood");
  EXPECT_EQ(control.ItemData(2), 12);
  EXPECT_EQ(control.ItemData(3), -1);

  EXPECT_TRUE(control.SetCurrentItem(1));
  EXPECT_EQ(control.Text(), "Wood");
  EXPECT_FALSE(control.SetCurrentItem(3));
  EXPECT_EQ(control.CurrentItem(), 1);
  EXPECT_TRUE(reports.events.empty());

  QTest::keyClick(combo.get(), Qt::Key_Down);
  EXPECT_EQ(control.CurrentItem(), 2);
  EXPECT_EQ(reports.events, std::vector<DalEvent>{DalEvent::kItemChosen});

  EXPECT_TRUE(control.SetCurrentItem(-1));
  EXPECT_EQ(control.CurrentItem(), -1);
  control.ClearItems();
  EXPECT_EQ(control.ItemCount(), 0);
  EXPECT_EQ(control.Text(), "");

  auto editable = std::make_unique<QComboBox>();
  editable->setEditable(true);
  Reports typed;
  ComboControl box(editable.get(), typed.Sink());
  box.AddItem("Philco", 0);
  box.SetText("Phil");
  EXPECT_EQ(box.Text(), "Phil");
  EXPECT_TRUE(typed.events.empty());
  QTest::keyClicks(editable->lineEdit(), "ips");
  LeaveBox(editable->lineEdit());
  EXPECT_EQ(typed.events, std::vector<DalEvent>{DalEvent::kTextChanged});
  EXPECT_EQ(box.Text(), "Philips");
  box.ClearItems();
  EXPECT_EQ(box.Text(), "") << "a cleared combo box shows no text";
}

class QtListTest : public ::testing::Test {
 protected:
  void Make(QAbstractItemView::SelectionMode mode) {
    list = std::make_unique<QListWidget>();
    list->setSelectionMode(mode);
    list->resize(200, 80);
    control = std::make_unique<ListControl>(list.get(), reports.Sink());
    for (int i = 0; i < 30; ++i) control->AddItem("Item " + std::to_string(i), 100 + i);
    list->show();
    QApplication::processEvents();
  }

  QPoint Centre(int index) { return list->visualItemRect(list->item(index)).center(); }

  std::unique_ptr<QListWidget> list;
  Reports reports;
  std::unique_ptr<ListControl> control;
};

TEST_F(QtListTest, SingleSelectionAndScrollingFollowTheProgramSilentlyAndTheUserAudibly) {
  Make(QAbstractItemView::SingleSelection);
  EXPECT_EQ(control->CurrentItem(), -1) << "filling highlights nothing";
  EXPECT_EQ(control->ItemData(4), 104);

  EXPECT_TRUE(control->SetCurrentItem(4));
  EXPECT_EQ(control->CurrentItem(), 4);
  EXPECT_TRUE(control->SelectItem(6, true));
  EXPECT_EQ(control->CurrentItem(), 6);
  EXPECT_FALSE(control->IsItemSelected(4)) << "one highlight in a single-selection list";
  EXPECT_FALSE(control->SetCurrentItem(30));
  EXPECT_TRUE(reports.events.empty());

  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, Centre(1));
  EXPECT_EQ(control->CurrentItem(), 1);
  EXPECT_EQ(reports.Count(DalEvent::kSelectionChanged), 1u);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, Centre(1));
  EXPECT_GE(reports.Count(DalEvent::kActivated), 1u);

  EXPECT_TRUE(control->SetCurrentItem(-1));
  EXPECT_EQ(control->CurrentItem(), -1);

  reports.events.clear();
  QScrollBar* bar = list->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 5) << "the list must be taller than its view";

  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_TRUE(reports.events.empty()) << "not watched yet";

  control->WatchScrolling();
  control->WatchScrolling();
  control->SetTopItem(5);
  EXPECT_EQ(control->TopItem(), 5);
  EXPECT_TRUE(reports.events.empty()) << "the program's scrolling";

  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(reports.events, std::vector<DalEvent>{DalEvent::kScrolled}) << "watched twice, reported once";
  EXPECT_EQ(control->TopItem(), 6) << "reported after moving";
  EXPECT_EQ(list->indexAt(QPoint(2, 2)).row(), 6);
}

TEST_F(QtListTest, MultipleSelectionGivesTheFocusedHighlightFirst) {
  Make(QAbstractItemView::ExtendedSelection);
  EXPECT_TRUE(control->SelectItem(2, true));
  EXPECT_TRUE(control->SelectItem(7, true));
  EXPECT_TRUE(control->IsItemSelected(2));
  EXPECT_TRUE(control->IsItemSelected(7));
  EXPECT_EQ(control->CurrentItem(), 7) << "highlighting gives the item the focus";
  EXPECT_TRUE(control->SelectItem(7, false));
  EXPECT_EQ(control->CurrentItem(), 2) << "else the first highlighted one";
  EXPECT_FALSE(control->SelectItem(-1, true));
  EXPECT_TRUE(reports.events.empty());

  // Ranges are highlighted and cleared in one step, silently.
  EXPECT_TRUE(control->SelectItemRange(0, 29, true));
  EXPECT_TRUE(control->SelectItemRange(10, 19, false));
  for (int i = 0; i < 30; ++i) EXPECT_EQ(control->IsItemSelected(i), i < 10 || i > 19) << "item " << i;
  EXPECT_FALSE(control->SelectItemRange(25, 30, true));
  EXPECT_FALSE(control->SelectItemRange(5, 4, true));
  EXPECT_TRUE(reports.events.empty());

  control->ClearItems();
  EXPECT_EQ(control->ItemCount(), 0);
  EXPECT_EQ(control->CurrentItem(), -1);
  EXPECT_TRUE(reports.events.empty());
}

TEST(QtCheckBox, ReportsClicksButNotTheProgramsTicks) {
  auto box = std::make_unique<QCheckBox>("Selected");
  box->resize(box->sizeHint());
  Reports reports;
  CheckControl control(box.get(), reports.Sink());
  control.SetChecked(true);
  EXPECT_TRUE(control.IsChecked());
  EXPECT_TRUE(reports.events.empty());
  const QPoint indicator(6, box->sizeHint().height() / 2);
  QTest::mouseClick(box.get(), Qt::LeftButton, {}, indicator);
  EXPECT_FALSE(control.IsChecked());
  EXPECT_EQ(reports.events, std::vector<DalEvent>{DalEvent::kClicked});
  EXPECT_EQ(control.Text(), "Selected");

  control.SetEnabled(false);
  EXPECT_FALSE(control.IsEnabled());
  QTest::mouseClick(box.get(), Qt::LeftButton, {}, indicator);
  EXPECT_EQ(reports.events.size(), 1u) << "a disabled box cannot be clicked";
}

}  // namespace
}  // namespace korvel

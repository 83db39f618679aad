// The dialogs on Qt: their controls, the host that runs them and the picture list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "dal/dal.h"
#include "draw/surface.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui/dialogs/qt_controls.h"
#include "ui/dialogs/qt_dal_host.h"

namespace korvel {
namespace {

// The Qt controls against the contract of DalControl: what they hold, and that only the user's
// actions are reported, each once.
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

// Dialog and notebook runs on real windows, driven by the user's own keys and clicks (the journeys
// through the program run them by script).
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

// Picture list boxes on Qt: items as tall as their field says, drawn by the library's hook into
// a surface over the list, and the user's highlights reaching the field's callback.
// The item's data picks its colour; a highlighted item gets a black frame, as the real hook
// draws a focus rectangle.
void DrawColouredCell(DalListItem& item, const DalPictureCell& cell) {
  auto* surface = static_cast<draw::Surface*>(cell.surface);
  const int colour = item.data == 0 ? draw::kRed : item.data == 1 ? draw::kGreen : draw::kBlue;
  // A point's y is the client height less its row: the cell's rows are y = topUp down to
  // bottomUp + 1.
  surface->FillRectangle(cell.left, cell.bottomUp + 1, cell.right - 1, cell.topUp, colour);
  if (cell.selected) {
    surface->SetColour(draw::kBlack);
    surface->MoveTo(cell.left, cell.topUp);
    surface->LineTo(cell.right, cell.topUp);
  }
}

class PictureListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DalClearScripts();
    DalSetPictureDrawer([this](DalListItem& item, const DalPictureCell& cell) {
      cells.push_back(cell);
      DrawColouredCell(item, cell);
    });
  }
  void TearDown() override {
    DalSetPictureDrawer(nullptr);
    DalClearScripts();
  }

  DalDialog MakeDialog(int itemHeight) {
    return {.templateId = kDialogSelectRadios,
            .fields = {{.kind = kDalList,
                        .controlId = kIdSelectPictures,
                        .flags = DAL_PICTURES,
                        .itemHeight = itemHeight,
                        .fill =
                            [](DalFieldInfo& field) {
                              for (int i = 0; i < 3; ++i) DalAddListItem(field, "", "snap.bmp", i, false);
                              return true;
                            },
                        .change = [this](DalFieldInfo&) { ++changes; }},
                       {.kind = kDalList, .controlId = kIdSelectRadios}}};
  }

  static QListWidget* Pictures(DalDialog& dialog) {
    return static_cast<QListWidget*>(
        static_cast<WidgetControl*>(dialog.window->Control(kIdSelectPictures))->widget());
  }

  QtDalHost host;
  std::vector<DalPictureCell> cells;
  int changes = 0;
};

TEST_F(PictureListTest, ItemsAreDrawnByTheHookAtTheFieldsHeight) {
  DalDialog dialog = MakeDialog(50);
  QImage shown;
  QRect second;
  DalQueueScript(DalScript()
                     .Highlight(kIdSelectPictures, 1, true)
                     .Do([&](DalDialog& open) {
                       QListWidget* list = Pictures(open);
                       list->window()->show();
                       QApplication::processEvents();
                       cells.clear();
                       shown = list->viewport()->grab().toImage();
                       second = list->visualItemRect(list->item(1));
                     })
                     .Cancel());
  ASSERT_TRUE(DalInitFieldInfo(dialog));
  EXPECT_EQ(DalRunDialog(dialog, nullptr), 0);

  EXPECT_EQ(second.height(), 50) << "the field's height, not the template's 60";
  EXPECT_EQ(second.width(), kSelectPictureWidth);
  ASSERT_GE(cells.size(), 2u);
  EXPECT_FALSE(cells[0].selected);
  EXPECT_TRUE(cells[1].selected);

  // Each item shows its own colour edge to edge (the hook's upward rows land on the item's own); the
  // highlighted one is framed as broadly, and in the same colour, as a highlighted text line.
  const QRgb highlight = QApplication::palette().color(QPalette::Active, QPalette::Highlight).rgb();
  const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255);
  const std::pair<QPoint, QRgb> pixels[] = {
      {{0, 0}, red},         {{79, 49}, red},       {{40, 50}, highlight}, {{40, 52}, highlight},
      {{0, 75}, highlight},  {{2, 75}, highlight},  {{79, 75}, highlight}, {{77, 75}, highlight},
      {{40, 99}, highlight}, {{40, 97}, highlight}, {{40, 53}, green},     {{3, 75}, green},
      {{76, 96}, green},     {{0, 100}, blue},      {{79, 149}, blue}};
  for (const auto& [at, colour] : pixels) EXPECT_EQ(shown.pixel(at), colour) << at.x() << "," << at.y();
  EXPECT_EQ(QColor::fromRgb(shown.pixel(40, 155)), QColor(Qt::white)) << "below the items: the list's own";
}

TEST_F(PictureListTest, UserClicksReachTheFieldAndTheHighlight) {
  DalDialog dialog = MakeDialog(0);
  std::vector<bool> highlighted;
  int itemHeight = 0;
  QTimer::singleShot(0, [&] {
    QListWidget* list = Pictures(dialog);
    itemHeight = list->visualItemRect(list->item(0)).height();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    DalFieldInfo* field = DalFindField(kIdSelectPictures, dialog);
    for (int i = 0; i < 3; ++i) highlighted.push_back(DalGetListItem(*field, i)->selected);
    QTest::mouseClick(static_cast<WidgetControl*>(dialog.window->Control(kDalIdOk))->widget(),
                      Qt::LeftButton);
  });
  EXPECT_EQ(DalRunDialog(dialog, nullptr), 1);
  EXPECT_EQ(itemHeight, kSelectPictureHeight) << "a field without a height takes the template's";
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(highlighted, (std::vector<bool>{true, false, true})) << "a click adds to the highlight";
}

}  // namespace
}  // namespace korvel

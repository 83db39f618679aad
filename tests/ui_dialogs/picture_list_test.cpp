// Picture list boxes on Qt: items as tall as their field says, drawn by the library's hook into
// a surface over the list, and the user's highlights reaching the field's callback.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <memory>
#include <vector>

#include "dal/dal.h"
#include "draw/surface.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui/dialogs/qt_dal_host.h"

namespace korvel {
namespace {

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

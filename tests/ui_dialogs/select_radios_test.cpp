// "Select Radio(s)": the criteria as a table under their headings, the two lists side by side,
// and the dialog filled as the selection command fills it, pictures drawn through the hook
// (dialog_50_filled.png in the build folder).
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <map>
#include <memory>
#include <string>

#include "dal/dal.h"
#include "draw/surface.h"
#include "sample_contents.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui/dialogs/qt_dal_host.h"

namespace korvel {
namespace {

QRect InWindow(QWidget* widget) {
  return QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
}

TEST(SelectRadios, CriteriaTableAndListsSideBySide) {
  QtDalHost host;
  DalDialog dialog{.templateId = kDialogSelectRadios};
  std::unique_ptr<DalWindow> made = host.CreateDialogWindow(dialog, nullptr);
  ASSERT_NE(made, nullptr);
  QDialog* window = static_cast<QtDialogWindow&>(*made).widget();
  window->show();
  QApplication::processEvents();
  auto get = [&](int id) { return static_cast<WidgetControl*>(made->Control(id))->widget(); };
  std::map<QString, QLabel*> headings;
  for (QLabel* label : window->findChildren<QLabel*>()) headings[label->text()] = label;

  // Each column under its heading, lined up from row to row; each row one line, left to right.
  const char* titles[] = {"Action", "Field", "Relation", "Value"};
  for (int row = 0; row < kSelectRows; ++row) {
    const int ids[] = {SelectActionId(row), SelectFieldId(row), SelectRelationId(row), SelectValueId(row)};
    for (int column = 0; column < 4; ++column) {
      SCOPED_TRACE(ids[column]);
      auto* combo = qobject_cast<QComboBox*>(get(ids[column]));
      ASSERT_NE(combo, nullptr);
      EXPECT_EQ(combo->isEditable(), column == 3) << "only the value can be typed";
      const QRect cell = InWindow(combo);
      const QRect above = row == 0 ? InWindow(headings.at(titles[column]))
                                   : InWindow(get(ids[column] - 1));  // the same column, a row up
      EXPECT_LT(above.bottom(), cell.top());
      EXPECT_EQ(above.left(), cell.left());
      if (column > 0) {
        const QRect left = InWindow(get(ids[column - 1]));
        EXPECT_LT(left.right(), cell.left());
        EXPECT_LE(std::abs(left.center().y() - cell.center().y()), 2);
      }
    }
  }
  EXPECT_LT(get(SelectRelationId(0))->width(), get(SelectFieldId(0))->width() / 2) << "one character";
  EXPECT_FALSE(qobject_cast<QComboBox*>(get(kIdSelectFilter))->isEditable());
  EXPECT_TRUE(qobject_cast<QLineEdit*>(get(kIdSelectCount))->isReadOnly());

  auto* pictures = qobject_cast<QListWidget*>(get(kIdSelectPictures));
  auto* radios = qobject_cast<QListWidget*>(get(kIdSelectRadios));
  EXPECT_EQ(pictures->selectionMode(), QAbstractItemView::MultiSelection);
  EXPECT_EQ(radios->selectionMode(), QAbstractItemView::MultiSelection);
  const QRect left = InWindow(pictures);
  const QRect right = InWindow(radios);
  EXPECT_LT(left.right(), right.left());
  EXPECT_EQ(left.top(), right.top());
  EXPECT_EQ(left.height(), right.height());
  EXPECT_GT(right.width(), 4 * left.width()) << "the text lines are long";
  EXPECT_EQ(pictures->viewport()->width(), kSelectPictureWidth);
  EXPECT_EQ(pictures->viewport()->height() % kSelectPictureHeight, 0) << "whole pictures only";
}

// A small radio on the window background; a dotted frame when highlighted.
void DrawSampleRadio(DalListItem& item, const DalPictureCell& cell) {
  auto* surface = static_cast<draw::Surface*>(cell.surface);
  const int left = cell.left;
  const int top = cell.topUp;
  const int cabinets[] = {draw::kBrown, draw::kMaroon, draw::kOrange};
  surface->FillRectangle(left + 12, top - 52, left + 67, top - 7, cabinets[item.data % 3]);
  surface->FillRectangle(left + 18, top - 30, left + 61, top - 12, draw::kLightGrey);
  surface->FillRectangle(left + 30, top - 45, left + 49, top - 36, draw::kYellow);
  if (cell.selected) {
    surface->SetLineStyle(draw::kLineDot);
    surface->MoveTo(left + 1, top - 1);
    for (draw::Point corner :
         {draw::Point{cell.right - 2, top - 1}, draw::Point{cell.right - 2, cell.bottomUp + 2},
          draw::Point{left + 1, cell.bottomUp + 2}, draw::Point{left + 1, top - 1}}) {
      surface->LineTo(corner);
    }
  }
}

TEST(SelectRadios, FilledAsTheCommandFillsIt) {
  QtDalHost host;
  const std::vector<std::string> lines = SampleRadioLines();
  auto fillWith = [&](bool pictures) {
    return [&, pictures](DalFieldInfo& field) {
      for (std::size_t i = 0; i < lines.size(); ++i) {
        DalAddListItem(field, "", pictures ? "snap.bmp" : lines[i], static_cast<std::int64_t>(i), false);
      }
      return true;
    };
  };
  DalDialog dialog{.templateId = kDialogSelectRadios,
                   .fields = {{.kind = kDalList,
                               .controlId = kIdSelectPictures,
                               .flags = DAL_PICTURES,
                               .itemHeight = kSelectPictureHeight,
                               .fill = fillWith(true)},
                              {.kind = kDalList, .controlId = kIdSelectRadios, .fill = fillWith(false)}}};
  DalSetPictureDrawer(DrawSampleRadio);
  bool saved = false;
  DalQueueScript(DalScript()
                     .Do([&](DalDialog& open) {
                       FillSample(kDialogSelectRadios, *open.window);
                       QDialog* shown = static_cast<QtDialogWindow*>(open.window)->widget();
                       shown->show();
                       QApplication::processEvents();
                       saved = shown->grab().save(KORVEL_SCREENSHOT_DIR "/dialog_50_filled.png");
                     })
                     .Cancel());
  EXPECT_EQ(DalRunDialog(dialog, nullptr), 0);
  DalSetPictureDrawer(nullptr);
  EXPECT_TRUE(saved);
}

}  // namespace
}  // namespace korvel

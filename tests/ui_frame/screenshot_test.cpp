// Pictures of the main window with a menu open, written to the build folder to be looked at.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPainter>
#include <QTest>

#include "selection/saved_selections.h"
#include "ui/frame/accelerators.h"
#include "ui/frame/command_ids.h"
#include "ui/frame/menu_table.h"
#include "ui/frame/program_menu.h"

namespace korvel {
namespace {

// Popups are windows of their own: grab each and lay it over the window where it stands.
QImage Compose(QWidget& window, const std::vector<QMenu*>& popups) {
  const QPoint origin = window.mapToGlobal(QPoint(0, 0));
  QRect area(QPoint(0, 0), window.size());
  for (QMenu* popup : popups) area |= popup->geometry().translated(-origin);
  QImage image(area.size(), QImage::Format_RGB32);
  image.fill(Qt::darkGray);
  QPainter painter(&image);
  painter.drawPixmap(-area.topLeft(), window.grab());
  for (QMenu* popup : popups)
    painter.drawPixmap(popup->geometry().topLeft() - origin - area.topLeft(), popup->grab());
  return image;
}

class MainWindowPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    bar_ = new ProgramMenuBar({"korvel.htm", "About", "Korvel V1.27.13.15"}, nullptr);
    window_.setMenuBar(bar_);
    auto* view = new QLabel("no radio");
    view->setAlignment(Qt::AlignCenter);
    view->setAutoFillBackground(true);
    view->setStyleSheet("background: white");
    window_.setCentralWidget(view);
    window_.setWindowTitle("Korvel V1.27.13.15");
    window_.resize(560, 360);
    window_.show();
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  }

  QMenu* Open(const std::vector<std::string>& path) {
    QMenu* menu = bar_->FindMenu(path);
    bar_->setActiveAction(menu->menuAction());
    QTest::qWait(50);
    return menu;
  }

  QMainWindow window_;
  ProgramMenuBar* bar_ = nullptr;
};

TEST_F(MainWindowPicture, FileMenuShowsItsAccelerators) {
  QMenu* file = Open({"file"});
  ASSERT_TRUE(file->isVisible());
  // The popup hangs below its title in the bar.
  const QRect title = bar_->actionGeometry(file->menuAction()).translated(bar_->mapToGlobal(QPoint(0, 0)));
  EXPECT_LE(std::abs(file->geometry().top() - title.bottom()), 2);
  EXPECT_EQ(file->geometry().left(), title.left());
  // Wide enough for the item and its accelerator column.
  const QRect print = file->actionGeometry(bar_->FindCommand(kCommandPrint));
  EXPECT_GT(print.width(), file->fontMetrics().horizontalAdvance("Publish for Web Ctrl+W"));

  const QImage image = Compose(window_, {file});
  EXPECT_TRUE(image.save(KORVEL_SCREENSHOT_DIR "/main_window_file_menu.png"));
  file->hide();
}

TEST_F(MainWindowPicture, TourSizeShowsTheTickedSize) {
  bar_->CheckMenuPair(kTourMenuPosition, kTourSizeMenuPosition, kCommandTourSizeBase + 3, 2, true);
  QMenu* tour = Open({"tour"});
  ASSERT_TRUE(tour->isVisible());
  QMenu* size = bar_->FindMenu({"tour", "size"});
  tour->setActiveAction(size->menuAction());
  QTest::qWait(400);  // the submenu opens after the style's delay
  if (!size->isVisible()) {
    size->popup(tour->mapToGlobal(tour->actionGeometry(size->menuAction()).topRight()));
    QTest::qWait(50);
  }
  ASSERT_TRUE(size->isVisible());
  EXPECT_GE(size->geometry().left(), tour->geometry().right() - 8);

  const QImage image = Compose(window_, {tour, size});
  EXPECT_TRUE(image.save(KORVEL_SCREENSHOT_DIR "/main_window_tour_size.png"));
  size->hide();
  tour->hide();
}

TEST_F(MainWindowPicture, SavedSelectionsShowTheirNamesAsStored) {
  SelectionState state;
  state.saved.resize(3);
  state.saved[0].name = "Atwater Kent";
  state.saved[1].name = "Philco & Zenith";
  state.saved[2].name = "Sold in 1998 (100%)";
  SavedMenuItems items(*bar_);
  RebuildSavedMenu(state, items);

  QMenu* view = Open({"view"});
  QMenu* saved = bar_->FindMenu({"view", "saved"});
  view->setActiveAction(saved->menuAction());
  QTest::qWait(400);
  if (!saved->isVisible()) {
    saved->popup(view->mapToGlobal(view->actionGeometry(saved->menuAction()).topRight()));
    QTest::qWait(50);
  }
  ASSERT_TRUE(saved->isVisible());
  const QImage image = Compose(window_, {view, saved});
  EXPECT_TRUE(image.save(KORVEL_SCREENSHOT_DIR "/main_window_view_saved.png"));
  saved->hide();
  view->hide();
}

}  // namespace
}  // namespace korvel

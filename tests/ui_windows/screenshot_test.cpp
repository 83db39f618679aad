// The main window with the selection pane down its left side and the view filling the rest, drawn
// through the surface and saved to the build folder to be looked at.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <string>

#include "ui/frame/program_menu.h"
#include "ui/windows/window_frame.h"
#include "ui/windows/window_widget.h"
#include "windows_support.h"

namespace korvel::ui {
namespace {

constexpr int kPaneWidth = 112;
const char* const kBrands[] = {"Atwater Kent", "Crosley", "Emerson", "Philco",
                               "RCA",          "Zenith",  "Grebe",   "Fada"};

void DrawPane(draw::Surface& s) {
  const draw::Rect area = s.bounds();
  const int cell = area.top / 8;
  for (int r = 0; r < 8; ++r) {
    const int top = area.top - r * cell;  // cell 0 at the top; the last one takes the rest
    const int bottom = r == 7 ? 0 : top - cell;
    s.FillRectangle(0, bottom, area.right - 1, top - 1, r % 2 == 0 ? draw::kWhite : draw::kLightGrey);
    s.SetColour(draw::kBlack);
    const std::string brand = kBrands[r];
    const int middle = (top + bottom) / 2;
    s.DrawText({(area.right - s.TextExtent(brand).width) / 2, middle + s.LineHeight() / 4}, brand);
    const std::string model = "Model " + std::to_string(r + 1);
    s.DrawText({(area.right - s.TextExtent(model).width) / 2, middle - s.LineHeight()}, model);
  }
  // The highlighted radio: a frame one pixel inside its cell.
  s.SetColour(draw::kYellow);
  s.SetLineWidth(2);
  const int top = area.top - 2 * cell - 2, bottom = top - cell + 3;
  s.MoveTo(1, bottom);
  s.LineTo(area.right - 2, bottom);
  s.LineTo(area.right - 2, top);
  s.LineTo(1, top);
  s.LineTo(1, bottom);
  s.RestoreDefaultLine();
}

void DrawView(draw::Surface& s) {
  s.Clear();
  const draw::Rect area = s.bounds();
  s.SetColour(draw::kBlack);
  s.DrawText({10, area.top - s.LineHeight()}, "Zenith 7S529 (1938)");
  s.DrawText({10, area.top - 2 * s.LineHeight()}, "Cabinet: Walnut, tombstone");
  // A rising line graph in the lower half, with its axes.
  s.MoveTo(40, area.top / 2);
  s.LineTo(40, 30);
  s.LineTo(area.right - 20, 30);
  s.SetColour(draw::kBlue);
  s.SetLineWidth(2);
  s.MoveTo(40, 30);
  for (int x = 40, y = 30; x < area.right - 40; x += 40, y += 12 + (x % 80 == 0 ? 10 : 0)) s.LineTo(x, y);
  s.RestoreDefaultLine();
}

class MainWindowPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    main_ = test::MakeDescriptor("main", nullptr, {100, 100, 640, 440},
                                 kFlagMenu | kFlagCaption | kFlagSizingFrame | kFlagHelp);
    main_->caption = "Korvel V1.27.13.15";
    main_->handler = [this](WindowDescriptor& d, const WindowMessage& m) -> long {
      if (m.message == kMessageSize) LayoutPanes();
      return DefaultWindowProcedure(d, m);
    };
    pane_ = test::MakeDescriptor("selection", main_.get(), {}, kFlagVerticalScroll);
    pane_->surface.SetFonts({test::Courier(8)});
    pane_->handler = [](WindowDescriptor& d, const WindowMessage& m) -> long {
      if (m.message == kMessagePaint) DrawPane(d.surface);
      return DefaultWindowProcedure(d, m);
    };
    view_ = test::MakeDescriptor("view", main_.get(), {}, kFlagAcceptFiles);
    view_->handler = [this](WindowDescriptor& d, const WindowMessage& m) -> long {
      if (m.message == kMessagePaint) {
        ++viewPaints_;
        DrawView(d.surface);
      }
      return DefaultWindowProcedure(d, m);
    };
    WindowDescriptor* all[] = {main_.get(), pane_.get(), view_.get()};
    ASSERT_TRUE(CreateWindows(all));
    LayoutPanes();
    SetVerticalScroll(*pane_, 100);
    main_->window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main_->window));
  }
  void TearDown() override { test::DestroyAll({main_.get()}); }

  void LayoutPanes() {
    const draw::Rect& client = main_->drawable;
    PlaceWindow(*pane_, {0, 0, kPaneWidth, client.top});
    PlaceWindow(*view_, {kPaneWidth, 0, client.right - kPaneWidth, client.top});
  }

  std::unique_ptr<WindowDescriptor> main_, pane_, view_;
  int viewPaints_ = 0;
};

bool Dark(const QImage& image, int x, int y) {
  return qGray(image.pixel(x, y)) < 128;
}

int DarkIn(const QImage& image, const QRect& area) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) count += Dark(image, x, y) ? 1 : 0;
  }
  return count;
}

TEST_F(MainWindowPicture, PaneOnTheLeftViewFillingTheRest) {
  const QImage image = main_->window->grab().toImage();
  ASSERT_TRUE(image.save(KORVEL_SCREENSHOT_DIR "/main_window_with_panes.png"));

  const QPoint clientOrigin = main_->client()->mapTo(main_->window, QPoint(0, 0));
  EXPECT_GT(clientOrigin.y(), 0);  // below the menu bar
  EXPECT_EQ(pane_->window->geometry(), QRect(0, 0, kPaneWidth, main_->drawable.top));
  EXPECT_EQ(view_->window->geometry().left(), kPaneWidth);
  EXPECT_EQ(view_->window->geometry().right(), main_->window->width() - 1);
  EXPECT_EQ(view_->drawable.top, main_->drawable.top);
  EXPECT_LT(pane_->drawable.right, kPaneWidth);  // the scroll bar takes its share

  // The view's title, drawn at the top of its y-up surface, is in the view's top rows.
  const QRect viewTop(clientOrigin + QPoint(kPaneWidth + 10, 2), QSize(200, 30));
  EXPECT_GT(DarkIn(image, viewTop), 50);
  // The first cell's brand is at the top of the pane, the last one's at its bottom.
  const int cell = pane_->drawable.top / 8;
  EXPECT_GT(DarkIn(image, QRect(clientOrigin + QPoint(2, 2), QSize(pane_->drawable.right - 4, cell - 4))),
            20);
  EXPECT_GT(DarkIn(image,
                   QRect(clientOrigin + QPoint(2, 7 * cell + 2), QSize(pane_->drawable.right - 4, cell - 4))),
            20);
  // The pane's thumb sits at the top.
  EXPECT_EQ(VerticalScrollShown(*pane_), 1);
}

TEST_F(MainWindowPicture, ResizingRedrawsTheViewAtItsNewSize) {
  main_->window->grab();
  const int before = viewPaints_;
  main_->window->resize(500, 300);
  const QImage image = main_->window->grab().toImage();
  EXPECT_GT(viewPaints_, before);
  EXPECT_EQ(view_->drawable.right, 500 - kPaneWidth);
  EXPECT_EQ(view_->device->size(), QSize(view_->drawable.right, view_->drawable.top));
  const QPoint clientOrigin = main_->client()->mapTo(main_->window, QPoint(0, 0));
  EXPECT_GT(DarkIn(image, QRect(clientOrigin + QPoint(kPaneWidth + 10, 2), QSize(200, 30))), 50);
}

}  // namespace
}  // namespace korvel::ui

// Placement in y-up coordinates, the state flags, and the settings' window-parameter record.
#include <gtest/gtest.h>

#include <QTest>

#include "ui/windows/window_frame.h"
#include "ui/windows/window_parameters.h"
#include "ui/windows/window_placement.h"
#include "ui/windows/window_widget.h"
#include "windows_support.h"

namespace korvel::ui {
namespace {

using test::DestroyAll;
using test::MakeDescriptor;

TEST(WindowPlacement, MaximisedWindowKeepsItsNormalPlacementInTheRecord) {
  auto main = MakeDescriptor("main", nullptr, {100, 100, 500, 500}, kFlagMaximised | kFlagSizingFrame);
  WindowDescriptor* all[] = {main.get()};
  ASSERT_TRUE(CreateWindows(all));
  EXPECT_EQ(main->state & (kStateMaximised | kStateMinimised), kStateMaximised);
  EXPECT_TRUE(main->created());
  // The device font is made from the twin of Courier, but the settings keep the face asked for.
  EXPECT_EQ(WindowParametersText(WindowParametersOf(*main)), "0 1 100 100 500 500 1\n0 12=Courier\n");
  // Maximised, the current placement is the whole window.
  EXPECT_EQ(main->current.width, main->window->width());
  DestroyAll({main.get()});
}

// Children are placed upwards from their parent's bottom; sizing updates the drawable rectangle
// before the handler hears of it.
TEST(WindowPlacement, ChildrenArePlacedUpwardsAndSizingUpdatesTheDrawableBeforeTheHandlerHears) {
  auto main = MakeDescriptor("main", nullptr, {100, 100, 500, 400}, kFlagSizingFrame);
  auto pane = MakeDescriptor("selection", main.get(), {0, 0, 100, 400});
  auto view = MakeDescriptor("view", main.get(), {100, 50, 400, 300});
  std::vector<draw::Rect> seen;
  main->handler = [&seen](WindowDescriptor& d, const WindowMessage& m) -> long {
    if (m.message == kMessageSize) seen.push_back(d.drawable);
    return DefaultWindowProcedure(d, m);
  };
  WindowDescriptor* all[] = {main.get(), pane.get(), view.get()};
  ASSERT_TRUE(CreateWindows(all));
  EXPECT_EQ(main->drawable, (draw::Rect{0, 0, 500, 400}));
  EXPECT_EQ(main->current, (Placement{100, 100, 500, 400}));
  EXPECT_EQ(pane->window->geometry(), QRect(0, 0, 100, 400));
  EXPECT_EQ(view->window->geometry(), QRect(100, 400 - 50 - 300, 400, 300));
  EXPECT_EQ(main->children, (std::vector<WindowDescriptor*>{view.get(), pane.get()}));

  MoveWindowTo(*view, 120, 0);
  EXPECT_EQ(view->window->geometry(), QRect(120, 100, 400, 300));
  EXPECT_EQ(view->current, (Placement{120, 0, 400, 300}));
  EXPECT_EQ(view->normal, view->current);
  PlaceWindow(*view, {100, 0, 400, 400});
  EXPECT_EQ(view->drawable, (draw::Rect{0, 0, 400, 400}));

  main->window->resize(300, 200);
  EXPECT_EQ(main->drawable, (draw::Rect{0, 0, 300, 200}));
  EXPECT_EQ(main->surface.bounds(), main->drawable);
  EXPECT_EQ(main->device->size(), QSize(300, 200));
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), (draw::Rect{0, 0, 300, 200}));
  // (The platform may nudge a top-level window's row by its frame; children show the rows exactly.)
  EXPECT_EQ(main->normal.x, 100);
  EXPECT_EQ(main->normal.width, 300);
  EXPECT_EQ(main->normal.height, 200);
  EXPECT_EQ(main->current, main->normal);
  DestroyAll({main.get()});
  EXPECT_TRUE(main->children.empty());
  EXPECT_EQ(view->window, nullptr);
}

TEST(WindowPlacement, ARecordReadBackSetsFlagsPlacementAndFonts) {
  auto view = MakeDescriptor("view", nullptr, {0, 0, 10, 10}, kFlagMaximised);
  WindowParameters read;
  read.minimised = true;
  read.x = 5;
  read.y = 6;
  read.width = 700;
  read.height = 300;
  read.fonts = {{true, 10, "Courier New"}};
  ApplyWindowParameters(*view, read);
  // A record that is not maximised does not take the flag back.
  EXPECT_EQ(view->flags, kFlagMaximised | kFlagMinimised);
  EXPECT_EQ(view->normal, (Placement{5, 6, 700, 300}));
  ASSERT_EQ(view->surface.fonts().size(), 1u);
  EXPECT_EQ(view->surface.fonts()[0].faceName, "Courier New");
  EXPECT_TRUE(view->surface.fonts()[0].bold);

  // Written back as read, even after the device has made its font.
  WindowDescriptor* all[] = {view.get()};
  view->flags = 0;
  ASSERT_TRUE(CreateWindows(all));
  EXPECT_EQ(WindowParametersOf(*view).fonts, read.fonts);
  DestroyAll({view.get()});

  // A window whose font cannot be made is not created.
  view->surface.SetFonts({draw::Font{}});  // no face name
  EXPECT_FALSE(CreateWindows(all));
  EXPECT_EQ(view->window, nullptr);
  DestroyAll({});
}

}  // namespace
}  // namespace korvel::ui

#include "pictures/picture_list_drawer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "picture_files_fixture.h"
#include "support/recording_surface.h"

namespace korvel {
namespace {

using test::TempDir;

// An 80 x 60 item in the second row of a list 300 pixels high.
DalPictureCell Cell(draw::Surface& surface, bool selected) {
  return {.left = 0,
          .top = 60,
          .right = 80,
          .bottom = 120,
          .clientHeight = 300,
          .topUp = 240,
          .bottomUp = 180,
          .selected = selected,
          .surface = &surface};
}

TEST(PictureList, ItemsAreLoadedOnceFittedAndFramedWhenSelected) {
  TempDir dir;
  MessageRecorder messages;
  test::WritePicture(dir / "pictures/wide.bmp", 40, 10, 77);
  test::RecordingSurface recording(80, 300);
  DalListItem item{.fileName = "pictures\\wide.bmp"};

  DrawPictureListItem(item, Cell(recording.surface(), true), dir.path().string());
  ASSERT_TRUE(std::any_cast<std::shared_ptr<GalBitmap>>(&item.picture));
  const auto fills = recording.OpsOf<test::FillAreaOp>();
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].area, (draw::DeviceRect{0, 60, 80, 120}));  // exactly the item
  const auto bitmaps = recording.OpsOf<test::BitmapOp>();
  ASSERT_EQ(bitmaps.size(), 1u);
  EXPECT_EQ(bitmaps[0].destination, (draw::DeviceRect{20, 85, 60, 95}));  // own size, centred
  const auto lines = recording.OpsOf<test::LineOp>();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].from, (draw::DevicePoint{0, 60}));
  EXPECT_EQ(lines[1].to, (draw::DevicePoint{79, 119}));
  EXPECT_EQ(lines[0].pen.style, draw::kLineDot);
  EXPECT_EQ(recording.surface().lineStyle(), draw::kLineSolid);

  // Drawn again from the decoded picture, without the file; not selected, no frame.
  std::filesystem::remove(dir / "pictures/wide.bmp");
  recording.ForgetOps();
  DrawPictureListItem(item, Cell(recording.surface(), false), dir.path().string());
  EXPECT_EQ(recording.OpsOf<test::BitmapOp>().size(), 1u);
  EXPECT_TRUE(recording.OpsOf<test::LineOp>().empty());

  // A picture that does not load leaves a blank cell that still shows its selection.
  DalListItem missing{.fileName = dir / "pictures/gone.jpg"};
  recording.ForgetOps();
  DrawPictureListItem(missing, Cell(recording.surface(), true));
  EXPECT_FALSE(missing.picture.has_value());
  EXPECT_EQ(recording.OpsOf<test::FillAreaOp>().size(), 1u);
  EXPECT_TRUE(recording.OpsOf<test::BitmapOp>().empty());
  EXPECT_EQ(recording.OpsOf<test::LineOp>().size(), 4u);
  EXPECT_TRUE(messages.messages().empty());
}

}  // namespace
}  // namespace korvel

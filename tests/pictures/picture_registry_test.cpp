// The picture registry and what draws from it: names counted, bitmaps cached, cells and list items.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "pictures/picture_cells.h"
#include "pictures/picture_list_drawer.h"
#include "pictures/picture_registry.h"
#include "support/recording_surface.h"
#include "support/temp_dir.h"
#include "support/test_pictures.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

using test::TempDir;

using test::WritePicture;

class Registry : public ::testing::Test {
 protected:
  void SetUp() override { registry.SetDataDirectory(dir.path().string()); }
  std::string Name(int i) const { return "pictures\\brand\\p" + std::to_string(i) + ".bmp"; }
  TempDir dir;
  PictureRegistry registry;
  MessageRecorder messages;
};

TEST_F(Registry, NamesAreCountedAndKeepTheirIndex) {
  WritePicture(dir / "pictures/brand/p1.bmp", 3, 2);
  const int first = registry.Register(Name(1));
  EXPECT_EQ(registry.Register(Name(1)), first);
  EXPECT_EQ(registry.UseCount(first), 2);
  EXPECT_EQ(registry.Path(first), dir.path().string() + "\\" + Name(1));
  EXPECT_EQ(registry.Register(""), -1);
  EXPECT_EQ(registry.Path(-1), "");
  EXPECT_EQ(registry.UseCount(-1), 0);

  ASSERT_GE(registry.GetBitmap(first), 0);
  registry.Release(first);
  EXPECT_TRUE(registry.IsUsed(Name(1)));
  EXPECT_GE(registry.CachedSlot(first), 0);
  registry.Release(first);
  EXPECT_FALSE(registry.IsUsed(Name(1)));
  EXPECT_EQ(registry.CachedSlot(first), -1);     // the slot is freed...
  EXPECT_EQ(registry.Register(Name(1)), first);  // ...the index stays
  registry.Release(first);
  registry.Release(first);  // below zero: nothing happens
  EXPECT_EQ(registry.UseCount(first), 0);

  // Paths with bytes above 127 are registered like any other.
  EXPECT_GE(registry.Register("pictures\\caf\xe9\\r\xe9gence.jpg"), 0);
}

TEST_F(Registry, TheLeastRecentlyUsedPictureMakesWay) {
  std::vector<int> indices;
  for (int i = 0; i <= kPictureCacheSlots; ++i) {
    WritePicture(dir / ("pictures/brand/p" + std::to_string(i) + ".bmp"), 1 + i % 5, 2);
    indices.push_back(registry.Register(Name(i)));
  }
  for (int i = 0; i < kPictureCacheSlots; ++i) ASSERT_GE(registry.GetBitmap(indices[i]), 0) << i;
  registry.GetBitmap(indices[0]);  // picture 0 used again: picture 1 is now the oldest
  const int slot = registry.GetBitmap(indices[kPictureCacheSlots]);
  ASSERT_GE(slot, 0);
  EXPECT_EQ(registry.CachedSlot(indices[1]), -1);
  EXPECT_EQ(registry.CachedSlot(indices[0]) >= 0, true);
  // Fetching the evicted one reads its file again.
  std::filesystem::remove(dir / "pictures/brand/p1.bmp");
  EXPECT_EQ(registry.GetBitmap(indices[1]), -1);
  WritePicture(dir / "pictures/brand/p1.bmp", 4, 2);
  ASSERT_GE(registry.GetBitmap(indices[1]), 0);
  EXPECT_EQ(test::SizeOf(registry, indices[1]), (std::pair{4, 2}));
}

TEST_F(Registry, FailedLoadsLeaveNoSlotAndForgettingReloads) {
  const int missing = registry.Register("pictures\\brand\\none.jpg");
  EXPECT_EQ(registry.GetBitmap(missing), -1);
  EXPECT_EQ(registry.CachedSlot(missing), -1);
  EXPECT_EQ(test::SizeOf(registry, missing).first, -1);
  EXPECT_EQ(registry.GetBitmap(-1), -1);

  WritePicture(dir / "pictures/brand/p7.bmp", 2, 2);
  const int index = registry.Register(Name(7));
  EXPECT_EQ(test::SizeOf(registry, index).first, 2);
  WritePicture(dir / "pictures/brand/p7.bmp", 5, 2);  // the file is replaced
  EXPECT_EQ(test::SizeOf(registry, index).first, 2) << "the cached bitmap was not kept";
  registry.ForgetBitmap(index);
  EXPECT_EQ(test::SizeOf(registry, index).first, 5);
  EXPECT_EQ(registry.UseCount(index), 1);

  const int copy = registry.Register("pictures\\brand\\copy.jpg");
  EXPECT_EQ(registry.CopyByIndex(index, copy, 1, 1000), 1);
  EXPECT_EQ(registry.CopyByIndex(index, -1, 1, 1000), 0);
  EXPECT_TRUE(messages.messages().empty());
}

class Cells : public ::testing::Test {
 protected:
  void SetUp() override {
    registry.SetDataDirectory(dir.path().string());
    WritePicture(dir / "wide.bmp", 400, 300);
    WritePicture(dir / "small.bmp", 50, 50);
    wide = registry.Register("wide.bmp");
    small = registry.Register("small.bmp");
  }
  draw::Rect Place(int index, int flags, float factor = 1.0f) {
    return PictureCellRect(recording.surface(), registry, index, 1, 0, 2, 2, flags, factor);
  }
  test::TempDir dir;
  PictureRegistry registry;
  test::RecordingSurface recording{400, 400};  // a 2 x 2 grid of 200 x 200 cells
  MessageRecorder messages;
  int wide = -1, small = -1;
};

TEST_F(Cells, PicturesFitTheirCellWithoutGrowing) {
  // Cell (1, 0) is the top right one: x 200-400, y 200-400.
  EXPECT_EQ(Place(wide, kCellCentre), (draw::Rect{200, 225, 400, 375}));
  EXPECT_EQ(Place(wide, kCellCentre, 0.5f), (draw::Rect{250, 262, 350, 337}));
  EXPECT_EQ(Place(small, kCellCentre), (draw::Rect{275, 275, 325, 325}));
  EXPECT_EQ(Place(small, kCellTopLeft), (draw::Rect{200, 350, 250, 400}));
  EXPECT_EQ(Place(small, kCellTopRight), (draw::Rect{350, 350, 400, 400}));
  EXPECT_EQ(Place(small, kCellBottomLeft), (draw::Rect{200, 200, 250, 250}));
  EXPECT_EQ(Place(small, kCellBottomRight), (draw::Rect{350, 200, 400, 250}));
  EXPECT_EQ(Place(-1, kCellWhole), (draw::Rect{200, 200, 400, 400}));
  EXPECT_EQ(Place(wide, kCellWhole | kCellCentre), (draw::Rect{200, 200, 400, 400}));

  // On the printer a small picture's place may grow.
  recording.surface().SetOnPrinter(true);
  EXPECT_EQ(Place(small, kCellCentre), (draw::Rect{200, 200, 400, 400}));

  // A missing picture collapses and draws nothing.
  const int missing = registry.Register("gone.jpg");
  EXPECT_EQ(Place(missing, kCellCentre), (draw::Rect{400, 400, 400, 400}));
  recording.ForgetOps();
  EXPECT_EQ(DrawPictureInCell(recording.surface(), registry, missing, 1, 0, 2, 2, kCellCentre, 1.0f), 0);
  EXPECT_TRUE(recording.ops().empty());
}

TEST_F(Cells, DrawingClearsMarginsAndPlacesTheBitmap) {
  recording.ForgetOps();
  ASSERT_EQ(DrawPictureInCell(recording.surface(), registry, wide, 0, 1, 2, 2,
                              kCellCentre | kCellClearMargins, 1.0f),
            1);
  const auto fills = recording.OpsOf<test::FillAreaOp>();
  const auto bitmaps = recording.OpsOf<test::BitmapOp>();
  ASSERT_EQ(bitmaps.size(), 1u);
  // Cell (0, 1): x 0-200, y 0-200; the picture 200 x 150 at y 25-175, so strips above and below.
  EXPECT_EQ(bitmaps[0].destination, (draw::DeviceRect{0, 400 - 175, 200, 400 - 25}));
  ASSERT_EQ(fills.size(), 2u);
  // The strips meet the picture and stay inside the cell.
  EXPECT_EQ(fills, (std::vector<test::FillAreaOp>{{{0, 200, 200, 225}, fills[0].colour},
                                                  {{0, 375, 200, 400}, fills[0].colour}}));

  FramePictureCell(recording.surface(), registry, small, 1, 1, 2, 2, kCellCentre, 1.0f);
  EXPECT_FALSE(recording.OpsOf<test::LineOp>().empty());
  EXPECT_EQ(recording.surface().lineWidth(), recording.surface().defaultLineWidth());
  EXPECT_TRUE(messages.messages().empty());
}

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

#include <gtest/gtest.h>

#include <cstring>

#include "pictures/bmp_header.h"
#include "pictures/picture_cells.h"
#include "support/recording_surface.h"
#include "support/temp_dir.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

void WritePicture(const std::string& path, int width, int height) {
  GalBitmap bitmap;
  const std::size_t n = GalRowBytes(width) * height + kBmpHeaderSize + kBmpSpare;
  GalReserve(bitmap, n);
  std::memset(bitmap.image.get(), 0x80, n);
  WriteBmpHeader(bitmap.image.get(), width, height, static_cast<std::uint32_t>(n), 0);
  ASSERT_EQ(GalWriteBitmap(path, bitmap), 1);
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
}

TEST_F(Cells, AMissingPictureCollapsesAndDrawsNothing) {
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

}  // namespace
}  // namespace korvel

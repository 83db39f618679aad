#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "draw/surface.h"
#include "support/recording_surface.h"

namespace korvel::draw {
namespace {

using test::BitmapOp;
using test::DrawOp;
using test::FillAreaOp;
using test::LineOp;
using test::RecordingSurface;
using test::ScrollOp;

TEST(SurfaceCoordinates, YGrowsUpwardsFromTheBottom) {
  RecordingSurface recording(200, 100);
  Surface& surface = recording.surface();
  surface.MoveTo(10, 0);
  surface.LineTo(10, 100);  // bottom to top
  surface.LineTo(150, 30);
  const auto lines = recording.OpsOf<LineOp>();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].from, (DevicePoint{10, 100}));
  EXPECT_EQ(lines[0].to, (DevicePoint{10, 0}));
  EXPECT_EQ(lines[1].to, (DevicePoint{150, 70}));

  // A printer page is a different top: the same drawing lands relative to it.
  surface.SetBounds({0, 0, 4800, 6600});
  recording.ForgetOps();
  surface.MoveTo(10, 0);
  surface.LineTo(10, 100);
  EXPECT_EQ(recording.OpsOf<LineOp>().at(0).from, (DevicePoint{10, 6600}));
  EXPECT_EQ(recording.OpsOf<LineOp>().at(0).to, (DevicePoint{10, 6500}));
}

TEST(SurfaceCoordinates, ClearCoversTheDrawableRectangleInTheBackground) {
  RecordingSurface recording(200, 100);
  Surface& surface = recording.surface();
  surface.SetColour(kRed);
  surface.Clear();
  surface.SetWindowColours(kNearWhite, kBlack, kYellow);
  surface.Clear();
  EXPECT_EQ(recording.ops(), (std::vector<DrawOp>{FillAreaOp{{0, 0, 200, 100}, *PaletteColour(kWhite)},
                                                  FillAreaOp{{0, 0, 200, 100}, *PaletteColour(kNearWhite)}}));
  EXPECT_EQ(surface.colour(), kRed);
}

TEST(SurfaceCoordinates, FilledRectanglesIncludeBothCorners) {
  RecordingSurface recording(200, 100);
  Surface& surface = recording.surface();
  surface.SetColour(kBlue);
  surface.FillRectangle(10, 20, 30, 40, kGreen);  // 21 columns, 21 rows: device rows 60 to 80
  surface.FillRectangle(30, 40, 10, 20, kGreen);  // the same corners the other way round
  surface.FillRectangle(5, 5, 5, 5, kGrey);       // one pixel
  surface.FillRectangle(0, 1, 199, 100, kRed);    // the whole window: y runs from 1 at the bottom row
  const Rgb green = *PaletteColour(kGreen);
  EXPECT_EQ(recording.ops(),
            (std::vector<DrawOp>{FillAreaOp{{10, 60, 31, 81}, green}, FillAreaOp{{10, 60, 31, 81}, green},
                                 FillAreaOp{{5, 95, 6, 96}, *PaletteColour(kGrey)},
                                 FillAreaOp{{0, 0, 200, 100}, *PaletteColour(kRed)}}));
  // Filling takes its own colour: the current colour stays.
  EXPECT_EQ(surface.colour(), kBlue);
}

TEST(SurfaceCoordinates, ScrollAndBitmapsUseAreasBetweenEdges) {
  RecordingSurface recording(400, 400);
  Surface& surface = recording.surface();
  // Positive dy moves the contents up, which is towards row 0.
  surface.Scroll(0, 16, {0, 0, 100, 400});
  surface.Scroll(-8, -16, {20, 50, 120, 150});

  const std::array<std::uint8_t, 4> image{'B', 'M', 0, 0};
  // A 100 x 50 picture centred in a 400 x 400 window.
  const BitmapResult drawn = surface.DrawBitmap({150, 175, 250, 225}, {image});
  EXPECT_TRUE(drawn.drawn);
  recording.SetBitmapResult({false, "The parameter is incorrect."});
  const BitmapResult failed = surface.DrawBitmap({0, 0, 400, 400}, {image});
  EXPECT_FALSE(failed.drawn);
  EXPECT_EQ(failed.error, "The parameter is incorrect.");

  EXPECT_EQ(recording.ops(),
            (std::vector<DrawOp>{ScrollOp{0, -16, {0, 0, 100, 400}}, ScrollOp{-8, 16, {20, 250, 120, 350}},
                                 BitmapOp{{150, 175, 250, 225}, image.data(), image.size()},
                                 BitmapOp{{0, 0, 400, 400}, image.data(), image.size()}}));
}

TEST(SurfaceCoordinates, WithoutADeviceOnlyTheStateChanges) {
  Surface surface(nullptr, {0, 0, 100, 100});
  surface.SetFonts({test::RecordingFont()});
  surface.Clear();
  surface.FilledPieWedge({50, 50}, 20, 0, 90);
  surface.DrawText({10, 10}, "Philco");
  EXPECT_EQ(surface.CurrentPoint(), (Point{58, 10}));
  const std::array<std::uint8_t, 2> image{'B', 'M'};
  EXPECT_FALSE(surface.DrawBitmap({0, 0, 10, 10}, {image}).drawn);
}

}  // namespace
}  // namespace korvel::draw

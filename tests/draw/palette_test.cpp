#include <gtest/gtest.h>

#include "draw/palette.h"
#include "support/recording_surface.h"

namespace korvel::draw {
namespace {

using test::FillAreaOp;
using test::LineOp;
using test::RecordingSurface;
using test::TextOp;

TEST(Palette, SixteenColoursByIndex) {
  const Rgb expected[16] = {{0, 0, 0},       {255, 255, 255}, {255, 0, 0},   {255, 0, 255},
                            {0, 255, 0},     {255, 128, 0},   {255, 255, 0}, {192, 192, 192},
                            {128, 128, 128}, {128, 64, 0},    {0, 0, 255},   {255, 0, 128},
                            {0, 128, 0},     {128, 0, 0},     {0, 0, 128},   {240, 240, 240}};
  for (int i = 0; i < 16; ++i) {
    ASSERT_TRUE(PaletteColour(i).has_value()) << i;
    EXPECT_EQ(*PaletteColour(i), expected[i]) << i;
    EXPECT_EQ(PaletteIndexOf(expected[i]), i);
  }
  // The names the drawing code uses point at the same entries.
  EXPECT_EQ(*PaletteColour(kRose), (Rgb{255, 0, 128}));
  EXPECT_EQ(*PaletteColour(kDarkGreen), (Rgb{0, 128, 0}));
  EXPECT_EQ(*PaletteColour(kNearWhite), (Rgb{240, 240, 240}));

  for (int outside : {-1, 16, 255}) EXPECT_FALSE(PaletteColour(outside).has_value()) << outside;
  EXPECT_EQ(PaletteIndexOf({1, 2, 3}), -1);
}

TEST(Palette, ColourOperationsOutsideThePaletteDoNothing) {
  RecordingSurface recording;
  Surface& surface = recording.surface();
  surface.SetColour(kBlue);
  surface.SetColour(16);
  surface.SetColour(-1);
  EXPECT_EQ(surface.colour(), kBlue);

  surface.SetTextBackground(kYellow);
  surface.SetTextBackground(99);
  EXPECT_EQ(surface.textBackground(), kYellow);

  surface.SetWindowColours(kNavy, 16, -3);
  EXPECT_EQ(surface.backgroundColour(), kNavy);
  EXPECT_EQ(surface.textColour(), kBlack);
  EXPECT_EQ(surface.highlightColour(), kYellow);

  surface.FillRectangle(0, 0, 10, 10, 16);
  surface.FillRectangle(0, 0, 10, 10, -1);
  EXPECT_TRUE(recording.ops().empty());

  // Text and lines keep drawing in the colour set last.
  surface.MoveTo(0, 0);
  surface.LineTo(5, 5);
  surface.DrawText({0, 20}, "Zenith");
  EXPECT_EQ(recording.OpsOf<LineOp>().at(0).pen.colour, *PaletteColour(kBlue));
  EXPECT_EQ(recording.OpsOf<TextOp>().at(0).colour, *PaletteColour(kBlue));
  EXPECT_EQ(recording.OpsOf<TextOp>().at(0).background, PaletteColour(kYellow));
}

}  // namespace
}  // namespace korvel::draw

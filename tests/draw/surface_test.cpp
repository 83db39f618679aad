// The drawing state a surface keeps between calls: pens, colours, fonts and fills, as the device is
// told of them. Where the pixels land is checked through a real window in ui_painting.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "draw/font.h"
#include "draw/palette.h"
#include "draw/surface.h"
#include "support/recording_surface.h"

namespace korvel::draw {
namespace {

using test::DrawOp;
using test::FillAreaOp;
using test::FillFiguresOp;
using test::LineOp;
using test::RecordingSurface;
using test::TextOp;

TEST(Palette, SixteenColoursByIndexAndNothingOutside) {
  const Rgb expected[16] = {{0, 0, 0},       {255, 255, 255}, {255, 0, 0},   {255, 0, 255},
                            {0, 255, 0},     {255, 128, 0},   {255, 255, 0}, {192, 192, 192},
                            {128, 128, 128}, {128, 64, 0},    {0, 0, 255},   {255, 0, 128},
                            {0, 128, 0},     {128, 0, 0},     {0, 0, 128},   {240, 240, 240}};
  for (int i = 0; i < 16; ++i) {
    ASSERT_TRUE(PaletteColour(i).has_value()) << i;
    EXPECT_EQ(*PaletteColour(i), expected[i]) << "palette colour " << i;
    EXPECT_EQ(PaletteIndexOf(expected[i]), i);
  }
  EXPECT_EQ(*PaletteColour(kRose), (Rgb{255, 0, 128}));
  for (int outside : {-1, 16, 255}) EXPECT_FALSE(PaletteColour(outside).has_value()) << outside;
  EXPECT_EQ(PaletteIndexOf({1, 2, 3}), -1);

  // Colour calls outside the palette change nothing; what is drawn keeps the colours set last.
  RecordingSurface recording;
  Surface& surface = recording.surface();
  surface.SetColour(kBlue);
  surface.SetColour(16);
  surface.SetColour(-1);
  surface.SetTextBackground(kYellow);
  surface.SetTextBackground(99);
  surface.SetWindowColours(kNavy, 16, -3);
  EXPECT_EQ(surface.backgroundColour(), kNavy);
  EXPECT_EQ(surface.textColour(), kBlack);
  EXPECT_EQ(surface.highlightColour(), kYellow);
  surface.Clear();  // in the background colour, over the whole window
  surface.FillRectangle(0, 0, 10, 10, 16);
  surface.FillRectangle(0, 0, 10, 10, kGreen);  // its own colour: the current one stays
  surface.MoveTo(0, 0);
  surface.LineTo(5, 5);
  surface.DrawText({0, 20}, "Zenith");
  const std::vector<FillAreaOp> fills{{{0, 0, 640, 480}, *PaletteColour(kNavy)},
                                      {{0, 470, 11, 481}, *PaletteColour(kGreen)}};
  EXPECT_EQ(recording.OpsOf<FillAreaOp>(), fills);
  EXPECT_EQ(recording.OpsOf<LineOp>().at(0).pen.colour, *PaletteColour(kBlue));
  EXPECT_EQ(recording.OpsOf<TextOp>().at(0).colour, *PaletteColour(kBlue));
  EXPECT_EQ(recording.OpsOf<TextOp>().at(0).background, PaletteColour(kYellow));
}

TEST(Lines, EachLineStartsAtTheCurrentPointWithThePenOfThatMoment) {
  RecordingSurface recording(100, 100);
  Surface& surface = recording.surface();
  surface.MoveTo(0, 0);
  surface.LineTo(10, 0);
  surface.SetColour(kRed);
  surface.SetLineStyle(kLineDot);
  surface.SetLineWidth(0);  // the graph grid's width: one pixel
  surface.LineTo(10, 10);
  surface.SetLineStyle(kLineSolid);
  surface.SetLineWidth(2);
  surface.LineTo(0, 10);
  EXPECT_EQ(surface.CurrentPoint(), (Point{0, 10}));
  EXPECT_EQ(recording.ops(),
            (std::vector<DrawOp>{LineOp{{0, 100}, {10, 100}, {kLineSolid, 1, *PaletteColour(kBlack)}},
                                 LineOp{{10, 100}, {10, 90}, {kLineDot, 1, *PaletteColour(kRed)}},
                                 LineOp{{10, 90}, {0, 90}, {kLineSolid, 2, *PaletteColour(kRed)}}}));

  // Styles and widths outside their range are ignored; an invisible line only moves.
  recording.ForgetOps();
  surface.SetLineStyle(kLineDashDotDot);
  surface.SetLineStyle(6);
  surface.SetLineStyle(-1);
  surface.SetLineWidth(3);
  surface.SetLineWidth(-2);
  EXPECT_EQ(surface.lineStyle(), kLineDashDotDot);
  EXPECT_EQ(surface.lineWidth(), 3);
  surface.SetLineStyle(kLineInvisible);
  surface.LineTo(50, 50);
  EXPECT_TRUE(recording.ops().empty());
  EXPECT_EQ(surface.CurrentPoint(), (Point{50, 50}));

  // Graph parts return to the default line.
  surface.RestoreDefaultLine();
  EXPECT_EQ(surface.lineStyle(), kLineSolid);
  EXPECT_EQ(surface.lineWidth(), 1);
  surface.SetDefaultLine(kLineDash, 3);
  surface.SetDefaultLine(9, -1);  // invalid parts leave the defaults
  surface.RestoreDefaultLine();
  EXPECT_EQ(surface.lineStyle(), kLineDash);
  EXPECT_EQ(surface.lineWidth(), 3);
}

// Lines between BeginFill and EndFill build figures, filled in the colour current at the end; a lone
// line encloses nothing, and a second BeginFill drops the open path.
TEST(FilledPaths, LinesInsideAFillBuildFiguresFilledWithoutOutline) {
  RecordingSurface recording(100, 100);
  Surface& surface = recording.surface();
  surface.EndFill();  // nothing open
  surface.BeginFill();
  surface.LineTo(90, 90);  // a figure, dropped with its path
  surface.LineTo(90, 0);
  surface.MoveTo(10, 10);
  surface.BeginFill();
  EXPECT_TRUE(surface.insideFill());
  surface.LineTo(20, 10);  // no move yet: the figure starts at the current point
  surface.LineTo(20, 20);
  surface.MoveTo(50, 50);  // a second figure
  surface.LineTo(60, 50);
  surface.LineTo(60, 60);
  surface.LineTo(50, 60);
  surface.MoveTo(0, 0);
  surface.LineTo(5, 5);
  surface.SetColour(kOrange);
  surface.EndFill();
  surface.EndFill();
  EXPECT_FALSE(surface.insideFill());
  EXPECT_EQ(surface.CurrentPoint(), (Point{5, 5}));
  EXPECT_EQ(recording.ops(), (std::vector<DrawOp>{FillFiguresOp{
                                 {{{10, 90}, {20, 90}, {20, 80}}, {{50, 50}, {60, 50}, {60, 40}, {50, 40}}},
                                 *PaletteColour(kOrange)}}));
  surface.LineTo(6, 6);  // after the fill, lines draw again
  EXPECT_EQ(recording.OpsOf<LineOp>().size(), 1u);
}

// A length limits what is drawn, never reading past the text nor cutting a UTF-8 character; widths
// count characters as shown, and the device always gets text ready to show.
TEST(Text, LengthsAndWidthsCountCharactersAsShown) {
  EXPECT_EQ(CharacterCount(""), 0);
  EXPECT_EQ(CharacterCount("Philco 90"), 9);
  EXPECT_EQ(CharacterCount("Caf\xC3\xA9"), 4);        // UTF-8: é is one character
  EXPECT_EQ(CharacterCount("Caf\xE9"), 4);            // Windows-1252
  EXPECT_EQ(CharacterCount("\xC3\xA9t\xE9"), 4);      // not UTF-8 as a whole: every byte is a character
  EXPECT_EQ(CharacterCount("\xE2\x80\x94 1936"), 6);  // em dash

  RecordingSurface recording;
  Surface& surface = recording.surface();
  surface.DrawText({0, 100}, 5, "Crosley Pup");
  EXPECT_EQ(surface.CurrentPoint(), (Point{40, 100}));
  surface.DrawText({0, 80}, 50, "RCA");  // longer than the text: the whole text
  EXPECT_EQ(surface.CurrentPoint(), (Point{24, 80}));
  surface.DrawText({7, 60}, 0, "Atwater Kent");  // nothing drawn, but the point moves there
  EXPECT_EQ(surface.CurrentPoint(), (Point{7, 60}));
  surface.DrawText({9, 40}, -4, "Atwater Kent");
  EXPECT_EQ(surface.CurrentPoint(), (Point{9, 40}));
  EXPECT_EQ(surface.TextExtent("Caf\xC3\xA9"), (Size{32, 16}));
  surface.DrawText({0, 100}, "Caf\xE9");
  EXPECT_EQ(surface.CurrentPoint(), (Point{32, 100}));
  surface.DrawText({0, 80}, 4, "Caf\xC3\xA9s");
  EXPECT_EQ(surface.CurrentPoint(), (Point{24, 80}));
  EXPECT_EQ(recording.Texts(), (std::vector<std::string>{"Crosl", "RCA", "Caf\xC3\xA9", "Caf"}));
}

TEST(Text, MetricsComeFromTheCurrentFont) {
  RecordingSurface recording;
  Surface& surface = recording.surface();
  Font large = test::RecordingFont();
  large.lineHeight = 40;
  large.charWidth = 20;
  surface.SetFonts({test::RecordingFont(), large});
  surface.SelectFont(1);
  surface.SelectFont(2);  // no such font
  EXPECT_EQ(surface.currentFontIndex(), 1);
  EXPECT_EQ(surface.TextExtent("Model 40"), (Size{160, 40}));
  surface.DrawText({0, 100}, "Model 40");
  EXPECT_EQ(recording.OpsOf<TextOp>().at(0).fontIndex, 1);

  // A window without fonts measures nothing; text still goes to the device.
  surface.SetFonts({});
  EXPECT_EQ(surface.TextExtent("Model 40"), (Size{0, 0}));
  surface.DrawText({30, 20}, "Model 40");
  EXPECT_EQ(surface.CurrentPoint(), (Point{30, 20}));
  EXPECT_EQ(recording.OpsOf<TextOp>().at(1).fontIndex, -1);
}

TEST(Bitmaps, TheDevicesAnswerIsPassedOnAndWithoutADeviceOnlyTheStateChanges) {
  RecordingSurface recording(400, 400);
  const std::array<std::uint8_t, 4> image{'B', 'M', 0, 0};
  recording.SetBitmapResult({false, "The parameter is incorrect."});
  const BitmapResult failed = recording.surface().DrawBitmap({0, 0, 400, 400}, {image});
  EXPECT_FALSE(failed.drawn);
  EXPECT_EQ(failed.error, "The parameter is incorrect.");

  Surface surface(nullptr, {0, 0, 100, 100});
  surface.SetFonts({test::RecordingFont()});
  surface.Clear();
  surface.FilledPieWedge({50, 50}, 20, 0, 90);
  surface.DrawText({10, 10}, "Philco");
  EXPECT_EQ(surface.CurrentPoint(), (Point{58, 10}));
  EXPECT_FALSE(surface.DrawBitmap({0, 0, 10, 10}, {image}).drawn);
}

}  // namespace
}  // namespace korvel::draw

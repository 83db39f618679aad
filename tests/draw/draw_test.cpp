// The drawing surface and the pie wedges drawn through it, on a recording device.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "draw/font.h"
#include "draw/palette.h"
#include "draw/surface.h"
#include "draw/wedge.h"
#include "support/recording_surface.h"

namespace korvel::draw {
namespace {

using test::DrawOp;
using test::FillAreaOp;
using test::FillFiguresOp;
using test::LineOp;
using test::RecordingSurface;
using test::TextOp;

// The drawing state a surface keeps between calls: pens, colours, fonts and fills, as the device is
// told of them. Where the pixels land is checked through a real window in ui_painting.
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

constexpr Point kCentre{200, 200};

// The arc's points: what follows the move to the start point, without the closing line to the centre.
std::vector<Point> ArcPoints(const std::vector<PathStep>& steps) {
  std::vector<Point> arc;
  for (std::size_t i = 3; i + 1 < steps.size(); ++i) arc.push_back(steps[i].to);
  return arc;
}

double DegreesOf(Point p) {
  return std::atan2(p.y - kCentre.y, p.x - kCentre.x) * 180.0 / std::numbers::pi;
}

TEST(WedgeOutline, StepsFollowTheArcLengthButNeverGoBelow5Degrees) {
  struct Case {
    int radius;
    double start, sweep;
    std::size_t arcLines;
  };
  for (const Case c : {
           Case{1000, 0, 360, 72},                     // 6283 pixels of arc, yet 5-degree steps
           Case{100, 0, 90, 18}, Case{100, 30, 3, 1},  // less than one step: straight to the end
           Case{100, 30, 0, 1},                        // nothing to sweep: one line back onto the start
           Case{3, 0, 90, 5},                          // 4.7 pixels of arc: five steps of 18 degrees
           Case{3, 0, 360, 19},                        // a circle too large for the square
           Case{5, 45, 360, 31},
           Case{10, 180, 0, 1},  // offsets round by adding a half: 10 pixels right and up, 9 left
           Case{10, 270, 0, 1},  // and down
       }) {
    const auto steps = WedgeOutlineSteps(kCentre, c.radius, c.start, c.sweep);
    const auto arc = ArcPoints(steps);
    EXPECT_EQ(arc.size(), c.arcLines) << c.radius << " " << c.sweep;
    EXPECT_EQ(steps[0], (PathStep{PathStep::kMove, kCentre}));
    // Every step turns by the same angle, on the circle (an offset below zero rounds up to 1.5 off).
    const double step = c.sweep / static_cast<double>(c.arcLines);
    for (std::size_t k = 0; k < arc.size() && c.radius >= 100; ++k) {
      EXPECT_NEAR(std::hypot(arc[k].x - kCentre.x, arc[k].y - kCentre.y), c.radius, 2.2) << k;
      EXPECT_NEAR(std::remainder(DegreesOf(arc[k]) - c.start - step * (k + 1), 360.0), 0, 0.6) << k;
    }
    // Every outline ends on the end angle and closes at the centre.
    const double end = (c.start + c.sweep) * kRadiansPerDegree;
    EXPECT_EQ(arc.back(), (Point{kCentre.x + static_cast<int>(std::trunc(std::cos(end) * c.radius + 0.5)),
                                 kCentre.y + static_cast<int>(std::trunc(std::sin(end) * c.radius + 0.5))}))
        << c.radius << " " << c.sweep;
    EXPECT_EQ(steps.back(), (PathStep{PathStep::kLine, kCentre}));
  }
}

TEST(WedgeOutline, SmallFullCirclesAreNothingOrASquareAndNegativeSweepsRunClockwise) {
  EXPECT_EQ(WedgeOutlineSteps(kCentre, 0, 0, 360), (std::vector<PathStep>{{PathStep::kMove, kCentre}}));
  EXPECT_EQ(WedgeOutlineSteps(kCentre, 0, 10, 45), (std::vector<PathStep>{{PathStep::kMove, kCentre}}));
  EXPECT_EQ(WedgeOutlineSteps(kCentre, -5, 0, 90), (std::vector<PathStep>{{PathStep::kMove, kCentre}}));
  for (int r : {1, 2}) {
    EXPECT_EQ(WedgeOutlineSteps(kCentre, r, 0, 360),
              (std::vector<PathStep>{{PathStep::kMove, {200 + r, 200 + r}},
                                     {PathStep::kLine, {200 - r, 200 + r}},
                                     {PathStep::kLine, {200 - r, 200 - r}},
                                     {PathStep::kLine, {200 + r, 200 - r}},
                                     {PathStep::kLine, {200 + r, 200 + r}}}))
        << r;
  }
  // Only the full circle is a square; half of one is a wedge like any other.
  const auto half = WedgeOutlineSteps(kCentre, 2, 0, 180);
  EXPECT_EQ(half.front(), (PathStep{PathStep::kMove, kCentre}));
  EXPECT_EQ(half.back(), (PathStep{PathStep::kLine, kCentre}));

  // Filled: a radius of 0 fills nothing, a radius of 2 fills the 5 x 5 square.
  RecordingSurface recording(400, 400);
  recording.surface().FilledPieWedge(kCentre, 0, 0, 360);
  EXPECT_TRUE(recording.ops().empty());
  recording.surface().FilledPieWedge(kCentre, 2, 0, 360);
  EXPECT_EQ(recording.ops(),
            (std::vector<DrawOp>{FillFiguresOp{{{{202, 198}, {198, 198}, {198, 202}, {202, 202}, {202, 198}}},
                                               *PaletteColour(kBlack)}}));

  // Negative sweeps run clockwise; more than a turn is one turn.
  const auto clockwise = ArcPoints(WedgeOutlineSteps(kCentre, 100, 90, -90));
  ASSERT_EQ(clockwise.size(), 18u);
  for (std::size_t k = 0; k < clockwise.size(); ++k) {
    EXPECT_NEAR(DegreesOf(clockwise[k]), 85.0 - 5.0 * k, 0.6) << k;
  }
  EXPECT_EQ(clockwise.back(), (Point{300, 200}));

  EXPECT_EQ(WedgeOutlineSteps(kCentre, 50, 10, 720), WedgeOutlineSteps(kCentre, 50, 10, 360));
  EXPECT_EQ(WedgeOutlineSteps(kCentre, 1, 0, -360).size(), 5u);  // the square either way round
}

// The wedge is start, arc and centre: the line out from the centre to the start encloses nothing.
TEST(PieWedge, FillsOneFigureInTheCurrentColourAndTheOutlineAloneStrokes) {
  RecordingSurface recording(400, 400);
  Surface& surface = recording.surface();
  surface.SetColour(kDarkGreen);
  surface.FilledPieWedge(kCentre, 100, 0, 90);
  EXPECT_EQ(surface.CurrentPoint(), kCentre);
  EXPECT_FALSE(surface.insideFill());
  const auto fills = recording.OpsOf<FillFiguresOp>();
  ASSERT_EQ(recording.ops().size(), 1u);
  ASSERT_EQ(fills.at(0).figures.size(), 1u);
  EXPECT_EQ(fills[0].colour, *PaletteColour(kDarkGreen));
  EXPECT_EQ(fills[0].figures[0].size(), 20u);
  EXPECT_EQ(fills[0].figures[0].front(), (DevicePoint{300, 200}));

  recording.ForgetOps();
  surface.WedgeOutline(kCentre, 100, 0, 90);
  EXPECT_EQ(recording.OpsOf<LineOp>().size(), 20u);
}

}  // namespace
}  // namespace korvel::draw

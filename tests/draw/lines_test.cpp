#include <gtest/gtest.h>

#include "draw/surface.h"
#include "support/recording_surface.h"

namespace korvel::draw {
namespace {

using test::DrawOp;
using test::FillFiguresOp;
using test::LineOp;
using test::RecordingSurface;

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
}

TEST(Lines, StylesAndWidthsOutsideTheirRangeAreIgnoredAndInvisibleLinesOnlyMove) {
  RecordingSurface recording(100, 100);
  Surface& surface = recording.surface();
  surface.SetLineStyle(kLineDashDotDot);
  surface.SetLineStyle(6);
  surface.SetLineStyle(-1);
  surface.SetLineWidth(3);
  surface.SetLineWidth(-2);
  EXPECT_EQ(surface.lineStyle(), kLineDashDotDot);
  EXPECT_EQ(surface.lineWidth(), 3);

  surface.SetLineStyle(kLineInvisible);
  surface.MoveTo(5, 5);
  surface.LineTo(50, 50);
  EXPECT_TRUE(recording.ops().empty());
  EXPECT_EQ(surface.CurrentPoint(), (Point{50, 50}));
}

TEST(Lines, GraphPartsReturnToTheDefaultLine) {
  RecordingSurface recording;
  Surface& surface = recording.surface();
  EXPECT_EQ(surface.lineStyle(), kLineSolid);
  EXPECT_EQ(surface.lineWidth(), 1);
  surface.SetLineStyle(kLineDot);
  surface.SetLineWidth(2);
  surface.RestoreDefaultLine();
  EXPECT_EQ(surface.lineStyle(), kLineSolid);
  EXPECT_EQ(surface.lineWidth(), 1);

  surface.SetDefaultLine(kLineDash, 3);
  surface.SetDefaultLine(9, -1);  // invalid parts leave the defaults
  surface.RestoreDefaultLine();
  EXPECT_EQ(surface.lineStyle(), kLineDash);
  EXPECT_EQ(surface.lineWidth(), 3);
}

TEST(FilledPaths, LinesInsideAFillBuildFiguresFilledWithoutOutline) {
  RecordingSurface recording(100, 100);
  Surface& surface = recording.surface();
  surface.SetColour(kOrange);
  surface.MoveTo(10, 10);
  surface.BeginFill();
  EXPECT_TRUE(surface.insideFill());
  surface.LineTo(20, 10);  // no move yet: the figure starts at the current point
  surface.LineTo(20, 20);
  surface.MoveTo(50, 50);  // a second figure
  surface.LineTo(60, 50);
  surface.LineTo(60, 60);
  surface.LineTo(50, 60);
  surface.MoveTo(0, 0);  // a lone line encloses nothing and is dropped
  surface.LineTo(5, 5);
  surface.EndFill();
  EXPECT_FALSE(surface.insideFill());
  EXPECT_EQ(surface.CurrentPoint(), (Point{5, 5}));
  EXPECT_EQ(recording.ops(), (std::vector<DrawOp>{FillFiguresOp{
                                 {{{10, 90}, {20, 90}, {20, 80}}, {{50, 50}, {60, 50}, {60, 40}, {50, 40}}},
                                 *PaletteColour(kOrange)}}));

  // After the fill, lines draw again.
  surface.LineTo(6, 6);
  EXPECT_EQ(recording.OpsOf<LineOp>().size(), 1u);
}

TEST(FilledPaths, UnbalancedFillsFillOnlyTheLastPath) {
  RecordingSurface recording(100, 100);
  Surface& surface = recording.surface();
  surface.EndFill();  // nothing open
  surface.BeginFill();
  surface.MoveTo(0, 0);
  surface.LineTo(10, 0);
  surface.LineTo(10, 10);
  surface.BeginFill();  // the open path is dropped
  surface.MoveTo(20, 20);
  surface.LineTo(30, 20);
  surface.LineTo(30, 30);
  surface.SetColour(kNavy);  // the colour at the end of the fill counts
  surface.EndFill();
  surface.EndFill();
  EXPECT_EQ(recording.ops(),
            (std::vector<DrawOp>{FillFiguresOp{{{{20, 80}, {30, 80}, {30, 70}}}, *PaletteColour(kNavy)}}));
}

}  // namespace
}  // namespace korvel::draw

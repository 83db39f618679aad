#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "draw/surface.h"
#include "draw/wedge.h"
#include "support/recording_surface.h"

namespace korvel::draw {
namespace {

using test::DrawOp;
using test::FillFiguresOp;
using test::LineOp;
using test::RecordingSurface;

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

#include "draw/wedge.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace korvel::draw {
namespace {

// A step that lands within rounding error of the end angle is the end, so that 18 steps of 5 degrees
// make a quarter circle and not 18 steps and a zero-length one.
constexpr double kAngleTolerance = 1e-9;

int ClampToInt(double value) {
  return static_cast<int>(std::clamp(value, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

// The offset rounds by adding 0.5 and truncating towards zero, as the pies have always been drawn.
Point ArcPoint(Point centre, int radius, double radians) {
  const double dx = std::trunc(std::cos(radians) * radius + 0.5);
  const double dy = std::trunc(std::sin(radians) * radius + 0.5);
  return {ClampToInt(centre.x + dx), ClampToInt(centre.y + dy)};
}

}  // namespace

std::vector<PathStep> WedgeOutlineSteps(Point centre, int radius, double startDegrees, double sweepDegrees) {
  std::vector<PathStep> steps;
  steps.push_back({PathStep::kMove, centre});
  if (radius <= 0 || !std::isfinite(startDegrees) || !std::isfinite(sweepDegrees)) return steps;

  // More than one turn would only retrace the circle, and a twice-wound outline fills as a hole.
  const double sweep = std::clamp(sweepDegrees, -360.0, 360.0);
  if (std::fabs(sweep) == 360.0 && radius <= 2) {
    steps.front() = {PathStep::kMove, {centre.x + radius, centre.y + radius}};
    steps.push_back({PathStep::kLine, {centre.x - radius, centre.y + radius}});
    steps.push_back({PathStep::kLine, {centre.x - radius, centre.y - radius}});
    steps.push_back({PathStep::kLine, {centre.x + radius, centre.y - radius}});
    steps.push_back({PathStep::kLine, {centre.x + radius, centre.y + radius}});
    return steps;
  }

  const double start = startDegrees * kRadiansPerDegree;
  const double total = std::fabs(sweep) * kRadiansPerDegree;
  const double direction = sweep < 0 ? -1.0 : 1.0;
  const Point first = ArcPoint(centre, radius, start);
  steps.push_back({PathStep::kLine, first});
  steps.push_back({PathStep::kMove, first});

  // One step per pixel of arc length, but never less than 5 degrees.
  const double n = std::trunc(total * radius + 0.5);
  const double step = std::max(n >= 1 ? total / n : total, kMinimumArcStep);
  // Angles are computed from the start rather than summed, so rounding cannot add a step.
  for (int k = 1;; ++k) {
    const double advance = k * step;
    if (advance >= total - kAngleTolerance) {
      steps.push_back({PathStep::kLine, ArcPoint(centre, radius, start + direction * total)});
      break;
    }
    steps.push_back({PathStep::kLine, ArcPoint(centre, radius, start + direction * advance)});
  }
  steps.push_back({PathStep::kLine, centre});
  return steps;
}

}  // namespace korvel::draw

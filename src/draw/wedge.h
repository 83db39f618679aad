// The outline of a pie wedge as moves and lines, in surface coordinates. Drawn inside a fill it makes
// the filled pie wedge.
#pragma once

#include <vector>

#include "draw/geometry.h"

namespace korvel::draw {

// Degrees to radians with the factor every pie of the program has been drawn with.
inline constexpr double kRadiansPerDegree = 0.0174533;
// Arcs never advance by less than 5 degrees.
inline constexpr double kMinimumArcStep = 0.0872665;

struct PathStep {
  enum Kind : int { kMove = 0, kLine = 1 };
  Kind kind = kMove;
  Point to;
  friend bool operator==(const PathStep&, const PathStep&) = default;
};

// Angles in degrees counter-clockwise from the positive x axis; a negative sweep runs clockwise.
// Centre to the arc's start, the arc as a polyline ending exactly on the end angle, back to the centre.
// A full circle of radius 1 or 2 is a square; a radius of 0 or less draws nothing (a move to the centre).
std::vector<PathStep> WedgeOutlineSteps(Point centre, int radius, double startDegrees, double sweepDegrees);

}  // namespace korvel::draw

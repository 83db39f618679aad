// The choice of round-numbered axis ticks for a data range.
#pragma once

namespace korvel::graphs {

struct Axis {
  double lo = 0, hi = 0;        // the axis runs over these, rounded outwards to the major step
  double major = 0, minor = 0;  // steps between labelled lines and between dotted ones
  friend bool operator==(const Axis&, const Axis&) = default;
};

// The axis for data from lo to hi (lo < hi). A month axis runs over whole years with quarter lines;
// otherwise the step is 1, 2 or 5 times a power of ten giving 5 to 10 steps where two refinements
// reach that.
Axis ChooseTicks(double lo, double hi, bool monthAxis);

// Whether the axis can be drawn: finite, not empty, and at most 1000 major steps (and minor steps per
// major one). An axis whose numbers went astray (a range too narrow for doubles, or a mistyped year
// stretching a graph over centuries) would loop for ever or draw a grey blur.
inline constexpr double kMostAxisSteps = 1000;
bool AxisDrawable(const Axis& axis);

}  // namespace korvel::graphs

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

}  // namespace korvel::graphs

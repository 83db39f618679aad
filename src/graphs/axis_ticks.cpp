#include "graphs/axis_ticks.h"

#include <cmath>

namespace korvel::graphs {

Axis ChooseTicks(double lo, double hi, bool monthAxis) {
  Axis axis;
  if (monthAxis) {
    axis.lo = std::trunc(lo / 12) * 12;
    axis.hi = std::trunc((hi + 11) / 12) * 12;
    axis.major = 12;
    axis.minor = 3;
    return axis;
  }
  const double range = hi - lo;
  int e = static_cast<int>(std::trunc(std::log10(range)));
  int multiplier = 1;
  double step = std::pow(10.0, e);
  double n = std::trunc(range / step);
  for (int refinement = 0; refinement < 2 && (n < 5 || n > 10); ++refinement) {
    if (multiplier == 1) {
      multiplier = 5;
      --e;
    } else if (multiplier == 5) {
      multiplier = 2;
    } else {
      multiplier = 1;
    }
    step = multiplier * std::pow(10.0, e);
    n = std::trunc(range / step);
  }
  axis.hi = hi >= 0 ? std::trunc((hi + 0.99 * step) / step) * step : std::trunc(hi / step) * step;
  axis.lo = lo >= 0 ? std::trunc(lo / step) * step : std::trunc((lo - 0.99 * step) / step) * step;
  axis.major = step;
  axis.minor = multiplier == 1 ? step / 10 : multiplier == 5 ? step / 5 : step / 4;
  return axis;
}

bool AxisDrawable(const Axis& axis) {
  return std::isfinite(axis.lo) && std::isfinite(axis.hi) && axis.lo < axis.hi && axis.major > 0 &&
         axis.minor > 0 && (axis.hi - axis.lo) / axis.major <= kMostAxisSteps &&
         axis.major / axis.minor <= kMostAxisSteps;
}

}  // namespace korvel::graphs

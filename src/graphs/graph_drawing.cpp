// Laying out and drawing a line graph: the plot rectangle and scales, axes and grid with their
// labels, titles, legend and series lines.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "draw/device.h"
#include "draw/palette.h"
#include "graphs/plot_graph.h"

namespace korvel::graphs {
namespace {

// Far outside any surface, yet safe to convert: a degenerate scale never overflows an int.
constexpr double kCoordinateLimit = 1e8;

int ToCoordinate(double v) {
  if (std::isnan(v)) return 0;
  return static_cast<int>(std::trunc(std::clamp(v, -kCoordinateLimit, kCoordinateLimit)));
}

// Loops over steps of a floating axis: a step that lands a hair beyond the end still counts.
double Slack(double step) {
  return step * 1e-9;
}

bool AllInteger(const Graph& graph) {
  return (graph.yFlags & kValueAllInteger) != 0;
}

std::string Format(const char* format, double v) {
  char text[64];
  std::snprintf(text, sizeof text, format, v);
  return text;
}

std::string YLabel(const Graph& graph, double t) {
  if (AllInteger(graph)) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(std::trunc(t)));
    return text;
  }
  return Format("%.4g", t);
}

std::string XLabel(const Graph& graph, double t) {
  if ((graph.xFlags & kValueMonthAxis) != 0) {
    char text[32];
    std::snprintf(text, sizeof text, "%4d", ToCoordinate(t / 12));
    return text;
  }
  return Format("%.4g", t);
}

std::string XTitle(const Graph& graph) {
  const std::string name = graph.x != nullptr ? graph.x->name : std::string();
  if (graph.subtitle.empty()) return name;
  if (name.empty()) return graph.subtitle;
  return name + " (" + graph.subtitle + ")";
}

int Length(std::string_view text) {
  return draw::CharacterCount(text);
}

// Every major value of an axis, from lo to hi.
template <typename Visit>
void ForEachMajor(const Axis& axis, Visit visit) {
  for (int k = 0;; ++k) {
    double t = axis.lo + k * axis.major;
    if (t > axis.hi + Slack(axis.major)) break;
    if (std::abs(t) <= Slack(axis.major)) t = 0;  // -0.3 + 3 x 0.1 is labelled 0, not 5.551e-17
    visit(t, std::abs(t - axis.hi) <= Slack(axis.major));
  }
}

void AssignColours(Graph& graph) {
  graph.colourNumbers.assign(graph.series.size(), 0);
  int number = -1;
  for (std::size_t i = 0; i < graph.series.size(); ++i) {
    const int group = graph.series[i].group;
    if (i == 0 || group == kNoGroup || group != graph.series[i - 1].group) {
      number = std::min(number + 1, kSeriesColourCount);
    }
    graph.colourNumbers[i] = number;
  }
}

void SetSeriesColour(draw::Surface& surface, int colourNumber) {
  const int colour = SeriesColour(colourNumber);
  if (colour >= 0) surface.SetColour(colour);
}

// Lines closer than this are a grey blur rather than a grid: 12 pixels on a screen, or one and a
// half characters where characters are larger (a printer's page has many more dots).
constexpr double kThinnestGap = 12;
double ThinnestGap(int charWidth) {
  return std::max(kThinnestGap, 1.5 * charWidth);
}

// On a crowded axis (fifty years across a window) not every major value can carry its label: labels
// go to every m-th one (m = 1, 2, 5, 10, 20, ...), counted from 0 so that they fall on round values,
// and only labelled values get a solid line besides the two ends. Dotted lines are drawn at the
// minor steps, or at the major ones when the minor steps lie too close, or not at all.
struct AxisMarks {
  int labelEvery = 1;
  double dottedStep = 0;  // 0: none
};

AxisMarks ThinMarks(const Axis& axis, double pixelsPerUnit, double labelRoom, double thinnestGap) {
  constexpr int kMostLabelSkip = 1000000;
  AxisMarks marks;
  const double majorGap = std::abs(pixelsPerUnit) * axis.major;
  const auto roomy = [&](int every) { return majorGap * every >= labelRoom || every >= kMostLabelSkip; };
  for (int base = 1; !roomy(marks.labelEvery); base *= 10) {
    for (int factor : {1, 2, 5}) {
      marks.labelEvery = base * factor;
      if (roomy(marks.labelEvery)) break;
    }
  }
  if (majorGap * axis.minor / axis.major >= thinnestGap) {
    marks.dottedStep = axis.minor;
  } else if (marks.labelEvery > 1 && majorGap >= thinnestGap) {
    marks.dottedStep = axis.major;
  }
  return marks;
}

bool Labelled(const Axis& axis, double t, const AxisMarks& marks) {
  const long long index = std::llround(t / axis.major);
  return index % marks.labelEvery == 0;
}

// The lines and labels of one axis; `line` draws the grid line at a value, `label` its text.
template <typename Line, typename Label>
void DrawAxis(draw::Surface& surface, const Axis& axis, const AxisMarks& marks, Line line, Label label) {
  ForEachMajor(axis, [&](double t, bool last) {
    if (!last && marks.dottedStep > 0) {
      surface.SetLineStyle(draw::kLineDot);
      surface.SetLineWidth(0);
      for (double u = t; u < t + axis.major - Slack(axis.major); u += marks.dottedStep) line(u);
    }
    const bool labelled = Labelled(axis, t, marks);
    if (labelled || last || t == axis.lo) {
      surface.SetLineStyle(draw::kLineSolid);
      surface.SetLineWidth(1);
      line(t);
    }
    if (labelled) label(t);
  });
}

void DrawAxes(const Graph& graph, draw::Surface& surface) {
  const GraphLayout& l = graph.layout;
  const int lh = surface.LineHeight();
  const int cw = surface.CharWidth();
  surface.SetColour(draw::kBlack);
  const int top = l.ScreenY(l.y.hi), bottom = l.ScreenY(l.y.lo);
  const int left = l.ScreenX(l.x.lo), right = l.ScreenX(l.x.hi);

  int longestX = 0;
  ForEachMajor(l.x, [&](double t, bool) { longestX = std::max(longestX, Length(XLabel(graph, t))); });
  DrawAxis(
      surface, l.x, ThinMarks(l.x, l.xScale, (longestX + 2) * cw, ThinnestGap(cw)),
      [&](double u) {
        surface.MoveTo(l.ScreenX(u), top);
        surface.LineTo(l.ScreenX(u), bottom);
      },
      [&](double t) {
        const std::string label = XLabel(graph, t);
        surface.DrawText({l.ScreenX(t) - Length(label) * cw / 2, ToCoordinate(bottom - 1.25 * lh)}, label);
      });

  const std::string xTitle = XTitle(graph);
  if (!xTitle.empty()) {
    const int x = (l.plot.left + l.plot.right) / 2 - Length(xTitle) * cw / 2;
    surface.DrawText({x, ToCoordinate(l.plot.bottom - 2.25 * lh)}, xTitle);
  }

  DrawAxis(
      surface, l.y, ThinMarks(l.y, l.yScale, lh, ThinnestGap(cw)),
      [&](double u) {
        surface.MoveTo(right, l.ScreenY(u));
        surface.LineTo(left, l.ScreenY(u));
      },
      [&](double t) {
        const std::string label = YLabel(graph, t);
        surface.DrawText({l.plot.left - (Length(label) + 1) * cw, ToCoordinate(l.ScreenY(t) - 0.5 * lh)},
                         label);
      });

  if (!graph.yUnit.empty()) {
    surface.DrawText({surface.bounds().left + cw / 2, ToCoordinate(l.plot.top + 0.75 * lh)}, graph.yUnit);
  }
  if (!graph.title.empty()) {
    const int x = (l.plot.left + l.plot.right) / 2 - Length(graph.title) * cw / 2;
    surface.DrawText({x, ToCoordinate(l.plot.top + 0.5 * lh)}, graph.title);
  }
  surface.RestoreDefaultLine();
}

void DrawLegend(const Graph& graph, draw::Surface& surface) {
  const int place =
      graph.options & (kLegendTopLeft | kLegendTopRight | kLegendBottomLeft | kLegendBottomRight);
  if (place == 0 || graph.series.empty()) return;
  const GraphLayout& l = graph.layout;
  const int lh = surface.LineHeight();
  const int cw = surface.CharWidth();
  int longest = 0;
  int rows = 0;
  for (std::size_t i = 0; i < graph.series.size(); ++i) {
    longest = std::max(longest, Length(graph.series[i].name));
    if (i == 0 || graph.colourNumbers[i] != graph.colourNumbers[i - 1]) ++rows;
  }
  const int w = (longest + 1) * cw;
  const int h = (rows + 1) * lh;
  int x = 0, y = 0;
  if (place & (kLegendTopLeft | kLegendBottomLeft)) {
    x = l.ScreenX(l.x.lo) + w / 2;
  } else {
    x = ToCoordinate(l.ScreenX(l.x.hi) - 1.5 * w);
  }
  if (place & (kLegendTopLeft | kLegendTopRight)) {
    y = ToCoordinate(l.ScreenY(l.y.hi) - 1.5 * h);
  } else {
    y = ToCoordinate(l.ScreenY(l.y.lo) + 1.5 * h);
  }
  // The legend sits inside the plot, on a box of its own.
  surface.FillRectangle(x, y, x + w, y + h, surface.backgroundColour());
  draw::Point at{x + cw / 2, y + lh / 2};
  for (std::size_t i = 0; i < graph.series.size(); ++i) {
    if (i > 0 && graph.colourNumbers[i] == graph.colourNumbers[i - 1]) continue;
    SetSeriesColour(surface, graph.colourNumbers[i]);
    surface.DrawText(at, graph.series[i].name);
    at.y += lh;
  }
}

bool OnlyOneOfItsGroup(const Graph& graph, std::size_t i) {
  const int group = graph.series[i].group;
  if (group == kNoGroup) return true;
  for (std::size_t j = 0; j < graph.series.size(); ++j) {
    if (j != i && graph.series[j].group == group) return false;
  }
  return true;
}

void DrawSeries(const Graph& graph, draw::Surface& surface) {
  const GraphLayout& l = graph.layout;
  const Value* x = graph.x->value.get();
  const int lh = surface.LineHeight();
  const int cw = surface.CharWidth();
  surface.SetLineWidth(2);
  surface.SetLineStyle(draw::kLineSolid);
  for (std::size_t i = 0; i < graph.series.size(); ++i) {
    const Series& series = graph.series[i];
    if (!series.value) continue;
    const Value& y = *series.value;
    const int points = std::min(x->count, y.count);
    SetSeriesColour(surface, graph.colourNumbers[i]);
    const bool firstOfColour = i == 0 || graph.colourNumbers[i] != graph.colourNumbers[i - 1];
    if ((graph.options & kNameAtMiddle) != 0 && firstOfColour && points > 0) {
      const int middle = points / 2;
      if (!x->Missing(middle) && !y.Missing(middle)) {
        surface.DrawText({l.ScreenX(x->At(middle)), l.ScreenY(y.At(middle))}, series.name);
      }
    }
    bool started = false;
    draw::Point last;
    for (int j = 0; j < points; ++j) {
      if (x->Missing(j) || y.Missing(j)) continue;
      last = {l.ScreenX(x->At(j)), l.ScreenY(y.At(j))};
      if (started) {
        surface.LineTo(last);
      } else {
        surface.MoveTo(last);
        started = true;
      }
    }
    if (started && !series.label.empty() && OnlyOneOfItsGroup(graph, i)) {
      surface.DrawText(
          {ToCoordinate(last.x - 1.25 * Length(series.label) * cw), ToCoordinate(last.y - 1.5 * lh)},
          series.label);
    }
  }
  surface.RestoreDefaultLine();
}

}  // namespace

int GraphLayout::ScreenX(double v) const {
  return ToCoordinate(xScale * v) - xOffset;
}

int GraphLayout::ScreenY(double v) const {
  return ToCoordinate(yScale * v) - yOffset;
}

bool LayOutGraph(Graph& graph, const draw::Surface& surface) {
  if (!graph.rangesComputed) ComputeDataRanges(graph);
  graph.laidOut = false;
  if (graph.x == nullptr || !graph.x->value || graph.xRange.Empty() || graph.yRange.Empty()) return false;
  GraphLayout& l = graph.layout;
  l.x = ChooseTicks(graph.xRange.min, graph.xRange.max, (graph.xFlags & kValueMonthAxis) != 0);
  l.y = ChooseTicks(graph.yRange.min, graph.yRange.max, (graph.yFlags & kValueMonthAxis) != 0);
  if (!AxisDrawable(l.x) || !AxisDrawable(l.y)) return false;

  const int lh = surface.LineHeight();
  const int cw = surface.CharWidth();
  l.plot = surface.bounds();
  if (!graph.title.empty()) l.plot.top -= ToCoordinate(1.5 * lh);
  l.plot.bottom += ToCoordinate(1.5 * lh);
  if (!XTitle(graph).empty()) l.plot.bottom += ToCoordinate(1.5 * lh);
  int w = Length(graph.yUnit) + 1;
  ForEachMajor(l.y, [&](double t, bool) { w = std::max(w, Length(YLabel(graph, t))); });
  l.plot.left += (w + 2) * cw;
  l.plot.right -= (w + 2) * cw;

  l.xScale = (l.plot.right - l.plot.left) / (l.x.hi - l.x.lo);
  l.xOffset = ToCoordinate(l.xScale * l.x.lo - l.plot.left);
  l.yScale = (l.plot.top - l.plot.bottom) / (l.y.hi - l.y.lo);
  l.yOffset = ToCoordinate(l.yScale * l.y.lo - l.plot.bottom);
  graph.laidOut = true;
  return true;
}

bool DrawGraph(Graph& graph, draw::Surface& surface) {
  if (!LayOutGraph(graph, surface)) return false;
  surface.Clear();
  DrawAxes(graph, surface);
  AssignColours(graph);
  // The legend goes over the lines that cross its corner, so that its names stay readable.
  DrawSeries(graph, surface);
  DrawLegend(graph, surface);
  return true;
}

}  // namespace korvel::graphs

#include "graphs/blank_graph.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "draw/font.h"
#include "graphs/axis_ticks.h"

namespace korvel::graphs {
namespace {

constexpr const char* kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};

// Month numbers are year x 12 + month, month 1 to 12.
int YearOf(double month) {
  return static_cast<int>(std::floor((month - 1) / 12));
}

std::string MonthName(double month) {
  const int m = static_cast<int>(std::floor(month)) - 1;
  return std::string(kMonthNames[((m % 12) + 12) % 12]) + " " + std::to_string(YearOf(month));
}

// Lines of at most `width` characters, broken at blanks; a longer word has a line of its own.
std::vector<std::string> Wrapped(std::string_view text, int width) {
  std::vector<std::string> lines(1);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view word = text.substr(start, end - start);
    std::string& line = lines.back();
    if (!line.empty() && draw::CharacterCount(line) + 1 + draw::CharacterCount(word) > width) {
      lines.emplace_back(word);
    } else {
      if (!line.empty()) line += ' ';
      line += word;
    }
    start = end + 1;
  }
  return lines;
}

}  // namespace

std::string BlankGraphReason(Graph& graph) {
  if (!graph.rangesComputed) ComputeDataRanges(graph);
  if (graph.x == nullptr || !graph.x->value || !graph.xRange.present || !graph.yRange.present) {
    return "There are no values to draw.";
  }
  const bool months = (graph.xFlags & kValueMonthAxis) != 0;
  if (!(graph.xRange.min < graph.xRange.max)) {
    if (months) {
      return "Every date falls in one month, " + MonthName(graph.xRange.min) +
             ": a graph needs dates in two months at least.";
    }
    return "Every value lies at one point of the axis: there is no line to draw.";
  }
  if (!(graph.yRange.min < graph.yRange.max)) {
    return months ? "Every total is the same in every month: there is no change to draw."
                  : "Every value is the same: there is no change to draw.";
  }
  if (!AxisDrawable(ChooseTicks(graph.xRange.min, graph.xRange.max, months))) {
    if (months) {
      return "The dates run from " + std::to_string(YearOf(graph.xRange.min)) + " to " +
             std::to_string(YearOf(graph.xRange.max)) +
             ", too many years for one graph: look for a date with a mistyped year (such as 20Nov0204).";
    }
    return "The values along the axis are too far apart to draw.";
  }
  if (!AxisDrawable(ChooseTicks(graph.yRange.min, graph.yRange.max, (graph.yFlags & kValueMonthAxis) != 0))) {
    return "The values are too far apart to draw.";
  }
  return {};
}

void DrawBlankGraph(draw::Surface& surface, std::string_view title, std::string_view reason) {
  surface.Clear();
  surface.SetColour(surface.textColour());
  const draw::Rect& b = surface.bounds();
  const int cw = std::max(surface.CharWidth(), 1);
  const int lh = surface.LineHeight();
  const int width = b.right - b.left;
  const auto centred = [&](std::string_view text, int y) {
    const int x = b.left + std::max(cw / 2, (width - draw::CharacterCount(text) * cw) / 2);
    surface.DrawText({x, y}, text);
  };
  if (!title.empty()) centred(title, b.top - lh);
  const std::vector<std::string> lines = Wrapped(reason, std::max(width / cw - 2, 10));
  int y = (b.top + b.bottom) / 2 + static_cast<int>(lines.size()) * lh / 2;
  for (const std::string& line : lines) {
    centred(line, y);
    y -= lh;
  }
}

}  // namespace korvel::graphs

#include "graphs/distribution.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "draw/palette.h"
#include "util/message.h"

namespace korvel::graphs {
namespace {

struct FieldInfo {
  const char* name;
  int table;  // -1: the decades
};

constexpr FieldInfo kFields[kDistributionFieldCount] = {
    {"Bands", kTableBands},
    {"Brand", kTableBrandName},
    {"Cabinet Composition", kTableCabinetComposition},
    {"Cabinet Style", kTableCabinetStyle},
    {"Circuit", kTableCircuitType},
    {"Grill", kTableGrillStyle},
    {"Power", kTablePowerSource},
    {"Status", kTableStatus},
    {"Technology", kTableTechnology},
    {"Tuning Dial", kTableTuningDial},
    {"Year", -1},
};

constexpr int kFirstDecadeYear = 1900;
constexpr int kDecades = 10;

// red, magenta, dark green, orange, blue, grey, brown, green, light grey, yellow
constexpr int kSliceColours[kMostSlices] = {draw::kRed,       draw::kMagenta, draw::kDarkGreen, draw::kOrange,
                                            draw::kBlue,      draw::kGrey,    draw::kBrown,     draw::kGreen,
                                            draw::kLightGrey, draw::kYellow};

// The pie's labels have always been placed with this factor rather than 2 pi.
constexpr double kLabelAngleFactor = 6.28;
constexpr double kLabelRadius = 0.8;

// The ten decades, then the years outside them (an unknown year of 0 among them), which go into
// the pie's "Others" slice rather than out of the count.
const std::vector<std::string>& Decades() {
  static const std::vector<std::string> decades = [] {
    std::vector<std::string> names;
    for (int d = 0; d < kDecades; ++d) {
      const int from = kFirstDecadeYear + 10 * d;
      names.push_back(std::to_string(from) + "-" + std::to_string(from + 9));
    }
    names.emplace_back("Others");
    return names;
  }();
  return decades;
}

std::int32_t FieldPosition(int field, const RadioRecord& radio) {
  switch (field) {
    case 0:
      return radio.bands;
    case 1:
      return radio.brand;
    case 2:
      return radio.cabinetComposition;
    case 3:
      return radio.cabinetStyle;
    case 4:
      return radio.circuitType;
    case 5:
      return radio.grillStyle;
    case 6:
      return radio.powerSource;
    case 7:
      return radio.status;
    case 8:
      return radio.technology;
    case 9:
      return radio.tuningDial;
    default:
      return -1;
  }
}

bool IsField(int field) {
  return field >= 0 && field < kDistributionFieldCount;
}

}  // namespace

const char* DistributionFieldName(int field) {
  return IsField(field) ? kFields[field].name : nullptr;
}

std::vector<std::string> DistributionFieldNames() {
  std::vector<std::string> names;
  for (const FieldInfo& field : kFields) names.emplace_back(field.name);
  return names;
}

const std::vector<std::string>& DistributionEntries(int field, const TableSet& tables) {
  static const std::vector<std::string> none;
  if (!IsField(field)) return none;
  if (kFields[field].table < 0) return Decades();
  return tables[kFields[field].table].entries;
}

int DistributionTableKind(int field) {
  return IsField(field) ? kFields[field].table : -1;
}

int DistributionEntry(int field, const RadioRecord& radio, int counterCount) {
  int entry = -1;
  if (field == kDistributionYear) {
    const bool inDecades = radio.year >= kFirstDecadeYear && radio.year < kFirstDecadeYear + 10 * kDecades;
    entry = inDecades ? (radio.year - kFirstDecadeYear) / 10 : kDecades;
  } else {
    entry = FieldPosition(field, radio);
  }
  return entry >= 0 && entry < counterCount ? entry : -1;
}

bool AllocateCounters(int field, const TableSet& tables, std::vector<std::uint32_t>& counters) {
  counters.clear();
  counters.shrink_to_fit();
  if (!IsField(field)) return false;
  try {
    counters.assign(DistributionEntries(field, tables).size(), 0);
    return true;
  } catch (const std::bad_alloc&) {
    ShowMessage(kError, kButtonsOk, "'AluMalloc' failure in 'AllocateCounters'.");
    return false;
  }
}

void CountDistribution(const RadioList& radios, int field, std::vector<std::uint32_t>& counters) {
  const int count = static_cast<int>(counters.size());
  for (const RadioRecord* radio : radios) {
    const int entry = DistributionEntry(field, *radio, count);
    if (entry >= 0) ++counters[static_cast<std::size_t>(entry)];
  }
}

std::vector<int> RankCategories(const std::vector<std::uint32_t>& counters, int k) {
  std::vector<int> order(static_cast<std::size_t>(std::max(k, 0)), -1);
  for (int category = 0; category < static_cast<int>(counters.size()); ++category) {
    const std::uint32_t count = counters[static_cast<std::size_t>(category)];
    if (count == 0) continue;
    for (std::size_t j = 0; j < order.size(); ++j) {
      if (order[j] < 0 || counters[static_cast<std::size_t>(order[j])] < count) {
        order.pop_back();
        order.insert(order.begin() + static_cast<std::ptrdiff_t>(j), category);
        break;
      }
    }
  }
  return order;
}

int DistributionOthersEntry(int field) {
  return field == kDistributionYear ? kDecades : -1;
}

std::vector<PieSlice> PieSlices(const std::vector<std::uint32_t>& counters, int othersEntry) {
  std::uint64_t total = 0;
  int present = 0;
  for (std::uint32_t c : counters) {
    total += c;
    present += c > 0 ? 1 : 0;
  }
  std::vector<PieSlice> slices;
  if (total == 0) return slices;
  // A category that stands for "everything else" is never ranked: it joins the Others slice.
  std::vector<std::uint32_t> ranked = counters;
  const bool othersCounted = othersEntry >= 0 && othersEntry < static_cast<int>(counters.size()) &&
                             counters[static_cast<std::size_t>(othersEntry)] > 0;
  if (othersCounted) {
    ranked[static_cast<std::size_t>(othersEntry)] = 0;
    --present;
  }
  const bool others = othersCounted || present > kMostSlices;
  const std::vector<int> order =
      RankCategories(ranked, present > kMostSlices - (others ? 1 : 0) ? kMostSlices - 1 : present);
  std::uint64_t inSlices = 0;
  for (int entry : order) {
    if (entry < 0) continue;
    slices.push_back({entry, counters[static_cast<std::size_t>(entry)], 0, 0, 0});
    inSlices += counters[static_cast<std::size_t>(entry)];
  }
  if (inSlices < total) slices.push_back({kOthers, total - inSlices, 0, 0, 0});

  int start = 0;
  for (std::size_t i = 0; i < slices.size(); ++i) {
    PieSlice& slice = slices[i];
    slice.start = start;
    slice.colour = kSliceColours[i];
    if (i + 1 == slices.size()) {
      slice.span = 360 - start;
    } else {
      const int rounded =
          static_cast<int>(static_cast<double>(slice.count) / static_cast<double>(total) * 360 + 0.5);
      // Rounding up many slices could pass 360: the pie never wraps over its first slices.
      slice.span = std::min(rounded, 360 - start);
    }
    start += slice.span;
  }
  return slices;
}

std::string DistributionTitle(int field) {
  const char* name = DistributionFieldName(field);
  return std::string("Distribution by ") + (name != nullptr ? name : "");
}

void DrawDistribution(int field, const std::vector<std::uint32_t>& counters, const TableSet& tables,
                      draw::Surface& surface) {
  const draw::Rect& bounds = surface.bounds();
  const int w = bounds.right - bounds.left;
  const int h = bounds.top - bounds.bottom;
  const int cw = surface.CharWidth();
  const int lh = surface.LineHeight();
  const std::vector<PieSlice> slices = PieSlices(counters, DistributionOthersEntry(field));
  const std::vector<std::string>& entries = DistributionEntries(field, tables);
  const auto labelOf = [&](const PieSlice& slice) -> std::string {
    if (slice.entry == kOthers) return "Others";
    return slice.entry < static_cast<int>(entries.size()) ? entries[static_cast<std::size_t>(slice.entry)]
                                                          : "";
  };
  int legendWidth = 0;  // line, gap and the longest name
  for (const PieSlice& slice : slices) {
    legendWidth = std::max(legendWidth, (draw::CharacterCount(labelOf(slice)) + 3) * cw);
  }

  surface.Clear();
  int radius = 0;
  draw::Point centre, legend;
  if (w <= h) {
    radius = w / 3;
    centre = {w / 2, 2 * h / 3};
    legend = {w / 5, h / 3};
    // Below the pie a long name may still fit further left.
    if (legend.x + legendWidth > w) legend.x = std::max(cw / 2, w - legendWidth - cw / 2);
  } else {
    radius = h / 3;
    centre = {w / 3, h / 2};
    legend = {2 * w / 3, 4 * h / 5};
    // In a narrow window the legend's long names would run off its edge: the legend moves left and
    // the pie shrinks into the room left of it.
    if (legend.x + legendWidth > w) {
      legend.x = std::max(w / 3, w - legendWidth - cw / 2);
      centre.x = legend.x / 2;
      radius = std::max(0, std::min(radius, legend.x / 2 - cw));
    }
  }
  centre = {bounds.left + centre.x, bounds.bottom + centre.y};
  legend = {bounds.left + legend.x, bounds.bottom + legend.y};

  const char* name = DistributionFieldName(field);
  const int nameLength = name != nullptr ? draw::CharacterCount(name) : 0;
  surface.SetColour(surface.textColour());
  surface.DrawText({bounds.left + (w - (nameLength + 16) * cw) / 2, bounds.bottom + h - 2 * lh},
                   DistributionTitle(field));

  for (const PieSlice& slice : slices) {
    surface.SetColour(slice.colour);
    surface.FilledPieWedge(centre, radius, slice.start, slice.span);
  }

  surface.SetColour(surface.textColour());
  for (const PieSlice& slice : slices) {
    const double angle = (slice.start + slice.span / 2) * kLabelAngleFactor / 360;
    const int x = static_cast<int>(std::cos(angle) * radius * kLabelRadius + (centre.x - cw));
    const int y = static_cast<int>(std::sin(angle) * radius * kLabelRadius + centre.y);
    surface.DrawText({x, y}, std::to_string(slice.count));
  }

  surface.SetLineWidth(2);
  draw::Point row = legend;
  for (const PieSlice& slice : slices) {
    surface.SetColour(slice.colour);
    surface.MoveTo(row);
    surface.LineTo(row.x + 2 * cw, row.y);
    surface.SetColour(surface.textColour());
    surface.DrawText({row.x + 3 * cw, row.y}, labelOf(slice));
    row.y -= lh;
  }
  surface.SetLineWidth(surface.defaultLineWidth());
}

}  // namespace korvel::graphs

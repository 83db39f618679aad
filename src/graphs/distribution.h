// The Distribution graph: how radios spread over the entries of one field, as a pie of at most ten
// slices with counts and a legend.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "collection/radio_list.h"
#include "collection/tables.h"
#include "draw/surface.h"

namespace korvel::graphs {

inline constexpr int kDistributionFieldCount = 11;
inline constexpr int kDistributionYear = 10;  // by decade, 1900-1909 to 1990-1999, then the others
inline constexpr int kMostSlices = 10;
inline constexpr int kOthers = -1;  // the slice of every category beyond the ninth

// "Bands" ... "Year", in the order of the dialog's Field list; nullptr outside it.
const char* DistributionFieldName(int field);
std::vector<std::string> DistributionFieldNames();

// The entries the field's counters stand for: a table of the collection, or the decades.
const std::vector<std::string>& DistributionEntries(int field, const TableSet& tables);

// The lookup table the field counts over, or -1 (the decades, or no such field).
int DistributionTableKind(int field);

// The counter a radio adds to for the field, or -1 when it is not counted (a position outside the
// table). A year outside the decades counts in the Year field's last counter, "Others".
int DistributionEntry(int field, const RadioRecord& radio, int counterCount);

// What the current distribution graph keeps: its field and one counter per entry.
struct DistributionData {
  int field = 0;
  std::vector<std::uint32_t> counters;
};

// Frees the old counters and gives one zeroed counter per entry of the field; false when memory ran
// out (reported) or the field does not exist.
bool AllocateCounters(int field, const TableSet& tables, std::vector<std::uint32_t>& counters);

void CountDistribution(const RadioList& radios, int field, std::vector<std::uint32_t>& counters);

// The k largest categories with a counter above 0, largest first; equal counters in table order.
std::vector<int> RankCategories(const std::vector<std::uint32_t>& counters, int k);

struct PieSlice {
  int entry = kOthers;  // the counter's index, or kOthers
  std::uint64_t count = 0;
  int start = 0, span = 0;  // degrees counter-clockwise from the positive x axis
  int colour = 0;           // palette index
};

// The counter that stands for everything outside the field's entries (the years outside the
// decades), or -1.
int DistributionOthersEntry(int field);

// The slices of the pie; none when every counter is 0. The nine largest categories (ten when they
// are all) and "Others"; the counter `othersEntry` is never ranked but always counted in "Others".
std::vector<PieSlice> PieSlices(const std::vector<std::uint32_t>& counters, int othersEntry = -1);

// The title, "Distribution by " and the field's name.
std::string DistributionTitle(int field);

// Clears the surface and draws the title, the slices with their counts, and the legend.
void DrawDistribution(int field, const std::vector<std::uint32_t>& counters, const TableSet& tables,
                      draw::Surface& surface);

}  // namespace korvel::graphs

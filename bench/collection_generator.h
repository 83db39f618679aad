// Large, realistic collections made in memory for the benchmarks.
#pragma once

#include <memory>
#include <vector>

#include "collection/collection.h"

namespace korvel::bench {

// Fills the user tables with realistic entries (brands, manufacturers, styles...).
void FillTables(Collection& collection);

// `count` radios with the tables' positions, realistic models, years, tubes, statuses, dates and
// prices, in no particular order; the same seed gives the same radios.
std::vector<std::unique_ptr<RadioRecord>> GenerateRadios(const Collection& collection, int count,
                                                         unsigned seed = 1950);

// A whole collection as loading leaves it: tables, radios in order, as-loaded copies, inventory,
// aliases and counters.
Collection GenerateCollection(int count, unsigned seed = 1950);

}  // namespace korvel::bench

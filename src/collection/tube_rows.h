// The sixteen tube rows of the radio notebook: a radio's tubes shown grouped by function, read back
// into its slots, and completed by "Search/Fill". Kept apart from any window so that the headless
// tool gives the same rows.
#pragma once

#include <array>
#include <string>

#include "collection/collection.h"

namespace korvel {

constexpr int kTubeRowCount = 16;

// Tube functions in the order a radio's signal passes through them, not the table's alphabetical one.
constexpr int kTubeDisplayFunctions = 24;
const std::array<int, kTubeDisplayFunctions>& TubeDisplayOrder();

struct TubeRow {
  int function = kFunctionNone;  // Tube Function position; none for an empty row
  std::string type;
};
using TubeRows = std::array<TubeRow, kTubeRowCount>;

// The radio's tubes by function, in the order a set is read from aerial to speaker, slot order
// within a function; rows after the last tube are empty. More than 16: Error "Too many tubes" and
// the first 16 are given.
TubeRows FillTubeRows(const RadioRecord& radio);

// Rebuilds the radio's 30 slots from the rows in row order. A row counts when its text is not
// empty and does not begin with a blank; its text is upper-cased. A row without a function (or
// Unknown) gets Unknown, or with `lookup` the function the collection mostly uses that tube for.
void ReadTubeRows(const TubeRows& rows, RadioRecord& radio, const Collection* lookup);

// "Search/Fill": the rows read back with the lookup, the line-up completed, the rows filled again.
TubeRows SearchFillTubeRows(const TubeRows& rows, RadioRecord& radio, const Collection& collection);

}  // namespace korvel

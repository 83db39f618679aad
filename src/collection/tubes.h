// Tube and transistor names: padding for natural order, inventory lines, aliases, what the
// collection uses, and the standard line-ups that complete a radio's tubes.
#pragma once

#include <string>
#include <string_view>

#include "collection/collection.h"

namespace korvel {

constexpr int kPaddedNameLimit = 75;

// A tube type with blanks in front by the number of digits it starts with (1: three, 2: two,
// anything else: one), so that byte order puts 6V6 before 12SK7 before 117Z3. Cut to 75 characters.
std::string PadTubeName(std::string_view type);

struct PaddedTube {
  std::string name;  // padded
  int count = 1;
};
// "2*6V6" gives 2 and the padded 6V6; a text without "*" counts 1.
PaddedTube PadTubeText(std::string_view text);

// The name without its leading blanks, as the data file writes it.
std::string_view UnpaddedName(std::string_view padded);

// The alias whose name equals the given one, leading blanks aside; nullptr when there is none.
const TubeAlias* FindTubeAlias(std::string_view padded, const TubeAliasList& aliases);
// The name that counts for this one: the alias's `aliasOf`, or the name itself.
std::string ResolveTubeName(std::string_view padded, const TubeAliasList& aliases);

// The item for the name (resolved through the aliases), created with counts 0 when missing.
// The caller sets the kind.
InventoryItem* InsertTube(std::string_view padded, InventoryList& list, const TubeAliasList& aliases);
InventoryItem* FindInventoryItem(std::string_view padded, InventoryList& list, const TubeAliasList& aliases);

// Adds every comma-separated piece of the line (even an empty one) to the list with its count.
void ParseInventoryLine(std::string_view line, int kind, InventoryList& list, const TubeAliasList& aliases);

// Takes an alias line of two tube texts separated by blanks; the one that sorts first becomes
// `aliasOf`. An alias of that name already present stays. False when the line has no second text.
bool InsertTubeAlias(std::string_view line, TubeAliasList& aliases);

// The tubes (kind 3) or transistors (kind 2) that the radios still in the collection use, with
// every stocked type listed too (count 0 when no radio uses it).
InventoryList TubeUsage(const Collection& collection, int kind);
// Sets each usage item's second count to the pieces in stock.
void FillStockCounts(InventoryList& usage, InventoryList& inventory, const TubeAliasList& aliases);

// The Tube Function position under which the collection's radios mostly use this tube.
int MostCommonFunction(const Collection& collection, std::string_view text);

// Completes the radio's tubes from the first standard line-up whose converter it has; a set whose
// power source is Battery in `powerSources` gets no rectifier.
void CompleteLineUp(RadioRecord& record, const LookupTable& powerSources);

}  // namespace korvel

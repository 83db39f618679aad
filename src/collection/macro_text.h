// The text form of macro entries, as the data file stores them: "+Technology=Tube", "&Year<1950",
// "push", "||", "12".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "collection/macro.h"
#include "collection/tables.h"

namespace korvel {

// Reads one token line (at most 72 characters as the data file gives them); none when the line is
// not a step. Table values are looked up in the given tables.
std::optional<Criterion> ParseMacroToken(std::string_view token, const TableSet& tables);

// The written form of an entry; an entry that did not parse is written as it was read.
std::string MacroEntryText(const MacroEntry& entry);
std::string CriterionText(const Criterion& criterion);

// An entry for a token line: parsed, or kept as written when it is not a step.
MacroEntry ReadMacroEntry(std::string_view token, const TableSet& tables);

}  // namespace korvel

// Random collections for property tests: every field, table, inventory line, alias and macro
// filled with texts the editing commands would let through.
#pragma once

#include <rapidcheck.h>

#include <string>

#include "collection/collection.h"

namespace korvel::test {

// A text of up to `limit` characters: printable ASCII with quotes, commas, markup characters and
// a few Windows-1252 and UTF-8 bytes among them; never a control character.
std::string RandomText(std::size_t limit);
// A record text the data file keeps as it is for its kind of field (no leading blank for long texts).
std::string RandomFieldText(bool longText);
// A radio whose every field is set, its references within the collection's tables.
std::unique_ptr<RadioRecord> RandomRadio(const Collection& collection);
// Random tables, radios, inventory, aliases and macros; each radio its own as-loaded copy.
Collection RandomCollection();

}  // namespace korvel::test

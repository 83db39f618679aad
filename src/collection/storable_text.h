// What the data file can store and read back intact. The editing commands check every text a
// user enters against these rules before it goes into the collection.
#pragma once

#include <string>
#include <string_view>

namespace korvel {

enum class StoredText {
  kLine,        // a record text: model, colours, places, schematic, dates, picture names (1024)
  kLongText,    // damage, repairs, references, comments, extras: any length, in 72-character lines
  kTableEntry,  // a lookup table entry (68, and not beginning with a digit)
  kShortLine,   // a macro name or an inventory line (72)
  kTubeType,    // a tube slot's text (1024; the inventory keeps 74 characters of a type)
};

// A table entry is written after its position on one 72-character line: 68 characters leave room
// for positions up to 9999.
constexpr int kTableEntryTextLimit = 68;

// Empty when the text can be stored as it is; otherwise the reason, to show the user.
std::string StorageProblem(std::string_view text, StoredText kind);

// For a new entry of a table that would take this position: its line holds the position's digits
// and the text within 72 characters.
std::string TableEntryProblem(std::string_view text, int position);

}  // namespace korvel

// Creating, copying and releasing radio records; extending the lookup tables.
#pragma once

#include <string>

#include "collection/collection.h"

namespace korvel {

// Fills the record with the defaults of a new radio, each default entry looked up by name in the
// current tables (a missing entry gives position 0). The identifier is 0 and currentPicture is
// left as it was: the caller sets both.
void SetNewRadioDefaults(const Collection& collection, RadioRecord& record);

// A deep copy; registry indices are copied as they are.
void CopyRadio(const RadioRecord& source, RadioRecord& target);

// Releases every text of the record and clears every field (registry indices become -1, "none").
void ReleaseRadio(RadioRecord& record);

// The first slot after `after` (-1 to start) whose function is `function`, or -1; function 0
// always gives -1.
int FindTubeSlot(const RadioRecord& record, int function, int after);

// Inserts the text into the table of that kind at its place in byte order and gives its position,
// or -1 with a warning when the table is built in or already holds the text. Keeps the brand-to-
// manufacturer map and the brand picture directories aligned. Stored positions are not touched.
int InsertTableEntry(Collection& collection, int kind, std::string text);

// Adds delta (positive) to every reference of the collection's radios into the table of that kind
// whose value is at least `position`.
void RenumberReferences(Collection& collection, int kind, int position, int delta);
// The same for one record outside the collection (the record being edited).
void RenumberRecordReferences(RadioRecord& record, int kind, int position, int delta);

// What inserting a table entry means for the collection: the entry goes in, every radio's
// references follow it, a new brand gets its manufacturer, and the collection is marked changed.
// Gives the new position or -1.
int AddTableEntry(Collection& collection, int kind, std::string text, int brandManufacturer = 0);

// A collection started afresh (no data file yet): every user table holds "Unknown", and the
// Cabinet Trim table "No Trim" too, so that a new radio's defaults point at real entries.
void StartNewCollection(Collection& collection);

}  // namespace korvel

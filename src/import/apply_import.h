// Importing a planned spreadsheet into the collection: one change, made in one call, so that it can
// be taken back as one step.
#pragma once

#include <vector>

#include "collection/collection.h"
#include "import/import_plan.h"

namespace korvel {

struct ImportOutcome {
  bool applied = false;
  std::vector<RadioRecord*> radios;  // the radios added, in radio order
  struct Entry {
    int kind;
    std::string text;
  };
  std::vector<Entry> newEntries;  // the table entries made for texts the tables lacked
  int skippedFields = 0;
};

// Adds every row of the plan as a new radio, in radio order: table entries are made for texts the
// tables lack, each row gets a new identifier, except that a collection without radios keeps the
// file's identifiers where they are free. Rows with faulty fields are added only with
// `skipFaultyFields` (those fields keep a new radio's values); without it, a plan with problems
// changes nothing. A plan whose file could not be read changes nothing either. Marks the
// collection changed. The plan's radios are moved into the collection (pass a copy to keep it).
ImportOutcome ApplyImport(Collection& collection, ImportPlan plan, bool skipFaultyFields);

}  // namespace korvel

// Small collections and radios for tests, built from names rather than positions.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "collection/collection.h"

namespace korvel::test {

// Table fields are given by entry text and must exist in the collection's tables.
struct RadioFields {
  int id = 0;
  std::string brand = "Unknown";
  std::string model = "Unknown";
  int year = 1940;
  std::string cabinetStyle = "Unknown";
  int status = kStatusToBeRestored;
  std::string cabinetColour{};
  std::string trim = "No Trim";
  std::string trimColour{};
  int technology = kTechTube;
  std::string powerSource = "Unknown";
  std::vector<std::pair<int, std::string>> tubes{};  // function, type, from slot 0
};

// A collection whose user tables hold a few realistic entries each (always "Unknown", and
// "No Trim" among the trims), its as-loaded tables equal to them.
Collection MakeCollection();

// Position of an entry in the collection's current table; fails the test when missing.
int Position(const Collection& collection, int kind, const std::string& text);

// A record built from the fields against the collection's tables (new-radio defaults elsewhere).
std::unique_ptr<RadioRecord> MakeRadio(const Collection& collection, const RadioFields& fields);

// The identifiers of a list's radios, in list order.
std::vector<int> Ids(const RadioList& list);

// Adds the radio to the collection and a copy of it to the as-loaded list, as loading does.
RadioRecord* AddLoadedRadio(Collection& collection, const RadioFields& fields);

}  // namespace korvel::test

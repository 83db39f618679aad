// The quick filter: the radios whose texts contain every word typed in the search field, whatever
// the case of their letters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "collection/collection.h"

namespace korvel {

// The typed text split at blanks into folded words; no words for a blank text.
std::vector<std::string> QuickFilterWords(std::string_view typed);

// What a radio is found by, folded: brand, model, serial number, the texts of its table entries,
// year, colours, tube types, places, sources and the long texts, one per line.
std::string RadioSearchText(const TableSet& tables, const RadioRecord& radio);

// Whether every word occurs in the radio's search text.
bool SearchTextHasWords(std::string_view searchText, const std::vector<std::string>& words);

// Narrows a selection as the user types. The radios' search texts are made once (Prepare, or the
// first Narrow) and kept until Forget (call it when radios may have changed); typing on from the
// last text tests only the radios the last text found.
class QuickFilter {
 public:
  // The members of `base` (in its order) that contain every word of `typed`.
  RadioList Narrow(const TableSet& tables, const RadioList& base, std::string_view typed);
  // Makes the search texts of `base` now, so that the first keystroke does not wait for them.
  void Prepare(const TableSet& tables, const RadioList& base);
  void Forget();

 private:
  std::string_view TextOf(int i) const {
    return std::string_view(texts_).substr(starts_[i], starts_[i + 1] - starts_[i]);
  }

  std::vector<RadioRecord*> radios_;   // base as the search texts were made for it
  std::string texts_;                  // every radio's search text, one after the other
  std::vector<std::uint32_t> starts_;  // where each begins, and the end
  std::string lastTyped_;
  std::vector<int> lastFound_;  // indexes into radios_ that lastTyped_ found
  bool hasLast_ = false;
};

}  // namespace korvel

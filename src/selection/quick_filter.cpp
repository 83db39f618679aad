#include "selection/quick_filter.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <functional>

#include "collection/tubes.h"
#include "util/alu_case_folding.h"

namespace korvel {

std::vector<std::string> QuickFilterWords(std::string_view typed) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < typed.size()) {
    while (i < typed.size() && (typed[i] == ' ' || typed[i] == '\t')) ++i;
    const std::size_t start = i;
    while (i < typed.size() && typed[i] != ' ' && typed[i] != '\t') ++i;
    if (i > start) words.push_back(AluFoldCase(typed.substr(start, i - start)));
  }
  return words;
}

namespace {

// The table entries folded once for every radio that shows them.
using FoldedTables = std::array<std::vector<std::string>, kTableKindCount>;

FoldedTables FoldTables(const TableSet& tables) {
  FoldedTables folded;
  for (int kind = 0; kind < kTableKindCount; ++kind) {
    for (const std::string& entry : tables[kind].entries) folded[kind].push_back(AluFoldCase(entry));
  }
  return folded;
}

// Line breaks cannot be stored in a text nor typed in a word, so no match spans two fields.
void AppendSearchText(const FoldedTables& tables, const RadioRecord& r, std::string& text) {
  const auto add = [&](std::string_view stored) {
    if (stored.empty()) return;
    AluAppendFolded(stored, text);
    text += '\n';
  };
  const auto entry = [&](int kind, int position) {
    if (position >= 0 && position < static_cast<int>(tables[kind].size())) {
      text += tables[kind][position];
      text += '\n';
    }
  };
  entry(kTableBrandName, r.brand);
  add(r.model);
  add(r.serialNumber);
  if (r.year != 0) {
    char digits[16];
    const int n = std::snprintf(digits, sizeof digits, "%d\n", r.year);
    text.append(digits, static_cast<std::size_t>(n));
  }
  entry(kTableManufacturer, r.manufacturer);
  entry(kTableCabinetStyle, r.cabinetStyle);
  entry(kTableCabinetComposition, r.cabinetComposition);
  add(r.cabinetColour);
  entry(kTableCabinetTrim, r.cabinetTrim);
  add(r.trimColour);
  entry(kTableTuningDial, r.tuningDial);
  entry(kTablePosition, r.dialPosition);
  entry(kTableGrillStyle, r.grillStyle);
  entry(kTablePosition, r.grillPosition);
  entry(kTablePowerSource, r.powerSource);
  entry(kTableBands, r.bands);
  entry(kTableTechnology, r.technology);
  entry(kTableCircuitType, r.circuitType);
  entry(kTableStatus, r.status);
  entry(kTableCondition, r.condition);
  entry(kTableChassisCondition, r.chassisCondition);
  for (int i = 0; i < r.tubes.HeldCount(); ++i) {
    if (r.tubes[i].IsFilled()) add(UnpaddedName(r.tubes[i].type));
  }
  for (const std::string* s : {&r.whereAcquired, &r.whereDisposed, &r.sourceOfValue, &r.damage,
                               &r.repairsNeeded, &r.schematic, &r.references, &r.comments, &r.extras}) {
    add(*s);
  }
}

}  // namespace

std::string RadioSearchText(const TableSet& tables, const RadioRecord& radio) {
  std::string text;
  AppendSearchText(FoldTables(tables), radio, text);
  return text;
}

bool SearchTextHasWords(std::string_view searchText, const std::vector<std::string>& words) {
  for (const std::string& word : words) {
    if (memmem(searchText.data(), searchText.size(), word.data(), word.size()) == nullptr) return false;
  }
  return true;
}

void QuickFilter::Forget() {
  radios_.clear();
  texts_.clear();
  starts_.clear();
  lastFound_.clear();
  hasLast_ = false;
}

void QuickFilter::Prepare(const TableSet& tables, const RadioList& base) {
  if (radios_.size() == static_cast<std::size_t>(base.Count()) && !starts_.empty() &&
      std::equal(radios_.begin(), radios_.end(), base.begin())) {
    return;
  }
  Forget();
  radios_.assign(base.begin(), base.end());
  const FoldedTables folded = FoldTables(tables);
  starts_.reserve(radios_.size() + 1);
  texts_.reserve(radios_.size() * 192);
  for (const RadioRecord* r : radios_) {
    starts_.push_back(static_cast<std::uint32_t>(texts_.size()));
    AppendSearchText(folded, *r, texts_);
  }
  starts_.push_back(static_cast<std::uint32_t>(texts_.size()));
}

RadioList QuickFilter::Narrow(const TableSet& tables, const RadioList& base, std::string_view typed) {
  Prepare(tables, base);
  const std::vector<std::string> words = QuickFilterWords(typed);
  // Typing on only narrows what the shorter text found: every word then holds a word typed before.
  const bool typingOn = hasLast_ && typed.substr(0, lastTyped_.size()) == lastTyped_;
  std::vector<int> found;
  const auto test = [&](int i) {
    if (SearchTextHasWords(TextOf(i), words)) found.push_back(i);
  };
  if (typingOn) {
    for (int i : lastFound_) test(i);
  } else if (!words.empty()) {
    // The longest word is looked for in all the texts at once; only the radios it is found in are
    // tested for the others. A word holds no line break, so a match never runs into the next radio.
    const std::string& rarest =
        *std::max_element(words.begin(), words.end(),
                          [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
    std::size_t from = 0;
    int radio = 0;
    while (from < texts_.size()) {
      const void* at = memmem(texts_.data() + from, texts_.size() - from, rarest.data(), rarest.size());
      if (at == nullptr) break;
      const auto offset = static_cast<std::uint32_t>(static_cast<const char*>(at) - texts_.data());
      radio = static_cast<int>(std::upper_bound(starts_.begin() + radio, starts_.end(), offset) -
                               starts_.begin()) -
              1;
      test(radio);
      from = starts_[radio + 1];
    }
  } else {
    for (int i = 0; i < static_cast<int>(radios_.size()); ++i) found.push_back(i);
  }
  RadioList narrowed;
  for (int i : found) AppendInOrder(narrowed, radios_[i]);
  lastTyped_ = std::string(typed);
  lastFound_ = std::move(found);
  hasLast_ = true;
  return narrowed;
}

}  // namespace korvel

#include "collection/radio_list.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <new>

#include "util/message.h"

namespace korvel {
namespace {

constexpr const char* kNoTrim = "No Trim";

int Sign(int a, int b) {
  return a < b ? -1 : (a > b ? 1 : 0);
}

int CompareText(const std::string& a, const std::string& b) {
  const int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace

int CompareRadios(const TableSet& tables, const RadioRecord& a, const RadioRecord& b) {
  if (int c = Sign(a.brand, b.brand)) return c;
  if (int c = CompareText(a.model, b.model)) return c;
  if (int c = Sign(a.year, b.year)) return c;
  if (int c = Sign(a.cabinetStyle, b.cabinetStyle)) return c;
  if (int c = Sign(a.status, b.status)) return c;
  if (int c = CompareText(a.cabinetColour, b.cabinetColour)) return c;
  if (int c = Sign(a.cabinetComposition, b.cabinetComposition)) return c;
  if (int c = Sign(a.cabinetTrim, b.cabinetTrim)) return c;
  const LookupTable& trims = tables[kTableCabinetTrim];
  if (trims.Text(a.cabinetTrim) != kNoTrim && trims.Text(b.cabinetTrim) != kNoTrim) {
    if (int c = CompareText(a.trimColour, b.trimColour)) return c;
  }
  if (int c = Sign(a.dialPosition, b.dialPosition)) return c;
  if (int c = Sign(a.tuningDial, b.tuningDial)) return c;
  if (int c = Sign(a.grillPosition, b.grillPosition)) return c;
  if (int c = Sign(a.grillStyle, b.grillStyle)) return c;
  return Sign(a.id, b.id);
}

RadioRecord* RadioList::FindById(int id) const {
  for (RadioRecord* r : items_) {
    if (r->id == id) return r;
  }
  return nullptr;
}

int RadioList::IndexOf(const RadioRecord* record) const {
  const auto it = std::find(items_.begin(), items_.end(), record);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

bool RadioList::Remove(const RadioRecord* record) {
  const auto it = std::find(items_.begin(), items_.end(), record);
  if (it == items_.end()) return false;
  items_.erase(it);
  return true;
}

bool InsertRadio(const TableSet& tables, RadioRecord* record, RadioList& list) {
  auto& items = list.items_;
  try {
    // Records mostly arrive in order (the data file is written so): try the end first.
    if (items.empty() || CompareRadios(tables, *items.back(), *record) < 0) {
      items.push_back(record);
      return true;
    }
    const auto at = std::lower_bound(
        items.begin(), items.end(), record,
        [&](const RadioRecord* a, const RadioRecord* b) { return CompareRadios(tables, *a, *b) < 0; });
    if (at != items.end() && CompareRadios(tables, **at, *record) == 0) return false;
    items.insert(at, record);
    return true;
  } catch (const std::bad_alloc&) {
    ShowMessage(kError, kButtonsOk, "'AluMalloc' failure in 'InsertRadio'.");
    return false;
  }
}

RadioList BuildRadioList(const TableSet& tables, std::span<RadioRecord* const> records) {
  RadioList list;
  auto& items = list.items_;
  items.assign(records.begin(), records.end());
  const auto less = [&](const RadioRecord* a, const RadioRecord* b) {
    return CompareRadios(tables, *a, *b) < 0;
  };
  if (!std::is_sorted(items.begin(), items.end(), less)) std::stable_sort(items.begin(), items.end(), less);
  // Of records that compare equal the first one given stays, as with one-by-one insertion.
  const auto last = std::unique(items.begin(), items.end(), [&](const RadioRecord* a, const RadioRecord* b) {
    return CompareRadios(tables, *a, *b) == 0;
  });
  items.erase(last, items.end());
  return list;
}

void AppendInOrder(RadioList& list, RadioRecord* record) {
  list.items_.push_back(record);
}

}  // namespace korvel

namespace korvel {

void MergeInto(const TableSet& tables, RadioList& list, const RadioList& more) {
  if (more.Empty()) return;
  if (list.Empty()) {
    list.items_ = more.items_;
    return;
  }
  std::vector<RadioRecord*> merged;
  merged.reserve(list.items_.size() + more.items_.size());
  const auto less = [&](const RadioRecord* a, const RadioRecord* b) {
    return CompareRadios(tables, *a, *b) < 0;
  };
  // Equal records: the one already in the list comes first and stays.
  std::merge(list.items_.begin(), list.items_.end(), more.items_.begin(), more.items_.end(),
             std::back_inserter(merged), less);
  const auto last = std::unique(
      merged.begin(), merged.end(),
      [&](const RadioRecord* a, const RadioRecord* b) { return CompareRadios(tables, *a, *b) == 0; });
  merged.erase(last, merged.end());
  list.items_ = std::move(merged);
}

}  // namespace korvel

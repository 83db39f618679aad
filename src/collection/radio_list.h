// Lists of radios in radio order: the collection, the as-loaded copy, selections and the stack.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "collection/record.h"
#include "collection/tables.h"

namespace korvel {

// Radio order: brand, model, year, cabinet style, status, cabinet colour, cabinet composition,
// trim, trim colour (only when neither trim is "No Trim"), dial position, tuning dial, grill
// position, grill style, identifier. Negative, zero or positive; zero means the same radio.
int CompareRadios(const TableSet& tables, const RadioRecord& a, const RadioRecord& b);

// A list of radios in radio order with no two records that compare equal. It points at records
// and never owns them. Kept as a sorted array: lookups are binary searches and a list built from
// another one in order costs one append per radio.
class RadioList {
 public:
  using const_iterator = std::vector<RadioRecord*>::const_iterator;

  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }
  RadioRecord* operator[](std::size_t i) const { return items_[i]; }
  const_iterator begin() const { return items_.begin(); }
  const_iterator end() const { return items_.end(); }
  const std::vector<RadioRecord*>& Records() const { return items_; }

  // The first record with that identifier, or nullptr.
  RadioRecord* FindById(int id) const;
  // Position of the record pointer in the list, or -1.
  int IndexOf(const RadioRecord* record) const;
  // Removes the first entry that points at the record; false when there is none.
  bool Remove(const RadioRecord* record);
  void Clear() { items_.clear(); }
  // Entry i becomes another record that sorts in the same place.
  void ReplaceAt(std::size_t i, RadioRecord* record) { items_[i] = record; }
  // Keeps the records the predicate accepts, in their order.
  template <typename Predicate>
  void KeepOnly(Predicate keep) {
    std::erase_if(items_, [&](RadioRecord* r) { return !keep(r); });
  }

 private:
  friend bool InsertRadio(const TableSet& tables, RadioRecord* record, RadioList& list);
  friend RadioList BuildRadioList(const TableSet& tables, std::span<RadioRecord* const> records);
  friend void AppendInOrder(RadioList& list, RadioRecord* record);
  friend void MergeInto(const TableSet& tables, RadioList& list, const RadioList& more);

  std::vector<RadioRecord*> items_;
};

// Inserts the record at its place in radio order; a record that compares equal to one already in
// the list (the same pointer included) is not inserted, and false is given.
bool InsertRadio(const TableSet& tables, RadioRecord* record, RadioList& list);

// The list that inserting the records one by one, in this order, would give; built by sorting.
RadioList BuildRadioList(const TableSet& tables, std::span<RadioRecord* const> records);

// Appends a record known to sort after every record of the list (filtering an ordered list).
void AppendInOrder(RadioList& list, RadioRecord* record);

// Inserts every record of `more` into `list`, as InsertRadio one by one would, in one pass.
void MergeInto(const TableSet& tables, RadioList& list, const RadioList& more);

}  // namespace korvel

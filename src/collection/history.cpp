#include "collection/history.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "collection/radio_ops.h"
#include "util/alu_string.h"

namespace korvel {
namespace {

void ForgetHandles(RadioRecord& record) {
  record.pictureIndex = -1;
  record.thumbnailIndex = -1;
  record.extraPictureIndex.fill(-1);
  record.currentPicture = -1;
}

// Every record the step holds outside the collection. A table entry inserted within the step moves
// their references as it moves the live radios', so that all of a step's records are numbered as
// the tables stand after the step.
template <typename Fn>
void ForEachStoredRecord(HistoryStep& step, Fn fn) {
  for (HistoryStep::RadioChange& change : step.radios) {
    if (change.other) fn(*change.other);
    if (change.owned) fn(*change.owned);
  }
}

// Suspends recording while the history itself changes the collection.
class NotRecording {
 public:
  explicit NotRecording(Collection& collection) : collection_(collection), saved_(collection.recorder) {
    collection.recorder = nullptr;
  }
  ~NotRecording() { collection_.recorder = saved_; }
  NotRecording(const NotRecording&) = delete;
  NotRecording& operator=(const NotRecording&) = delete;

 private:
  Collection& collection_;
  UndoHistory* saved_;
};

// Up to this many radios are taken out and put back one by one; more in one pass over the list.
constexpr std::size_t kFewRadios = 16;

// Takes the records out of the radio list and their ownership out of the store.
void TakeOut(Collection& collection, const std::vector<HistoryStep::RadioChange*>& changes) {
  if (changes.empty()) return;
  if (changes.size() <= kFewRadios) {
    for (HistoryStep::RadioChange* change : changes) {
      collection.radios.Remove(change->radio);
      auto& store = collection.radioStore;
      const auto it =
          std::find_if(store.begin(), store.end(), [&](const auto& p) { return p.get() == change->radio; });
      if (it == store.end()) continue;
      change->owned = std::move(*it);
      store.erase(it);
    }
    return;
  }
  std::unordered_map<const RadioRecord*, HistoryStep::RadioChange*> leaving;
  for (HistoryStep::RadioChange* change : changes) leaving.emplace(change->radio, change);
  collection.radios.KeepOnly([&](RadioRecord* r) { return !leaving.contains(r); });
  for (auto& held : collection.radioStore) {
    const auto it = leaving.find(held.get());
    if (it != leaving.end()) it->second->owned = std::move(held);
  }
  std::erase(collection.radioStore, nullptr);
}

// Puts the records back, in one merge.
void PutBack(Collection& collection, const std::vector<HistoryStep::RadioChange*>& changes) {
  if (changes.empty()) return;
  std::vector<RadioRecord*> records;
  records.reserve(changes.size());
  collection.radioStore.reserve(collection.radioStore.size() + changes.size());
  for (HistoryStep::RadioChange* change : changes) {
    records.push_back(change->radio);
    collection.radioStore.push_back(std::move(change->owned));
  }
  if (changes.size() <= kFewRadios) {
    for (RadioRecord* record : records) InsertRadio(collection.tables, record, collection.radios);
    return;
  }
  MergeInto(collection.tables, collection.radios, BuildRadioList(collection.tables, records));
}

// Takes out the entry a step inserted, and every reference beyond it moves back one place. The
// records the step holds stay numbered as the tables were after the step: they are only ever
// swapped in while the tables are so again.
void TakeBackTableEntry(Collection& collection, const TableEntryStep& entry) {
  const int kind = entry.kind;
  const int p = entry.position;
  auto& entries = collection.tables[kind].entries;
  if (p < 0 || p >= static_cast<int>(entries.size())) return;
  entries.erase(entries.begin() + p);
  if (kind == kTableManufacturer) {
    for (auto& m : collection.brandManufacturer) {
      if (m > p) --m;
    }
  }
  if (kind == kTableBrandName) {
    auto& map = collection.brandManufacturer;
    auto& directories = collection.brandPictureDirectories;
    if (p < static_cast<int>(map.size())) map.erase(map.begin() + p);
    if (p < static_cast<int>(directories.size())) directories.erase(directories.begin() + p);
  }
  RenumberReferences(collection, kind, p + 1, -1);
  // The shift pushed by the insertion and the one just pushed cancel out.
  auto& shifts = collection.shiftsSinceLoad;
  const std::size_t n = shifts.size();
  if (n >= 2 && shifts[n - 2].kind == kind && shifts[n - 2].position == p && shifts[n - 2].delta == 1) {
    shifts.resize(n - 2);
  }
}

void PutBackTableEntry(Collection& collection, const TableEntryStep& entry) {
  const int p = InsertTableEntry(collection, entry.kind, entry.text);
  if (p < 0) return;
  RenumberReferences(collection, entry.kind, p, 1);
  if (entry.kind == kTableBrandName) collection.brandManufacturer[p] = entry.manufacturer;
}

// Swaps a record's contents with the ones the step holds: the record keeps its place in the
// as-loaded list (it has none: it was prepared for the change).
void SwapContents(RadioRecord& record, RadioRecord& other) {
  RadioRecord held = std::move(record);
  record = std::move(other);
  other = std::move(held);
}

// Undo or Redo of one step.
HistoryOutcome Apply(Collection& collection, HistoryStep& step, bool undo, const HistoryRecordHooks& hooks) {
  NotRecording quiet(collection);
  HistoryOutcome outcome;
  outcome.done = true;
  outcome.name = step.name;
  outcome.deletedFiles = step.deletedFiles;
  const auto presentNow = [&](const HistoryStep::RadioChange& c) {
    return undo ? c.presentAfter : c.presentBefore;
  };
  const auto presentThen = [&](const HistoryStep::RadioChange& c) {
    return undo ? c.presentBefore : c.presentAfter;
  };

  // Redo puts the tables back first: the radios it brings back refer to their entries.
  if (!undo) {
    for (const TableEntryStep& entry : step.tableEntries) PutBackTableEntry(collection, entry);
    outcome.tableEntries = step.tableEntries;
  }

  std::vector<HistoryStep::RadioChange*> leaving;
  std::vector<HistoryStep::RadioChange*> coming;
  for (HistoryStep::RadioChange& change : step.radios) {
    const bool now = presentNow(change);
    const bool then = presentThen(change);
    if (now) {
      // A radio saved since is its own as-loaded copy again: that copy must not change with it.
      PrepareRadioChange(collection, *change.radio);
      if (hooks.release) hooks.release(*change.radio);
      leaving.push_back(&change);
    }
    if (then) coming.push_back(&change);
    if (now && then) {
      outcome.changed.push_back(change.radio);
    } else if (now) {
      outcome.removed.push_back(change.radio);
    } else if (then) {
      outcome.added.push_back(change.radio);
    }
  }
  TakeOut(collection, leaving);
  for (HistoryStep::RadioChange& change : step.radios) {
    if (change.other) SwapContents(*change.radio, *change.other);
  }
  PutBack(collection, coming);
  if (hooks.attach) {
    for (HistoryStep::RadioChange* change : coming) hooks.attach(*change->radio);
  }

  if (undo) {
    for (auto entry = step.tableEntries.rbegin(); entry != step.tableEntries.rend(); ++entry) {
      TakeBackTableEntry(collection, *entry);
      outcome.tableEntries.push_back(*entry);
    }
  }
  if (step.otherInventory) {
    std::swap(collection.inventory, *step.otherInventory);
    outcome.inventoryChanged = true;
  }
  if (step.nextIdChanged) std::swap(collection.nextId, step.otherNextId);
  return outcome;
}

}  // namespace

UndoHistory::~UndoHistory() = default;
UndoHistory::UndoHistory(UndoHistory&&) noexcept = default;
UndoHistory& UndoHistory::operator=(UndoHistory&&) noexcept = default;

void UndoHistory::Begin(Collection& collection, std::string name) {
  if (open_) {  // a command run from another one's dialog: its changes are part of that step
    ++nested_;
    return;
  }
  open_ = std::make_unique<HistoryStep>();
  open_->name = std::move(name);
  openIndex_.clear();
  inventoryAtBegin_ = collection.inventory;
  nextIdAtBegin_ = collection.nextId;
  changedAtBegin_ = collection.changed;
  collection.recorder = this;
}

bool UndoHistory::End(Collection& collection) {
  if (nested_ > 0) {
    --nested_;
    return false;
  }
  if (collection.recorder == this) collection.recorder = nullptr;
  if (!open_) return false;
  std::unique_ptr<HistoryStep> step = std::move(open_);
  openIndex_.clear();
  // A radio added and deleted again within the command is no change.
  std::erase_if(step->radios,
                [](const HistoryStep::RadioChange& c) { return !c.presentBefore && !c.presentAfter; });
  if (collection.inventory != inventoryAtBegin_) step->otherInventory = std::move(inventoryAtBegin_);
  inventoryAtBegin_.clear();
  const bool kept = !step->radios.empty() || !step->tableEntries.empty() || step->otherInventory;
  if (!kept) {
    // A change the history did not see: Undo can no longer find the way back to the file.
    if (collection.changed && !changedAtBegin_) saved_.reset();
    return false;
  }
  if (collection.nextId != nextIdAtBegin_) {
    step->nextIdChanged = true;
    step->otherNextId = nextIdAtBegin_;
  }
  if (step->radios.size() > 1) step->name += AluFormat(" (%zu radios)", step->radios.size());
  steps_.resize(position_);
  if (saved_ && *saved_ > position_) saved_.reset();
  steps_.push_back(std::move(step));
  position_ = steps_.size();
  return true;
}

void UndoHistory::NoteDeletedFile(std::string name) {
  if (open_) open_->deletedFiles.push_back(std::move(name));
}

std::string UndoHistory::UndoName() const {
  return CanUndo() ? steps_[position_ - 1]->name : std::string();
}

std::string UndoHistory::RedoName() const {
  return CanRedo() ? steps_[position_]->name : std::string();
}

HistoryOutcome UndoHistory::Undo(Collection& collection, const HistoryRecordHooks& hooks) {
  if (!CanUndo() || open_) return {};
  --position_;
  HistoryOutcome outcome = Apply(collection, *steps_[position_], true, hooks);
  collection.changed = !AtSaved();
  return outcome;
}

HistoryOutcome UndoHistory::Redo(Collection& collection, const HistoryRecordHooks& hooks) {
  if (!CanRedo() || open_) return {};
  HistoryOutcome outcome = Apply(collection, *steps_[position_], false, hooks);
  ++position_;
  collection.changed = !AtSaved();
  return outcome;
}

void UndoHistory::Clear() {
  steps_.clear();
  position_ = 0;
  saved_ = 0;
  open_.reset();
  openIndex_.clear();
  nested_ = 0;
}

HistoryStep::RadioChange& UndoHistory::Entry(RadioRecord* record, bool present) {
  const auto [it, fresh] = openIndex_.try_emplace(record, open_->radios.size());
  if (fresh) {
    HistoryStep::RadioChange& change = open_->radios.emplace_back();
    change.radio = record;
    change.presentBefore = present;
    change.presentAfter = present;
  }
  return open_->radios[it->second];
}

void UndoHistory::RadioAdded(RadioRecord* record) {
  if (!open_ || record == nullptr) return;
  Entry(record, false).presentAfter = true;
}

void UndoHistory::RadioChanging(const RadioRecord& record) {
  if (!open_) return;
  auto* radio = const_cast<RadioRecord*>(&record);
  if (openIndex_.contains(radio)) return;
  HistoryStep::RadioChange& change = Entry(radio, true);
  change.other = std::make_unique<RadioRecord>(record);
  ForgetHandles(*change.other);
}

void UndoHistory::RadioRemoved(std::unique_ptr<RadioRecord> record) {
  if (!open_ || record == nullptr) return;
  HistoryStep::RadioChange& change = Entry(record.get(), true);
  change.presentAfter = false;
  change.owned = std::move(record);
}

void UndoHistory::TableEntryAdded(const Collection& collection, int kind, int position,
                                  std::int32_t manufacturer) {
  if (!open_) return;
  open_->tableEntries.push_back({kind, position, collection.tables[kind].Text(position), manufacturer});
  ForEachStoredRecord(*open_, [&](RadioRecord& r) { RenumberRecordReferences(r, kind, position, 1); });
}

}  // namespace korvel

// Undo and Redo: the steps that commands made to the collection, each holding only what it
// changed, so that the history grows with the changes and not with the collection.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "collection/collection.h"

namespace korvel {

// An entry one step inserted into a lookup table.
struct TableEntryStep {
  int kind = 0;
  int position = 0;
  std::string text;
  std::int32_t manufacturer = 0;  // for a brand: its manufacturer's position
};

// One command's changes.
struct HistoryStep {
  // A radio the command added, changed or deleted. The record keeps its address through Undo and
  // Redo: while it is out of the collection the step owns it.
  struct RadioChange {
    RadioRecord* radio = nullptr;
    bool presentBefore = false;
    bool presentAfter = false;
    // The contents that are not in the record now (for a changed radio), or none.
    std::unique_ptr<RadioRecord> other;
    std::unique_ptr<RadioRecord> owned;
  };

  std::string name;
  std::vector<RadioChange> radios;
  std::vector<TableEntryStep> tableEntries;  // in the order they were made
  std::optional<InventoryList> otherInventory;
  std::int32_t otherNextId = 0;
  bool nextIdChanged = false;
  std::vector<std::string> deletedFiles;  // picture files the command deleted: they stay deleted
};

// What one Undo or Redo did, for the windows to follow.
struct HistoryOutcome {
  bool done = false;
  std::string name;
  std::vector<RadioRecord*> removed;  // no longer in the collection: nothing may point at them
  std::vector<RadioRecord*> changed;  // still there, with other contents
  std::vector<RadioRecord*> added;    // back in the collection
  // Table entries taken out (Undo, latest first) or put back (Redo, in order).
  std::vector<TableEntryStep> tableEntries;
  std::vector<std::string> deletedFiles;
  bool inventoryChanged = false;
};

// What happens to a record's picture registrations around an Undo or Redo.
struct HistoryRecordHooks {
  std::function<void(RadioRecord&)> release;  // before its contents change or it leaves
  std::function<void(RadioRecord&)> attach;   // after it is back or has its other contents
};

class UndoHistory {
 public:
  UndoHistory() = default;
  ~UndoHistory();
  UndoHistory(const UndoHistory&) = delete;
  UndoHistory& operator=(const UndoHistory&) = delete;
  UndoHistory(UndoHistory&&) noexcept;
  UndoHistory& operator=(UndoHistory&&) noexcept;

  // Opens a step: the collection's changes are recorded until End. Opened again before End (a
  // command started from another one's dialog), the changes go to the step already open. The name is what the
  // menu shows ("Delete"); End adds the number of radios when there are several.
  void Begin(Collection& collection, std::string name);
  // Closes the open step; a step that changed nothing is dropped. A kept step drops the steps
  // that Undo had taken back. True when the step was kept.
  bool End(Collection& collection);
  bool Recording() const { return open_ != nullptr; }
  // A picture file the open step's command deleted.
  void NoteDeletedFile(std::string name);

  bool CanUndo() const { return position_ > 0; }
  bool CanRedo() const { return position_ < steps_.size(); }
  // The names of the step Undo and Redo would take; empty when there is none.
  std::string UndoName() const;
  std::string RedoName() const;
  HistoryOutcome Undo(Collection& collection, const HistoryRecordHooks& hooks = {});
  HistoryOutcome Redo(Collection& collection, const HistoryRecordHooks& hooks = {});

  // The collection as it stands is the one on disk (after loading and after a save).
  void MarkSaved() { saved_ = position_; }
  // The collection as it stands is not on disk (a new one): no Undo brings it back there.
  void ForgetSaved() { saved_.reset(); }
  // Whether Undo and Redo have brought the collection back to what is on disk.
  bool AtSaved() const { return saved_ && *saved_ == position_; }
  // Forgets every step (another collection).
  void Clear();
  std::size_t StepCount() const { return steps_.size(); }

  // Called by the collection while a step is open.
  void RadioAdded(RadioRecord* record);
  void RadioChanging(const RadioRecord& record);
  void RadioRemoved(std::unique_ptr<RadioRecord> record);
  void TableEntryAdded(const Collection& collection, int kind, int position, std::int32_t manufacturer);

 private:
  HistoryStep::RadioChange& Entry(RadioRecord* record, bool present);

  std::vector<std::unique_ptr<HistoryStep>> steps_;
  std::size_t position_ = 0;  // steps below it are done, the others undone
  std::optional<std::size_t> saved_ = 0;
  std::unique_ptr<HistoryStep> open_;
  std::unordered_map<const RadioRecord*, std::size_t> openIndex_;
  InventoryList inventoryAtBegin_;
  std::int32_t nextIdAtBegin_ = 0;
  bool changedAtBegin_ = false;
  int nested_ = 0;
};

}  // namespace korvel

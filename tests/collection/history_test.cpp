// Undo and Redo: whatever the commands and however they are taken back and done again, the
// collection is the one the commands still in force make.
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>

#include "collection/changes.h"
#include "collection/data_file.h"
#include "collection/history.h"
#include "collection/radio_ops.h"
#include "collection/tubes.h"
#include "support/collection_builder.h"
#include "support/random_collection.h"
#include "util/alu_string.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

// What View > Changes and the exit question would report, in words.
std::string ChangesText(const Collection& c) {
  const ChangeSummary summary = SummarizeChanges(c);
  const auto ids = [](const RadioList& list) {
    std::vector<int> v;
    for (const RadioRecord* r : list) v.push_back(r->id);
    std::sort(v.begin(), v.end());
    std::string text;
    for (int id : v) text += " " + std::to_string(id);
    return text;
  };
  return "added:" + ids(summary.newRadios) + "; modified:" + ids(summary.changedRadios) +
         "; deleted:" + ids(summary.deletedRadios) + (summary.inventoryChanged ? "; inventory modified" : "");
}

RadioRecord* PickRadio(const Collection& c) {
  if (c.radios.Empty()) return nullptr;
  return c.radios[static_cast<std::size_t>(*rc::gen::inRange(0, c.radios.Count()))];
}

// One command of the kinds Undo covers, made the way the program makes it. False when it had
// nothing to work on.
bool RunCommand(Collection& c, int command) {
  switch (command) {
    case 0: {  // Add, or Copy and Import of many radios at once
      const int n = *rc::gen::element(1, 1, 20);
      bool any = false;
      for (int i = 0; i < n; ++i) {
        auto radio = test::RandomRadio(c);
        radio->id = c.nextId++;
        any = AddRadio(c, std::move(radio)) != nullptr || any;
      }
      return any;
    }
    case 1: {  // Modify: sort fields too, so the radio moves in radio order
      RadioRecord* radio = PickRadio(c);
      if (radio == nullptr || !PrepareRadioChange(c, *radio)) return false;
      radio->brand = *rc::gen::inRange(0, c.tables[kTableBrandName].Count());
      radio->model = *rc::gen::element<std::string>("", "A", "Zenith 7", "Super");
      radio->year = *rc::gen::inRange(1920, 1970);
      radio->comments = test::RandomFieldText(true);
      c.radios.Remove(radio);
      InsertRadio(c.tables, radio, c.radios);
      return true;
    }
    case 2: {  // Delete (several radios at once now and then)
      const int n = *rc::gen::element(1, 2, 20);
      bool any = false;
      for (int i = 0; i < n; ++i) any = DeleteRadio(c, PickRadio(c)) || any;
      return any;
    }
    case 3: {  // Table Insert
      const auto& kinds = UserTableKindsInFileOrder();
      const int kind = kinds[static_cast<std::size_t>(*rc::gen::inRange(0, static_cast<int>(kinds.size())))];
      const std::string text =
          "Q" + *rc::gen::container<std::string>(*rc::gen::inRange(1, 4), rc::gen::inRange('a', 'z'));
      const auto& entries = c.tables[kind].entries;
      if (std::find(entries.begin(), entries.end(), text) != entries.end()) return false;
      return AddTableEntry(c, kind, text, *rc::gen::inRange(0, c.tables[kTableManufacturer].Count())) >= 0;
    }
    default: {  // an inventory dialog
      const InventoryList before = c.inventory;
      InventoryItem* item = InsertTube(PadTubeName("6V6"), c.inventory, c.aliases);
      item->kind = kTechTube;
      item->count = *rc::gen::inRange(0, 5);
      return c.inventory != before;
    }
  }
}

struct State {
  std::string file;
  std::optional<std::string> changes;  // as counted against the last save
};

RC_GTEST_PROP(Undo, AnySequenceOfCommandsUndosAndRedosEndsInTheCollectionOfTheCommandsInForce, ()) {
  MessageRecorder messages;
  Collection c = test::RandomCollection();
  RetakeAsLoadedCopy(c);
  UndoHistory history;
  std::vector<State> states{{FormatDataFile(c), ChangesText(c)}};
  std::size_t at = 0;  // states[at] is the collection now
  std::size_t saved = 0;

  const auto check = [&] {
    RC_ASSERT(FormatDataFile(c) == states[at].file);
    if (states[at].changes) RC_ASSERT(ChangesText(c) == *states[at].changes);
    RC_ASSERT(c.changed == (at != saved));  // the caption's unsaved mark
  };

  const int count = *rc::gen::inRange(1, 25);
  for (int i = 0; i < count; ++i) {
    const int action = *rc::gen::inRange(0, 9);
    if (action == 5) {
      RC_ASSERT(history.CanUndo() == (at > 0));
      history.Undo(c);
      if (at > 0) --at;
      check();
    } else if (action == 6) {
      RC_ASSERT(history.CanRedo() == (at + 1 < states.size()));
      history.Redo(c);
      if (at + 1 < states.size()) ++at;
      check();
    } else if (action == 7) {  // Save: changes count from here on
      RetakeAsLoadedCopy(c);
      history.MarkSaved();
      saved = at;
      for (State& s : states) s.changes.reset();
      states[at].changes = ChangesText(c);
    } else {
      const int command = action == 8 ? 0 : action;
      history.Begin(c, "Command");
      const bool made = RunCommand(c, command);
      c.changed = c.changed || made;
      const std::string file = FormatDataFile(c);
      if (history.End(c)) {
        states.resize(at + 1);
        if (saved > at) saved = SIZE_MAX;  // the saved collection can no longer be reached
        states.push_back({file, ChangesText(c)});
        ++at;
      } else {
        RC_ASSERT(file == states[at].file);
      }
    }
  }
  // Everything undone: the collection as loaded or last saved, unchanged when that was the load.
  while (history.CanUndo()) history.Undo(c);
  at = 0;
  check();
  if (saved == 0 && states[0].changes) RC_ASSERT(ChangesText(c) == "added:; modified:; deleted:");
}

// Past a save the radios as saved are what changes count against: taking back a Modify or an Add
// that was saved is a change again, and never changes the record as saved.
TEST(Undo, StepsTakenBackPastASaveCountAgainstTheSavedRadios) {
  Collection c = test::MakeCollection();
  test::AddLoadedRadio(c, {.id = 1, .model = "Saved"});
  RetakeAsLoadedCopy(c);
  UndoHistory history;
  history.Begin(c, "Modify");
  RadioRecord* radio = c.radios.FindById(1);
  PrepareRadioChange(c, *radio);
  radio->model = "Edited";
  history.End(c);
  history.Begin(c, "Add");
  AddRadio(c, test::MakeRadio(c, {.id = 2}));
  history.End(c);
  RetakeAsLoadedCopy(c);
  history.MarkSaved();

  history.Undo(c);
  history.Undo(c);
  EXPECT_EQ(ChangesText(c), "added:; modified: 1; deleted: 2") << "as the exit question would count";
  EXPECT_EQ(c.asLoaded.FindById(1)->model, "Edited") << "the radio as saved was changed by Undo";
  EXPECT_TRUE(c.changed);
  history.Redo(c);
  history.Redo(c);
  EXPECT_EQ(ChangesText(c), "added:; modified:; deleted:");
  EXPECT_FALSE(c.changed);
}

}  // namespace
}  // namespace korvel

// Rules that hold for every collection, checked on random ones (saving and loading, editing, Undo and
// Redo), and the change flags and summary that View > Changes and the exit question count on.
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <set>

#include "collection/changes.h"
#include "collection/data_file.h"
#include "collection/history.h"
#include "collection/radio_ops.h"
#include "collection/tubes.h"
#include "support/collection_builder.h"
#include "support/radio_fields.h"
#include "support/random_collection.h"
#include "util/alu_string.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

using test::AddLoadedRadio;
using test::DescribeRadio;
using test::MakeCollection;
using test::Position;

std::string DescribeAll(const Collection& c) {
  std::string out;
  for (const RadioRecord* r : c.radios) out += DescribeRadio(c.tables, *r) + "--\n";
  return out;
}

// Identifiers in increasing order, each after a blank.
std::string IdsText(const std::set<int>& ids) {
  std::string text;
  for (int id : ids) text += " " + std::to_string(id);
  return text;
}

std::set<int> IdsOf(const RadioList& list) {
  std::set<int> ids;
  for (const RadioRecord* r : list) ids.insert(r->id);
  return ids;
}

// What View > Changes and the exit question would report, in words.
std::string ChangesText(const Collection& c) {
  const ChangeSummary summary = SummarizeChanges(c);
  return "added:" + IdsText(IdsOf(summary.newRadios)) +
         "; modified:" + IdsText(IdsOf(summary.changedRadios)) +
         "; deleted:" + IdsText(IdsOf(summary.deletedRadios)) +
         (summary.inventoryChanged ? "; inventory modified" : "");
}

RC_GTEST_PROP(DataFile, ACollectionSavedAndLoadedIsTheSameCollection, ()) {
  const Collection original = test::RandomCollection();
  const std::string bytes = FormatDataFile(original);
  MessageRecorder messages;
  Collection back;
  ReadDataBytes(bytes, "radata.dat", back);
  RC_ASSERT(messages.Texts() == std::vector<std::string>{});

  for (int kind = 0; kind < kTableKindCount; ++kind) {
    RC_ASSERT(back.tables[kind].entries == original.tables[kind].entries);
    RC_ASSERT(back.asLoadedTables[kind].entries == original.tables[kind].entries);
  }
  RC_ASSERT(back.brandManufacturer == original.brandManufacturer);
  RC_ASSERT(back.nextId == original.nextId);
  RC_ASSERT(back.nextBackupNumber == original.nextBackupNumber);
  // Every field of every radio, in the user's words, so that a difference names the field.
  RC_ASSERT(DescribeAll(back) == DescribeAll(original));
  RC_ASSERT(back.asLoaded.Count() == original.radios.Count());
  RC_ASSERT(SummarizeChanges(back).changedRadios.Empty());
  RC_ASSERT(back.aliases == original.aliases);
  InventoryList stocked = original.inventory;  // a type with none in stock is not kept
  std::erase_if(stocked, [](const auto& item) { return item.second.count == 0; });
  RC_ASSERT(back.inventory == stocked);
  RC_ASSERT(back.asLoadedInventory == stocked);
  for (const RadioRecord* r : back.radios) {  // the filled tube slots come back packed at the front
    for (int i = 1; i < kTubeSlotCount; ++i) RC_ASSERT(!r->tubes[i].IsFilled() || r->tubes[i - 1].IsFilled());
  }
  RC_ASSERT(back.macros == original.macros);
  RC_ASSERT(FormatDataFile(back) == bytes);
}

std::vector<int> SetFlags(const ChangeFlags& flags) {
  std::vector<int> set;
  for (int i = 0; i < kChangeFlagCount; ++i) {
    if (flags[i]) set.push_back(i);
  }
  return set;
}

// A radio whose every field differs from its neighbours' values, with a trim so that the trim
// colour counts.
struct EditedRadio {
  Collection c = test::MakeCollection();
  RadioRecord* radio = nullptr;
  RadioRecord loaded;

  EditedRadio() {
    radio = test::AddLoadedRadio(c, {.id = 1, .brand = "Philco", .trim = "Gold", .trimColour = "Red"});
    radio->dateAcquired = "05Jan1995";
    radio->pictureFile = "pictures\\philco.jpg";
    loaded = *radio;
  }
  std::vector<int> Flags() const { return SetFlags(CompareRadio(c, *radio, loaded)); }
};

TEST(ChangeFlags, ChangingOneFieldMarksThatFieldAndNoOther) {
  for (const test::RadioField& f : test::AllRadioFields()) {
    EditedRadio e;
    RadioRecord& r = *e.radio;
    switch (f.kind) {
      case test::FieldKind::kTable: {
        const int count = f.table == kTableStatus ? StatusTable().Count() : e.c.tables[f.table].Count();
        // Another entry, but never Donated: that would move the Where Sold flag too.
        r.*f.number = (r.*f.number + 1) % count;
        if (f.table == kTableStatus && r.status == kStatusDonated) r.status = kStatusForSale;
        break;
      }
      case test::FieldKind::kYesNo:
        r.*f.number = 1 - r.*f.number;
        break;
      case test::FieldKind::kNumber:
        r.*f.number += 1;
        break;
      case test::FieldKind::kText:
      case test::FieldKind::kDate:
        r.*f.text += "x";
        break;
    }
    EXPECT_EQ(e.Flags(), std::vector<int>{f.changeFlag})
        << "changing " << f.name << " marked the wrong fields";
  }

  EditedRadio donated;
  donated.radio->status = donated.loaded.status = kStatusDonated;
  donated.radio->whereDisposed = "Museum";
  EXPECT_EQ(donated.Flags(), std::vector<int>{kChangedWhereDonated}) << "where a donated radio went";

  EditedRadio extra;
  extra.radio->extraPictureCount = 1;
  extra.radio->extraPictureFiles[0] = "b.jpg";
  EXPECT_EQ(extra.Flags(), std::vector<int>{kChangedPictures}) << "an extra picture added";
  extra.loaded = *extra.radio;
  extra.radio->extraPictureFiles[0] = "c.jpg";
  EXPECT_EQ(extra.Flags(), std::vector<int>{kChangedPictures}) << "an extra picture replaced";

  // Each tube function has a flag of its own among the tube flags; Unknown tubes have none.
  std::set<int> tubeFlags;
  for (int function = kFunctionNone + 1; function <= kFunctionUnknown; ++function) {
    EditedRadio e;
    e.radio->tubes.Set(0, function, "6V6");
    const std::vector<int> flags = e.Flags();
    if (function == kFunctionUnknown) {
      EXPECT_TRUE(flags.empty()) << "a tube of unknown function marked a change";
      continue;
    }
    ASSERT_EQ(flags.size(), 1u) << "adding a " << TubeFunctionTable().Text(function) << " tube";
    EXPECT_TRUE(flags[0] >= 21 && flags[0] <= 43) << TubeFunctionTable().Text(function);
    tubeFlags.insert(flags[0]);
  }
  EXPECT_EQ(tubeFlags.size(), static_cast<std::size_t>(kFunctionUnknown - 1))
      << "two tube functions share a flag";
}

// Add, Delete, Modify, Table Insert and Save in any order: the radios stay in radio order, every
// reference keeps its entry's text, and what is reported as new, changed and deleted since the last
// save is what was done (a radio changed back is unchanged, one renumbered by an insert too).
RC_GTEST_PROP(Collection, RadioOrderAndTablePositionsSurviveAnyEdits, ()) {
  Collection c = test::RandomCollection();
  std::map<const RadioRecord*, std::string> expected;  // every radio as it should read
  for (const RadioRecord* r : c.radios) expected[r] = DescribeRadio(c.tables, *r);
  std::map<int, std::string> asLoaded;  // by identifier
  for (const RadioRecord* r : c.radios) asLoaded[r->id] = expected[r];
  std::set<int> deletedIds, addedIds;
  MessageRecorder messages;  // an entry already there is refused with a warning
  int nextId = 1000000;

  const int steps = *rc::gen::inRange(1, 25);
  for (int step = 0; step < steps; ++step) {
    switch (*rc::gen::inRange(0, 5)) {
      case 0: {  // Add; now and then of a radio equal to one there, which is refused
        const bool equal = !c.radios.Empty() && *rc::gen::inRange(0, 5) == 0;
        auto radio = equal ? std::make_unique<RadioRecord>(*c.radios[0]) : test::RandomRadio(c);
        if (!equal) radio->id = nextId++;
        const std::string description = DescribeRadio(c.tables, *radio);
        RadioRecord* added = AddRadio(c, std::move(radio));
        RC_ASSERT((added == nullptr) == equal);
        if (added != nullptr) {
          expected[added] = description;
          addedIds.insert(added->id);
        }
        break;
      }
      case 1:
        if (!c.radios.Empty()) {
          RadioRecord* gone = c.radios[*rc::gen::inRange<std::size_t>(0, c.radios.Count())];
          expected.erase(gone);
          if (addedIds.erase(gone->id) == 0) deletedIds.insert(gone->id);
          RC_ASSERT(DeleteRadio(c, gone));
        }
        break;
      case 2:  // Modify, of a field outside the radio order; now and then back to what was loaded
        if (!c.radios.Empty()) {
          RadioRecord* edited = c.radios[*rc::gen::inRange<std::size_t>(0, c.radios.Count())];
          RC_ASSERT(PrepareRadioChange(c, *edited));
          const RadioRecord* loaded = c.asLoaded.FindById(edited->id);
          edited->comments = loaded != nullptr && *rc::gen::inRange(0, 3) == 0 ? loaded->comments
                                                                               : test::RandomFieldText(true);
          expected[edited] = DescribeRadio(c.tables, *edited);
        }
        break;
      case 3:  // Save: what stands becomes what was loaded
        RetakeAsLoadedCopy(c);
        asLoaded.clear();
        for (const RadioRecord* r : c.radios) asLoaded[r->id] = expected[r];
        addedIds.clear();
        deletedIds.clear();
        break;
      default: {
        const int kind = *rc::gen::elementOf(UserTableKindsInFileOrder());
        std::string text = test::RandomText(10);
        if (!text.empty() && !(text[0] >= '0' && text[0] <= '9')) AddTableEntry(c, kind, text);
        break;
      }
    }
    for (int i = 0; i + 1 < c.radios.Count(); ++i) {
      RC_ASSERT(CompareRadios(c.tables, *c.radios[i], *c.radios[i + 1]) < 0);
    }
    RC_ASSERT(static_cast<std::size_t>(c.radios.Count()) == expected.size());
    RC_ASSERT(c.radioStore.size() == expected.size());  // the collection owns each radio, once
    for (const RadioRecord* r : c.radios) RC_ASSERT(DescribeRadio(c.tables, *r) == expected.at(r));
    RC_ASSERT(
        std::is_sorted(c.tables[kTableBrandName].entries.begin(), c.tables[kTableBrandName].entries.end()));
    RC_ASSERT(c.brandManufacturer.size() == c.tables[kTableBrandName].entries.size());
  }

  std::set<int> changedIds;
  for (const RadioRecord* r : c.radios) {
    if (asLoaded.contains(r->id) && asLoaded.at(r->id) != expected.at(r)) changedIds.insert(r->id);
  }
  RC_ASSERT(ChangesText(c) == "added:" + IdsText(addedIds) + "; modified:" + IdsText(changedIds) +
                                  "; deleted:" + IdsText(deletedIds));
  for (const RadioRecord* r : SummarizeChanges(c).deletedRadios)
    RC_ASSERT(DescribeRadio(c.asLoadedTables, *r) == asLoaded.at(r->id));
}

// The five standard line-ups, each from its converter alone, from its RF amplifier alone where it
// has one, and on a set that takes no rectifier.
TEST(LineUp, EachStandardLineUpCompletesTheTubes) {
  struct LineUp {
    const char *rf, *converter, *ifAmplifier, *detector, *power, *powerWithRf, *rectifier;
  };
  const LineUp lineUps[] = {
      {"12SK7", "12SA7", "12SK7", "12SQ7", "50L6", "35L6", "35Z5"},
      {"12BA6", "12BE6", "12BA6", "12AV6", "50C5", "35C5", "35W4"},
      {nullptr, "1R5", "1U4", "1U5", "3V4", "3V4", "117Z3"},
      {nullptr, "6A8", "6K7", "6Q7", "6F6", "6F6", "5Y4"},
      {nullptr, "7A8", "14A7", "14B6", "50A5", "35A5", "35Y4"},
  };
  using Slots = std::vector<std::pair<int, std::string>>;
  const auto slots = [](const RadioRecord& r) {
    Slots s;
    for (int i = 0; i < kTubeSlotCount; ++i) {
      if (r.tubes[i].function != kFunctionNone) s.emplace_back(r.tubes[i].function, r.tubes[i].type);
    }
    return s;
  };
  // Battery where an insert has moved it (from 4 to 5): the rule follows the entry's text.
  const LookupTable power{
      .entries = {"AC", "AC/DC", "AC/DC/Battery", "Accumulator", "Automobile", "Battery"}};
  constexpr int kNoRectifierSource = 5;
  for (const LineUp& l : lineUps) {
    for (const bool rectifier : {true, false}) {
      RadioRecord fromConverter;
      fromConverter.powerSource = rectifier ? 4 : kNoRectifierSource;
      fromConverter.tubes.Set(0, kFunctionConverter, l.converter);
      CompleteLineUp(fromConverter, power);
      Slots want{{kFunctionConverter, l.converter},
                 {kFunctionIfAmplifier, l.ifAmplifier},
                 {kFunctionDetectorFirstAudio, l.detector},
                 {kFunctionPowerAmplifier, l.power}};
      if (rectifier) want.emplace_back(kFunctionRectifier, l.rectifier);
      EXPECT_EQ(slots(fromConverter), want) << "Search/Fill on a set with a " << l.converter << " converter";
      if (l.rf == nullptr) continue;

      RadioRecord fromRf;
      fromRf.powerSource = fromConverter.powerSource;
      fromRf.tubes.Set(0, kFunctionRfAmplifier, l.rf);
      CompleteLineUp(fromRf, power);
      want[3].second = l.powerWithRf;
      want.insert(want.begin(), {kFunctionRfAmplifier, l.rf});
      EXPECT_EQ(slots(fromRf), want) << "Search/Fill on a set with a " << l.rf << " RF amplifier";
    }
  }

  RadioRecord lowerCase;  // comparisons are exact
  lowerCase.tubes.Set(0, kFunctionConverter, "12sa7");
  CompleteLineUp(lowerCase, power);
  EXPECT_EQ(slots(lowerCase).size(), 1u) << "a line-up matched a converter in other letters";
  RadioRecord full;
  full.tubes.Set(0, kFunctionConverter, "12SA7");
  for (int i = 1; i < kTubeSlotCount; ++i) full.tubes.Set(i, kFunctionSecondAudio, "6C6");
  CompleteLineUp(full, power);
  EXPECT_EQ(full.tubes[29].type, "6C6") << "a line-up wrote over a full set of tubes";
}

// Tube names that start with a number of one to three digits sort by that number, whatever follows.
RC_GTEST_PROP(TubeNames, PaddedNamesSortInTheOrderOfTheirNumbers, ()) {
  const int a = *rc::gen::inRange(1, 1000);
  const int b = *rc::gen::inRange(1, 1000);
  const auto suffix = [] {
    std::string s = *rc::gen::container<std::string>(rc::gen::inRange<char>('A', '['));
    return s.substr(0, 5);
  };
  const std::string x = std::to_string(a) + "Z" + suffix();
  const std::string y = std::to_string(b) + "A" + suffix();
  const std::string px = PadTubeName(x), py = PadTubeName(y);
  if (a < b) RC_ASSERT(px < py);
  if (a > b) RC_ASSERT(px > py);
  RC_ASSERT(UnpaddedName(px) == x);
  RC_ASSERT(PadTubeText(std::to_string(b) + "*" + x).count == b);
  RC_ASSERT(PadTubeText(std::to_string(b) + "*" + x).name == px);
}

// The flags that depend on more than their own field, on one radio changed step by step.
TEST(ChangeFlags, TrimColourPicturesGrownTablesAndTubesCountAsTheUserSeesThem) {
  Collection c = MakeCollection();
  RadioRecord* r = AddLoadedRadio(c, {.id = 1,
                                      .cabinetStyle = "Table",
                                      .tubes = {{kFunctionConverter, "12SA7"},
                                                {kFunctionIfAmplifier, "12SK7"},
                                                {kFunctionUnknown, "X1"},
                                                {kFunctionRectifier, "35Z5"}}});
  const auto flags = [&] { return SetFlags(RadioChangeFlags(c, *r).flags); };
  r->trimColour = "Chrome";                // without a trim its colour is not compared
  r->extraPictureFiles[3] = "unused.jpg";  // beyond the count
  EXPECT_EQ(flags(), std::vector<int>{}) << "a trim colour without a trim or an unused picture counted";
  AddTableEntry(c, kTableCabinetStyle, "Bookshelf");
  EXPECT_EQ(flags(), std::vector<int>{}) << "a radio renumbered by a table insert counted";
  // Moving a tube to another slot changes nothing while each function keeps its tubes in order, and
  // Unknown tubes are not compared.
  r->tubes.Set(3, kFunctionNone, "");
  r->tubes.Set(7, kFunctionRectifier, "35Z5");
  r->tubes.Set(2, kFunctionUnknown, "X2");
  EXPECT_EQ(flags(), std::vector<int>{}) << "tubes moved, or of unknown function, counted";

  // A table grown since the load is no longer compared; the others still are.
  r->cabinetStyle = Position(c, kTableCabinetStyle, "Console");
  r->bands = Position(c, kTableBands, "AM/FM");
  r->tubes.Set(8, kFunctionIfAmplifier, "12SK7");  // one more IF amplifier
  r->tubes.Set(0, kFunctionConverter, "12BE6");
  std::vector<int> want{kChangedBands, TubeFunctionChangeFlag(kFunctionConverter),
                        TubeFunctionChangeFlag(kFunctionIfAmplifier)};
  std::sort(want.begin(), want.end());
  EXPECT_EQ(flags(), want);
}

TEST(ChangeSummary, DuplicateIdentifiersMatchTheFirstAsLoadedRecord) {
  Collection c = MakeCollection();
  AddLoadedRadio(c, {.id = 7, .brand = "Crosley"});
  AddLoadedRadio(c, {.id = 7, .brand = "Zenith"});
  // Both current radios are compared with the Crosley copy: the Zenith one differs in brand.
  ASSERT_EQ(ChangesText(c), "added:; modified: 7; deleted:");
  EXPECT_EQ(c.tables[kTableBrandName].Text(SummarizeChanges(c).changedRadios[0]->brand), "Zenith");
}

TEST(ChangeSummary, InventoryChangesByNameAndCount) {
  InventoryList loaded;
  loaded["   6V6"] = InventoryItem{"", 2, 0, kTechTube, "   6V6"};
  InventoryList now = loaded;
  EXPECT_FALSE(InventoryChanged(now, loaded));

  now["  12SK7"] = InventoryItem{"", 0, 0, kTechTube, "  12SK7"};  // listed but none in stock
  EXPECT_FALSE(InventoryChanged(now, loaded));
  now["  12SK7"].count = 1;
  EXPECT_TRUE(InventoryChanged(now, loaded));

  now = loaded;
  now["   6V6"].count = 3;
  EXPECT_TRUE(InventoryChanged(now, loaded));
  now = loaded;
  now["   6V6"].kind = kTechTransistor;  // written under the other heading
  EXPECT_TRUE(InventoryChanged(now, loaded));
  now.clear();
  EXPECT_TRUE(InventoryChanged(now, loaded));
}

// Radios added, changed and deleted, then saved: RadioOrderAndTablePositionsSurviveAnyEdits. Here what else a
// save takes as the new reference: the inventory, the tables, and a radio's copy without its registry handle.
TEST(AsLoadedCopy, AfterASaveChangesCountFromWhatWasSaved) {
  Collection c = MakeCollection();
  RadioRecord* kept = AddLoadedRadio(c, {.id = 1, .cabinetStyle = "Table"});
  c.inventory["6SN7"] = InventoryItem{"", 3, 0, kTechTube, "6SN7"};
  c.asLoadedInventory = c.inventory;
  kept->pictureIndex = 7;
  AddTableEntry(c, kTableCabinetStyle, "Bookshelf");
  c.inventory["6SN7"].count = 1;
  c.inventory["12AX7"] = InventoryItem{"", 0, 0, kTechTube, "12AX7"};  // none in stock: not kept in the file
  ASSERT_TRUE(SummarizeChanges(c).inventoryChanged);

  RetakeAsLoadedCopy(c);
  EXPECT_FALSE(c.changed);
  EXPECT_FALSE(SummarizeChanges(c).inventoryChanged);
  ASSERT_TRUE(PrepareRadioChange(c, *kept));
  EXPECT_EQ(c.asLoaded.FindById(1)->pictureIndex, -1) << "the copy as saved shares a registry handle";
  kept->cabinetStyle = Position(c, kTableCabinetStyle, "Bookshelf");
  EXPECT_TRUE(RadioChangeFlags(c, *kept).flags[kChangedCabinetStyle]) << "the table as saved is not compared";
  c.inventory.erase("12AX7");
  EXPECT_FALSE(SummarizeChanges(c).inventoryChanged);
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
      const int kind = *rc::gen::elementOf(UserTableKindsInFileOrder());
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

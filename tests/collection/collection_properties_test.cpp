// Rules that hold for every collection, checked on random ones.
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "collection/changes.h"
#include "collection/data_file.h"
#include "collection/radio_ops.h"
#include "collection/tubes.h"
#include "support/collection_builder.h"
#include "support/radio_fields.h"
#include "support/random_collection.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

using test::DescribeRadio;

std::string DescribeAll(const Collection& c) {
  std::string out;
  for (const RadioRecord* r : c.radios) out += DescribeRadio(c.tables, *r) + "--\n";
  return out;
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
  std::vector<int> Flags() const {
    std::vector<int> set;
    const ChangeFlags flags = CompareRadio(c, *radio, loaded);
    for (int i = 0; i < kChangeFlagCount; ++i) {
      if (flags[i]) set.push_back(i);
    }
    return set;
  }
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
      case 0: {
        auto radio = test::RandomRadio(c);
        radio->id = nextId++;
        const std::string description = DescribeRadio(c.tables, *radio);
        if (RadioRecord* added = AddRadio(c, std::move(radio))) {
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
    for (const RadioRecord* r : c.radios) RC_ASSERT(DescribeRadio(c.tables, *r) == expected.at(r));
    RC_ASSERT(
        std::is_sorted(c.tables[kTableBrandName].entries.begin(), c.tables[kTableBrandName].entries.end()));
    RC_ASSERT(c.brandManufacturer.size() == c.tables[kTableBrandName].entries.size());
  }

  const ChangeSummary s = SummarizeChanges(c);
  std::set<int> newIds, deleted;
  for (const RadioRecord* r : s.newRadios) newIds.insert(r->id);
  for (const RadioRecord* r : s.deletedRadios) deleted.insert(r->id);
  std::set<int> changed, changedIds;
  for (const RadioRecord* r : s.changedRadios) changed.insert(r->id);
  for (const RadioRecord* r : c.radios) {
    if (asLoaded.contains(r->id) && asLoaded.at(r->id) != expected.at(r)) changedIds.insert(r->id);
  }
  RC_ASSERT(changed == changedIds);
  RC_ASSERT(newIds == addedIds);
  RC_ASSERT(deleted == deletedIds);
  for (const RadioRecord* r : s.deletedRadios)
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

}  // namespace
}  // namespace korvel

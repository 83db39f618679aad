#include <gtest/gtest.h>

#include "collection/changes.h"
#include "collection/radio_ops.h"
#include "support/collection_builder.h"

namespace korvel {
namespace {

using test::AddLoadedRadio;
using test::MakeCollection;
using test::Position;

std::vector<int> SetFlags(const ChangeFlags& flags) {
  std::vector<int> set;
  for (int i = 0; i < kChangeFlagCount; ++i) {
    if (flags[i]) set.push_back(i);
  }
  return set;
}

// Every field's own flag: collection_properties_test. These are the flags that depend on more.
TEST(ChangeFlags, TrimColourIsIgnoredWithNoTrimAndUnusedExtraPicturesNotCompared) {
  Collection c = MakeCollection();
  RadioRecord* r = AddLoadedRadio(c, {.id = 1, .trim = "No Trim"});
  r->trimColour = "Chrome";
  r->extraPictureFiles[3] = "unused.jpg";  // beyond the count
  EXPECT_FALSE(RadioChangeFlags(c, *r).flags.any());
}

TEST(ChangeFlags, AGrownTableIsNoLongerCompared) {
  Collection c = MakeCollection();
  RadioRecord* r = AddLoadedRadio(c, {.id = 1, .cabinetStyle = "Table"});
  AddTableEntry(c, kTableCabinetStyle, "Bookshelf");
  EXPECT_FALSE(RadioChangeFlags(c, *r).flags.any());  // renumbered, and still the same text
  r->cabinetStyle = Position(c, kTableCabinetStyle, "Console");
  EXPECT_FALSE(RadioChangeFlags(c, *r).flags[kChangedCabinetStyle]);
  r->bands = Position(c, kTableBands, "AM/FM");  // another table still is
  EXPECT_TRUE(RadioChangeFlags(c, *r).flags[kChangedBands]);
}

TEST(ChangeFlags, TubesCompareFunctionByFunctionInSlotOrder) {
  Collection c = MakeCollection();
  RadioRecord* r = AddLoadedRadio(c, {.id = 1,
                                      .tubes = {{kFunctionConverter, "12SA7"},
                                                {kFunctionIfAmplifier, "12SK7"},
                                                {kFunctionUnknown, "X1"},
                                                {kFunctionRectifier, "35Z5"}}});
  // Moving a tube to another slot changes nothing while each function keeps its tubes in order.
  r->tubes.Set(3, kFunctionNone, "");
  r->tubes.Set(7, kFunctionRectifier, "35Z5");
  EXPECT_FALSE(RadioChangeFlags(c, *r).flags.any());

  r->tubes.Set(2, kFunctionUnknown, "X2");  // Unknown tubes are not compared
  EXPECT_FALSE(RadioChangeFlags(c, *r).flags.any());

  r->tubes.Set(8, kFunctionIfAmplifier, "12SK7");  // one more IF amplifier
  r->tubes.Set(0, kFunctionConverter, "12BE6");
  EXPECT_EQ(SetFlags(RadioChangeFlags(c, *r).flags),
            (std::vector<int>{TubeFunctionChangeFlag(kFunctionConverter),
                              TubeFunctionChangeFlag(kFunctionIfAmplifier)}));
  EXPECT_EQ(TubeFunctionChangeFlag(kFunctionRfAmplifier), 21);
  EXPECT_EQ(TubeFunctionChangeFlag(kFunctionBallast), 43);
  EXPECT_EQ(TubeFunctionChangeFlag(kFunctionUnknown), 66);
}

TEST(ChangeFlags, ANewRadioHasEveryFlag) {
  Collection c = MakeCollection();
  RadioRecord* added = AddRadio(c, test::MakeRadio(c, {.id = 5}));
  const RadioChanges changes = RadioChangeFlags(c, *added);
  EXPECT_TRUE(changes.isNew);
  EXPECT_TRUE(changes.flags.all());
  EXPECT_TRUE(changes.flags[kChangedNewRadio]);
}

// What a session of edits leaves, with the radios as loading holds them (each its own as-loaded
// copy until it changes): a radio changed and changed back is unchanged; after a table insertion
// renumbered the references, a radio edited or deleted later is still compared and reported as it
// was loaded.
TEST(ChangeSummary, ChangedBackRenumberedAndDeletedRadios) {
  Collection c = MakeCollection();
  using test::RadioFields;
  for (const RadioFields& fields :
       {RadioFields{.id = 1, .brand = "Philco", .model = "90", .cabinetStyle = "Table"},
        RadioFields{.id = 2, .brand = "Zenith", .model = "5G500"},
        RadioFields{.id = 3, .brand = "Zenith", .model = "7G605"},
        RadioFields{.id = 4, .brand = "Zenith", .model = "H500"}}) {
    AddRadio(c, test::MakeRadio(c, fields));
  }
  ShareAsLoadedCopy(c);
  RadioRecord* restored = c.radios.FindById(1);
  RadioRecord* renumbered = c.radios.FindById(2);
  RadioRecord* removed = c.radios.FindById(3);
  RadioRecord* untouched = c.radios.FindById(4);

  const RadioRecord before = *restored;
  ASSERT_TRUE(PrepareRadioChange(c, *restored));
  restored->model = "90B";
  restored->value = 120;
  restored->tubes.Set(0, kFunctionRectifier, "80");
  EXPECT_TRUE(RadioChangeFlags(c, *restored).flags.any());
  ASSERT_TRUE(PrepareRadioChange(c, *restored));  // a second time keeps the first copy
  restored->model = before.model;
  restored->value = before.value;
  restored->tubes = before.tubes;

  // "Admiral" sorts first: every brand reference moves up by one, the unchanged radios' too.
  ASSERT_EQ(AddTableEntry(c, kTableBrandName, "Admiral"), 0);
  EXPECT_EQ(c.tables[kTableBrandName].Text(renumbered->brand), "Zenith");
  EXPECT_FALSE(RadioChangeFlags(c, *renumbered).flags.any());
  ASSERT_TRUE(PrepareRadioChange(c, *renumbered));
  renumbered->year = 1951;
  ASSERT_TRUE(DeleteRadio(c, removed));

  const ChangeSummary s = SummarizeChanges(c);
  EXPECT_TRUE(s.newRadios.Empty());
  EXPECT_EQ(s.changedRadios.Records(), std::vector<RadioRecord*>{renumbered});
  EXPECT_EQ(SetFlags(RadioChangeFlags(c, *renumbered).flags), std::vector<int>{kChangedYear});
  EXPECT_FALSE(RadioChangeFlags(c, *untouched).flags.any());
  ASSERT_EQ(s.deletedRadios.Count(), 1);
  EXPECT_EQ(s.deletedRadios[0]->id, 3);
  EXPECT_EQ(s.deletedRadios[0]->model, "7G605");
  const LookupTable& brandsThen = c.asLoadedTables[kTableBrandName];
  EXPECT_EQ(brandsThen.Text(s.deletedRadios[0]->brand), "Zenith");
  EXPECT_EQ(brandsThen.Text(c.asLoaded.FindById(2)->brand), "Zenith");
  EXPECT_EQ(c.asLoaded.FindById(2)->year, 1940);

  // Once saved, the radios as they stand are the reference, and the old table is the new one.
  RetakeAsLoadedCopy(c);
  EXPECT_EQ(SummarizeChanges(c).changedRadios.Count() + SummarizeChanges(c).deletedRadios.Count(), 0);
  ASSERT_TRUE(PrepareRadioChange(c, *untouched));
  untouched->brand = Position(c, kTableBrandName, "Admiral");
  EXPECT_EQ(SetFlags(RadioChangeFlags(c, *untouched).flags), std::vector<int>{kChangedBrand});
}

TEST(ChangeSummary, DuplicateIdentifiersMatchTheFirstAsLoadedRecord) {
  Collection c = MakeCollection();
  AddLoadedRadio(c, {.id = 7, .brand = "Crosley"});
  AddLoadedRadio(c, {.id = 7, .brand = "Zenith"});
  // Both current radios are compared with the Crosley copy: the Zenith one differs in brand.
  const ChangeSummary s = SummarizeChanges(c);
  ASSERT_EQ(s.changedRadios.Count(), 1);
  EXPECT_EQ(c.tables[kTableBrandName].Text(s.changedRadios[0]->brand), "Zenith");
  EXPECT_TRUE(s.newRadios.Empty());
  EXPECT_TRUE(s.deletedRadios.Empty());
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

}  // namespace
}  // namespace korvel

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

// Every field's own flag: collection_properties_test; a new radio's, every one of them, by the
// description highlighting all it shows. These are the flags that depend on more.
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

InventoryItem Tube(const std::string& name, int count) {
  InventoryItem item;
  item.name = name;
  item.count = count;
  item.kind = kTechTube;
  return item;
}

TEST(AsLoadedCopy, AfterASaveChangesCountFromWhatWasSaved) {
  Collection c = MakeCollection();
  RadioRecord* kept = AddLoadedRadio(c, {.id = 1, .cabinetStyle = "Table"});
  RadioRecord* gone = AddLoadedRadio(c, {.id = 2, .model = "90"});
  c.inventory.emplace("6SN7", Tube("6SN7", 3));
  c.asLoadedInventory = c.inventory;

  // One change of every kind the summary counts.
  kept->comments = "Recapped";
  kept->pictureIndex = 7;  // a registry handle, which the reference must not share
  ASSERT_TRUE(DeleteRadio(c, gone));
  AddRadio(c, test::MakeRadio(c, {.id = 3, .model = "Bullseye"}));
  AddTableEntry(c, kTableCabinetStyle, "Bookshelf");
  c.inventory["6SN7"].count = 1;
  c.inventory.emplace("12AX7", Tube("12AX7", 0));  // not in stock: the file does not keep it
  const ChangeSummary before = SummarizeChanges(c);
  ASSERT_EQ(before.newRadios.Count() + before.changedRadios.Count() + before.deletedRadios.Count(), 3);
  ASSERT_TRUE(before.inventoryChanged);

  RetakeAsLoadedCopy(c);
  EXPECT_FALSE(c.changed);
  const ChangeSummary after = SummarizeChanges(c);
  EXPECT_TRUE(after.newRadios.Empty());
  EXPECT_TRUE(after.changedRadios.Empty());
  EXPECT_TRUE(after.deletedRadios.Empty());
  EXPECT_FALSE(after.inventoryChanged);
  ASSERT_EQ(c.asLoaded.Count(), 2);

  // A radio about to change leaves its copy as saved; and with the tables as saved, table fields
  // are compared again.
  ASSERT_TRUE(PrepareRadioChange(c, *kept));
  EXPECT_EQ(c.asLoaded.FindById(1)->pictureIndex, -1);  // a registry handle is not part of the copy
  EXPECT_EQ(c.asLoaded.FindById(1)->comments, "Recapped");
  kept->cabinetStyle = Position(c, kTableCabinetStyle, "Bookshelf");
  kept->comments = "Recapped again";
  const ChangeFlags flags = RadioChangeFlags(c, *kept).flags;
  EXPECT_TRUE(flags[kChangedCabinetStyle]);
  EXPECT_TRUE(flags[kChangedComments]);
  c.inventory.erase("12AX7");
  EXPECT_FALSE(SummarizeChanges(c).inventoryChanged);
}

}  // namespace
}  // namespace korvel

#include <gtest/gtest.h>

#include "collection/changes.h"
#include "collection/radio_ops.h"
#include "support/collection_builder.h"

namespace korvel {
namespace {

using test::AddLoadedRadio;
using test::MakeCollection;
using test::Position;

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

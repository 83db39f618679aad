#include <gtest/gtest.h>

#include "collection/radio_list.h"
#include "support/collection_builder.h"

namespace korvel {
namespace {

using test::MakeCollection;
using test::MakeRadio;
using test::RadioFields;

TEST(RadioOrder, KeysComeInTheirOrderAndFallBackToTheIdentifier) {
  Collection c = MakeCollection();
  // Brand beats model, model beats year, year beats everything after it.
  auto philco = MakeRadio(c, {.id = 1, .brand = "Philco", .model = "A", .year = 1950});
  auto crosley = MakeRadio(c, {.id = 2, .brand = "Crosley", .model = "Z", .year = 1930});
  EXPECT_GT(CompareRadios(c.tables, *philco, *crosley), 0);

  auto early = MakeRadio(c, {.id = 9, .brand = "Philco", .model = "A", .year = 1930});
  EXPECT_LT(CompareRadios(c.tables, *early, *philco), 0);

  // Status counts before the colour; the identifier decides last.
  auto sold = MakeRadio(c, {.id = 1, .brand = "Philco", .model = "A", .year = 1950, .status = kStatusSold});
  auto restored =
      MakeRadio(c, {.id = 2, .brand = "Philco", .model = "A", .year = 1950, .status = kStatusRestored});
  EXPECT_GT(CompareRadios(c.tables, *sold, *restored), 0);

  auto twin = MakeRadio(c, {.id = 3, .brand = "Philco", .model = "A", .year = 1950});
  EXPECT_LT(CompareRadios(c.tables, *philco, *twin), 0);
  EXPECT_EQ(CompareRadios(c.tables, *philco, *philco), 0);
}

TEST(RadioOrder, ModelsCompareByteWise) {
  Collection c = MakeCollection();
  auto upper = MakeRadio(c, {.id = 1, .model = "Zephyr"});
  auto lower = MakeRadio(c, {.id = 2, .model = "alpha"});
  EXPECT_LT(CompareRadios(c.tables, *upper, *lower), 0);  // 'Z' (90) before 'a' (97)
}

TEST(RadioOrder, NoTrimIgnoresTrimColour) {
  Collection c = MakeCollection();
  auto a = MakeRadio(c, {.id = 2, .trim = "No Trim", .trimColour = "Red"});
  auto b = MakeRadio(c, {.id = 1, .trim = "No Trim", .trimColour = "Blue"});
  EXPECT_GT(CompareRadios(c.tables, *a, *b), 0);  // the colours are passed over: id 2 after id 1

  auto goldRed = MakeRadio(c, {.id = 1, .trim = "Gold", .trimColour = "Red"});
  auto goldBlue = MakeRadio(c, {.id = 2, .trim = "Gold", .trimColour = "Blue"});
  EXPECT_GT(CompareRadios(c.tables, *goldRed, *goldBlue), 0);  // "Red" after "Blue"
}

TEST(RadioOrder, ATrimPositionOutsideItsTableIsNotNoTrim) {
  Collection c = MakeCollection();
  auto a = MakeRadio(c, {.id = 1, .trimColour = "B"});
  auto b = MakeRadio(c, {.id = 2, .trimColour = "A"});
  a->cabinetTrim = b->cabinetTrim = 999;  // from a damaged file: must not crash, colours count
  EXPECT_GT(CompareRadios(c.tables, *a, *b), 0);
}

TEST(RadioList, InsertionKeepsOrderAndRejectsEqualRecords) {
  Collection c = MakeCollection();
  auto zenith = MakeRadio(c, {.id = 1, .brand = "Zenith"});
  auto crosley = MakeRadio(c, {.id = 2, .brand = "Crosley"});
  auto rca = MakeRadio(c, {.id = 3, .brand = "RCA Victor"});
  RadioList list;
  EXPECT_TRUE(InsertRadio(c.tables, zenith.get(), list));
  EXPECT_TRUE(InsertRadio(c.tables, crosley.get(), list));
  EXPECT_TRUE(InsertRadio(c.tables, rca.get(), list));
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list[0], crosley.get());
  EXPECT_EQ(list[1], rca.get());
  EXPECT_EQ(list[2], zenith.get());

  // The same pointer twice, or another record equal in every key, leaves the list as it was.
  EXPECT_FALSE(InsertRadio(c.tables, rca.get(), list));
  auto rcaAgain = MakeRadio(c, {.id = 3, .brand = "RCA Victor"});
  EXPECT_FALSE(InsertRadio(c.tables, rcaAgain.get(), list));
  EXPECT_EQ(list.Count(), 3);

  // Same identifier, different model: a different radio.
  auto rcaOther = MakeRadio(c, {.id = 3, .brand = "RCA Victor", .model = "9K2"});
  EXPECT_TRUE(InsertRadio(c.tables, rcaOther.get(), list));
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.FindById(3), list[1]);  // the first with that identifier
}

TEST(RadioList, RemoveFindAndIndexWorkOnPointers) {
  Collection c = MakeCollection();
  auto a = MakeRadio(c, {.id = 1, .brand = "Crosley"});
  auto b = MakeRadio(c, {.id = 2, .brand = "Philco"});
  RadioList list;
  InsertRadio(c.tables, a.get(), list);
  InsertRadio(c.tables, b.get(), list);
  EXPECT_EQ(list.IndexOf(b.get()), 1);
  EXPECT_EQ(list.FindById(7), nullptr);
  EXPECT_TRUE(list.Remove(a.get()));
  EXPECT_FALSE(list.Remove(a.get()));
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.IndexOf(a.get()), -1);
}

TEST(RadioList, BuildingInOneGoMatchesInsertingOneByOne) {
  Collection c = MakeCollection();
  const char* brands[] = {"Zenith", "Crosley", "Philco", "Emerson", "RCA Victor", "Unknown"};
  std::vector<std::unique_ptr<RadioRecord>> radios;
  for (int i = 0; i < 60; ++i) {
    radios.push_back(MakeRadio(c, {.id = (i * 37) % 23,
                                   .brand = brands[i % 6],
                                   .model = (i % 4) ? "5A" : "X",
                                   .year = 1930 + (i * 7) % 5}));
  }
  radios.push_back(std::make_unique<RadioRecord>(*radios[5]));  // an equal copy, given later
  std::vector<RadioRecord*> pointers;
  RadioList inserted;
  for (auto& r : radios) {
    pointers.push_back(r.get());
    InsertRadio(c.tables, r.get(), inserted);
  }
  const RadioList built = BuildRadioList(c.tables, pointers);
  EXPECT_EQ(built.Records(), inserted.Records());
  EXPECT_NE(built.IndexOf(radios[5].get()), -1);  // the first of two equal records stays
  EXPECT_EQ(built.IndexOf(radios.back().get()), -1);
}

TEST(Collection, OwnsItsRadiosAndDropsDuplicates) {
  Collection c = MakeCollection();
  RadioRecord* a = AddRadio(c, MakeRadio(c, {.id = 1, .brand = "Zenith"}));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(AddRadio(c, MakeRadio(c, {.id = 1, .brand = "Zenith"})), nullptr);
  EXPECT_EQ(c.radios.Count(), 1);
  EXPECT_EQ(c.radioStore.size(), 1u);
  EXPECT_TRUE(DeleteRadio(c, a));
  EXPECT_EQ(c.radios.Count(), 0);
  EXPECT_TRUE(c.radioStore.empty());
}

}  // namespace
}  // namespace korvel

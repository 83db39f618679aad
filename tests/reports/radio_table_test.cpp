#include <gtest/gtest.h>

#include "reports/radio_table.h"
#include "support/collection_builder.h"

namespace korvel {
namespace {

// Sorting by a header: numbers and money by value, dates by their day, table entries and texts
// by their letters whatever their case; ties keep radio order in either direction.
TEST(RadioTable, SortsByEachKindOfColumnAndKeepsRadioOrderOnTies) {
  Collection c = test::MakeCollection();
  const struct {
    test::RadioFields fields;
    int value;
    const char* acquired;
  } radios[] = {
      {{.id = 1, .brand = "Crosley", .model = "a5", .year = 1932, .cabinetStyle = "Table"}, 50, "01Feb1999"},
      {{.id = 2, .brand = "Philco", .model = "B10", .year = 1938, .cabinetStyle = "Cathedral"},
       500,
       "15Jan2001"},
      {{.id = 3, .brand = "Philco", .model = "b2", .year = 1938, .cabinetStyle = "Console"}, 50, ""},
      {{.id = 4, .brand = "Zenith", .model = "A1", .year = 1951, .cabinetStyle = "Tombstone"},
       1200,
       "03Mar1998"},
      {{.id = 5, .brand = "Crosley", .model = "Z", .year = 1932, .cabinetStyle = "Cathedral"},
       9,
       "31Dec2000"},
  };
  for (const auto& r : radios) {
    RadioRecord* radio = test::AddLoadedRadio(c, r.fields);
    radio->value = r.value;
    radio->dateAcquired = r.acquired;
  }
  ASSERT_EQ(test::Ids(c.radios), (std::vector<int>{5, 1, 2, 3, 4}));  // radio order: "Z" before "a5"

  const struct {
    const char* column;
    int number;
    bool descending;
    std::vector<int> ids;
  } cases[] = {
      {"Year", 4, false, {5, 1, 2, 3, 4}},
      {"Year", 4, true, {4, 2, 3, 5, 1}},
      {"Value", 29, false, {5, 1, 3, 2, 4}},  // $9 before $50, not after
      {"Value", 29, true, {4, 2, 1, 3, 5}},
      {"Date Acquired", 22, false, {3, 4, 1, 5, 2}},  // no date first
      {"Cabinet Style", 6, false, {5, 2, 3, 1, 4}},
      {"Model", 2, false, {4, 1, 2, 3, 5}},  // A1, a5, B10, b2, Z
  };
  for (const auto& [name, column, descending, expected] : cases) {
    ASSERT_STREQ(RadioColumnAt(column).name, name);
    std::vector<RadioRecord*> rows = c.radios.Records();
    SortRadioRows(c.tables, rows, column, descending);
    std::vector<int> ids;
    for (const RadioRecord* r : rows) ids.push_back(r->id);
    EXPECT_EQ(ids, expected) << "sorted by " << name << (descending ? " descending" : " ascending");
  }
  const RadioRecord& second = *c.radios.FindById(2);
  EXPECT_EQ(RadioColumnText(c.tables, second, 29), "$500");
  EXPECT_EQ(RadioColumnText(c.tables, second, 22), "15Jan2001");
  EXPECT_EQ(RadioColumnText(c.tables, second, 6), "Cathedral");
  EXPECT_EQ(RadioColumnText(c.tables, second, 1), "Philco");
}

}  // namespace
}  // namespace korvel

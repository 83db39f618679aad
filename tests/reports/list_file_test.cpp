// The radio list file and the table view's columns and sorting.
#include <gtest/gtest.h>

#include "reports/list_file.h"
#include "reports/radio_table.h"
#include "support/collection_builder.h"

namespace korvel {
namespace {

using test::Position;

TEST(ListFile, FourLinesARadioAndTheCount) {
  Collection c = test::MakeCollection();
  c.tables[kTableBrandName].entries.push_back("Westinghouse Electric");  // 21 characters
  c.brandManufacturer.push_back(0);
  RadioRecord* r = test::AddLoadedRadio(c, {.id = 5,
                                            .brand = "Westinghouse Electric",
                                            .model = "H-125",
                                            .year = 1946,
                                            .cabinetStyle = "Table",
                                            .cabinetColour = "Walnut",
                                            .trim = "Chrome"});
  r->serialNumber = "S42";
  r->cabinetComposition = Position(c, kTableCabinetComposition, "Wood");
  r->dialPosition = Position(c, kTablePosition, "Front");
  r->tuningDial = Position(c, kTableTuningDial, "Slide Rule");
  r->grillPosition = Position(c, kTablePosition, "Front");
  r->grillStyle = Position(c, kTableGrillStyle, "Cloth");
  r->purchasePrice = 20;
  r->restorationCost = 35;
  r->value = 120;
  RadioRecord* plain = test::AddLoadedRadio(
      c, {.id = 1234, .brand = "Zenith", .model = "X", .year = 1950, .trim = "No Trim", .trimColour = "Red"});

  RadioList selection;
  InsertRadio(c.tables, r, selection);
  InsertRadio(c.tables, plain, selection);
  EXPECT_EQ(RadioListText(c, selection),
            // Selection order: the brand added last sorts after Zenith by its position.
            "1234  Zenith\tX\t\t1950  Unknown  To Be Restored  \n"
            "\t\tUnknown\n"
            "\t\tUnknown Unknown Dial, Unknown Unknown Grill\n"
            "\t\t$0 + $0 < $0\n"
            "\n"
            "  5  Westinghou\tH-125\tS42\t1946  Table  To Be Restored  \n"
            "\t\tWalnut Wood, Chrome\n"
            "\t\tFront Slide Rule Dial, Front Cloth Grill\n"
            "\t\t$20 + $35 < $120\n"
            "\n"
            "2\n");
  EXPECT_EQ(RadioListText(c, RadioList()), "0\n");
}

// The brand is cut at ten characters as the reader counts them, never inside a UTF-8 letter.
TEST(ListFile, TheBrandIsCutAtTenCharactersNotBytes) {
  const std::pair<const char*, const char*> cases[] = {
      {"T\u00e9l\u00e9funken Werke", "T\u00e9l\u00e9funken"},
      {"\u00d6lpr\u00fcfger\u00e4te", "\u00d6lpr\u00fcfger\u00e4"},
      {"Caf\xe9 Radio Werke", "Caf\xe9 Radio"},  // Windows-1252: a byte is a character
      {"Philco", "Philco"},
  };
  for (const auto& [brand, cut] : cases) {
    Collection c = test::MakeCollection();
    c.tables[kTableBrandName].entries.push_back(brand);
    c.brandManufacturer.push_back(0);
    RadioRecord* r = test::AddLoadedRadio(c, {.id = 1, .brand = brand, .model = "X", .year = 1950});
    RadioList selection;
    InsertRadio(c.tables, r, selection);
    const std::string text = RadioListText(c, selection);
    EXPECT_EQ(text.substr(0, text.find('\t')), std::string("  1  ") + cut) << brand;
  }
}

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
  for (const auto& [column, text] :
       {std::pair{29, "$500"}, {22, "15Jan2001"}, {6, "Cathedral"}, {1, "Philco"}})
    EXPECT_EQ(RadioColumnText(c.tables, second, column), text) << "column " << RadioColumnAt(column).name;
}

}  // namespace
}  // namespace korvel

#include <gtest/gtest.h>

#include "reports/list_file.h"
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

}  // namespace
}  // namespace korvel

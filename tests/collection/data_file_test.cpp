#include <gtest/gtest.h>

#include <algorithm>

#include "collection/changes.h"
#include "collection/data_file.h"
#include "collection/storable_text.h"
#include "collection/tubes.h"
#include "support/collection_builder.h"
#include "support/temp_dir.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

using test::MakeCollection;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

Collection ReadBack(const std::string& bytes, MessageRecorder& messages) {
  TempDir dir;
  WriteFile(dir / "radata.dat", bytes);
  Collection c;
  EXPECT_TRUE(ReadDataFile(dir / "radata.dat", dir / "radata.org", c).opened);
  (void)messages;
  return c;
}

// Every field and table read back, long texts of any length included: the property in
// collection_properties_test; the chunks of 72 are read in data_file_versions_test.
TEST(DataFile, LayoutIsTheOneOlderProgramsRead) {
  Collection c;
  c.tables[kTableManufacturer].entries = {"Philco Corp."};
  c.tables[kTableBrandName].entries = {"Philco"};
  c.brandManufacturer = {0};
  c.tables[kTableCabinetTrim].entries = {"No Trim"};
  c.nextId = 2;
  auto r = std::make_unique<RadioRecord>();
  r->id = 1;
  r->model = "90";
  r->year = 1931;
  r->technology = kTechTube;
  r->status = kStatusSold;
  r->tubes.Set(0, kFunctionRectifier, "80");
  r->comments = std::string(72, 'c') + "x";
  AddRadio(c, std::move(r));
  c.aliases.emplace(" ECC32", TubeAlias{" ECC32", "   6SN7"});
  ParseInventoryLine("2*6V6", kTechTube, c.inventory, c.aliases);

  const std::string expected =
      "#27 --- Version ---\r\n1 --- Number of Radios ---\r\n2 --- Next ID ---\r\n"
      "0 --- Next Backup File Number ---\r\n"
      "1 --- Manufacturer ---\r\n0Philco Corp.\r\n"
      "1 --- Brand Name ---\r\n0Philco\r\n0\r\n"
      "0 --- Bands ---\r\n0 --- Cabinet Composition ---\r\n0 --- Cabinet Style ---\r\n"
      "1 --- Cabinet Trim ---\r\n0No Trim\r\n"
      "0 --- Chassis Condition ---\r\n0 --- Circuit Type ---\r\n0 --- Condition ---\r\n"
      "0 --- Grill Style ---\r\n0 --- Position ---\r\n0 --- Power Source ---\r\n0 --- Tuning Dial ---\r\n"
      // The radio: id, brand, model, serial, year, manufacturer, style, composition, colour, trim,
      // trim colour, dial, dial position, grill, grill position, push buttons, telephone dial,
      // power, bands, circuit, technology, tubes.
      "1 --- Radio ---\r\n0Philco\r\n90\r\n\r\n1931\r\n0Philco Corp.\r\n0\r\n0\r\n\r\n0No Trim\r\n\r\n"
      "0\r\n0\r\n0\r\n0\r\n0No\r\n0No\r\n0\r\n0\r\n0\r\n3Tube\r\n1\r\n20Rectifier\r\n80\r\n"
      // acquired, price, where, status, chassis, condition, damage, value, source, restored,
      // cost, repairs, disposed, price, where, schematic, references, comments, extras.
      "\r\n0\r\n\r\n10Sold\r\n0\r\n0\r\n0\r\n0\r\n\r\n\r\n0\r\n0\r\n\r\n0\r\n\r\n\r\n0\r\n"
      "73\r\n" +
      std::string(72, 'c') +
      "\r\nx\r\n0\r\n"
      // pictures
      "\r\n\r\n0\r\n"
      "1 --- Tube Aliases ---\r\nECC32 6SN7\r\n"
      "0 --- Transistor Inventory ---\r\n1 --- Tube Inventory ---\r\n2*6V6\r\n"
      "0 --- Selection Macros ---\r\n";
  EXPECT_EQ(FormatDataFile(c), expected);
}

TEST(DataFile, EmptyTableSectionsAndMissingFiles) {
  MessageRecorder messages;
  Collection c = MakeCollection();
  c.tables[kTableManufacturer].entries.clear();
  c.brandManufacturer.assign(c.tables[kTableBrandName].entries.size(), 0);
  test::AddLoadedRadio(c, {.id = 1, .brand = "Philco"});
  const Collection back = ReadBack(FormatDataFile(c), messages);
  EXPECT_EQ(back.tables[kTableManufacturer].Count(), 0);
  EXPECT_EQ(back.tables[kTableBrandName].entries, c.tables[kTableBrandName].entries);
  EXPECT_EQ(back.radios.Count(), 1);
  EXPECT_TRUE(messages.messages().empty());

  TempDir dir;
  Collection none;
  EXPECT_FALSE(ReadDataFile(dir / "radata.dat", dir / "radata.org", none).opened);
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Unable to open '" + (dir / "radata.dat") +
                                                       "' in 'ReadDataFile': No such file or directory."});
}

// Many pages of file: what loading has read is given back as it goes, and nothing is lost by it.
TEST(DataFile, ALargeFileComesBackWholeAndUnchanged) {
  MessageRecorder messages;
  Collection c = MakeCollection();
  c.nextId = 1501;
  for (int id = 1; id <= 1500; ++id) {
    RadioRecord* r = test::AddLoadedRadio(c, {.id = id,
                                              .brand = id % 2 ? "Philco" : "Zenith",
                                              .model = std::string("M").append(std::to_string(id))});
    r->comments = std::string(static_cast<std::size_t>(100 + id % 200), static_cast<char>('a' + id % 26));
    r->tubes.Set(id % 5, kFunctionRectifier, "80");
  }
  const std::string bytes = FormatDataFile(c);
  const Collection back = ReadBack(bytes, messages);
  EXPECT_TRUE(messages.messages().empty());
  ASSERT_EQ(back.radios.Count(), 1500);
  ASSERT_EQ(back.asLoaded.Count(), 1500);
  const std::string again = FormatDataFile(back);
  const auto diff = std::mismatch(again.begin(), again.end(), bytes.begin(), bytes.end());
  EXPECT_TRUE(again == bytes) << "first difference at byte " << (diff.first - again.begin()) << ": "
                              << std::string(diff.first, std::min(diff.first + 60, again.end()));
  const ChangeSummary summary = SummarizeChanges(back);
  EXPECT_TRUE(summary.newRadios.Empty() && summary.changedRadios.Empty() && summary.deletedRadios.Empty());
}

TEST(DataFile, DuplicateRadiosAreCountedAgainstTheHeader) {
  MessageRecorder messages;
  Collection c = MakeCollection();
  test::AddLoadedRadio(c, {.id = 1, .brand = "Philco"});
  std::string bytes = FormatDataFile(c);
  // Claim two radios and repeat the record: the equal second one is not taken.
  const std::size_t start = bytes.find("1 --- Radio ---");
  const std::size_t end = bytes.find("0 --- Tube Aliases ---");
  bytes.insert(end, bytes.substr(start, end - start));
  bytes.replace(bytes.find("1 --- Number of Radios"), 1, "2");
  const Collection back = ReadBack(bytes, messages);
  EXPECT_EQ(back.radios.Count(), 1);
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Radio count (1) different from file (2)"}));
}

TEST(DataFile, TextsThatCannotComeBackIntactAreRefusedWhereTheyAreEntered) {
  EXPECT_EQ(StorageProblem("Trans-Oceanic", StoredText::kLine), "");
  EXPECT_NE(StorageProblem("two\nlines", StoredText::kLine), "");
  EXPECT_NE(StorageProblem(std::string(1025, 'x'), StoredText::kLine), "");
  EXPECT_EQ(StorageProblem(std::string(5000, 'x'), StoredText::kLongText), "");
  EXPECT_NE(StorageProblem(" leading blank", StoredText::kLongText), "");
  EXPECT_EQ(StorageProblem(std::string(68, 'e'), StoredText::kTableEntry), "");
  EXPECT_NE(StorageProblem(std::string(69, 'e'), StoredText::kTableEntry), "");
  EXPECT_NE(StorageProblem("3 Way", StoredText::kTableEntry), "");
  EXPECT_NE(StorageProblem(std::string(73, 'm'), StoredText::kShortLine), "");

  // What the checks let through does come back.
  Collection c = MakeCollection();
  c.tables[kTableBands].entries.push_back(std::string(68, 'e'));
  RadioRecord* r = test::AddLoadedRadio(c, {.id = 1});
  r->model = std::string(1024, 'm');
  r->comments = std::string(5000, 'c');
  MessageRecorder messages;
  const Collection back = ReadBack(FormatDataFile(c), messages);
  EXPECT_EQ(back.tables[kTableBands].entries.back(), std::string(68, 'e'));
  EXPECT_EQ(back.radios[0]->model, r->model);
  EXPECT_EQ(back.radios[0]->comments, r->comments);
  EXPECT_TRUE(messages.messages().empty()) << messages.Texts()[0];
}

}  // namespace
}  // namespace korvel

// Reading data files of every layout, from version 0 (no "#" line) to the current 27.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "collection/data_file.h"
#include "support/radio_fields.h"
#include "support/temp_dir.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

using Lines = std::vector<std::string>;
using OldText = std::array<std::string, 5>;  // the five lines of a text before version 19

void Append(Lines& to, const Lines& more) {
  to.insert(to.end(), more.begin(), more.end());
}

std::string Join(const Lines& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

// Its length, then chunks of 72 characters.
Lines LongText(const std::string& text) {
  Lines lines{std::to_string(text.size())};
  for (std::size_t at = 0; at < text.size(); at += 72) lines.push_back(text.substr(at, 72));
  return lines;
}

// One radio as the file holds it: each member is a line's text, references as "%d%s".
struct FileRadio {
  int id = 1;
  std::string brand = "1Zenith", model = "5-S-29", serialNumber = "SN 1234", year = "1939";
  std::string manufacturer = "1Zenith Radio Corp", cabinetStyle = "1Tombstone", cabinetComposition = "1Wood";
  std::string cabinetColour = "Walnut", cabinetTrim = "0Chrome", trimColour = "Silver";
  std::string tuningDial = "0Airplane", dialPosition = "0Front", grillStyle = "1Cutout",
              grillPosition = "0Front";
  std::string pushButtons = "1Yes", telephoneDial = "0No", powerSource = "1AC/DC", bands = "1AM/SW";
  std::string circuitType = "0Superhet", technology = "3Tube";
  Lines tubes = {"21RF Amplifier", "6SK7", "20Rectifier", "5Y4"};  // function and type, pair by pair
  std::string dateAcquired = "12Mar1985", purchasePrice = "25", whereAcquired = "Flea market";
  std::string status = "5Restored", chassisCondition = "1Poor", condition = "1Fair", damage = "Cracked dial";
  std::string value = "40", sourceOfValue = "Price guide", dateRestored = "01Feb1990", restorationCost = "15";
  std::string repairsNeeded = "Recapped and realigned, dial restrung";
  OldText oldRepairs = {"Recapped", "and", "realigned,", "dial", "restrung"};
  std::string dateDisposed = "03Apr1995", sellingPrice = "60", whereDisposed = "Swap meet";
  OldText disposal{};  // version 0's five lines in place of the three above
  std::string schematic = "Riders 10-1";
  std::string references = "Bunis vol. 1 p. 210";
  OldText oldReferences = {"Bunis", "vol.", "1", "p.", "210"};
  std::string comments = "Found at an estate";
  OldText oldComments = {"Found", "at", "an", "estate", ""};
  std::string extras = "Spare knob";
  std::string pictureFile = "pictures\\zenith\\5s29.jpg", thumbnailFile = "thumbs\\5s29.jpg";
  Lines extraPictures = {"extra\\back.jpg", "extra\\chassis.jpg"};
};

Lines RadioLines(const FileRadio& r, int version) {
  Lines l{std::to_string(r.id) + " --- Radio ---", r.brand, r.model};
  if (version >= 27) l.push_back(r.serialNumber);
  Append(l, {r.year, r.manufacturer, r.cabinetStyle, r.cabinetComposition, r.cabinetColour, r.cabinetTrim,
             r.trimColour, r.tuningDial, r.dialPosition, r.grillStyle, r.grillPosition, r.pushButtons,
             r.telephoneDial, r.powerSource, r.bands, r.circuitType, r.technology});
  l.push_back(std::to_string(r.tubes.size() / 2));
  Append(l, r.tubes);
  Append(l, {r.dateAcquired, r.purchasePrice, r.whereAcquired});
  if (version >= 21) {
    l.push_back(r.status);
    if (version >= 25) l.push_back(r.chassisCondition);
    l.push_back(r.condition);
    Append(l, LongText(r.damage));
  } else {
    Append(l, {r.condition, r.status});
  }
  const auto text = [&](const std::string& now, const OldText& old) {
    Append(l, version >= 19 ? LongText(now) : Lines(old.begin(), old.end()));
  };
  Append(l, {r.value, r.sourceOfValue, r.dateRestored, r.restorationCost});
  text(r.repairsNeeded, r.oldRepairs);
  if (version == 0) {
    Append(l, Lines(r.disposal.begin(), r.disposal.end()));
  } else {
    Append(l, {r.dateDisposed, r.sellingPrice, r.whereDisposed});
  }
  l.push_back(r.schematic);
  text(r.references, r.oldReferences);
  text(r.comments, r.oldComments);
  if (version >= 22) Append(l, LongText(r.extras));
  if (version >= 6) l.push_back(r.pictureFile);
  if (version >= 18) l.push_back(r.thumbnailFile);
  if (version >= 26) {
    l.push_back(std::to_string(r.extraPictures.size()));
    Append(l, r.extraPictures);
  }
  return l;
}

Lines TableSection(const std::string& name, const Lines& entries, const std::vector<int>& makers = {}) {
  Lines l{std::to_string(entries.size()) + " --- " + name + " ---"};
  for (std::size_t i = 0; i < entries.size(); ++i) {
    l.push_back(std::to_string(i) + entries[i]);
    if (!makers.empty()) l.push_back(std::to_string(makers[i]));
  }
  return l;
}

// The sections after Brand Name, in file order, with the entries the radios above refer to.
const std::vector<std::pair<std::string, Lines>> kLaterSections = {
    {"Bands", {"AM", "AM/SW"}},
    {"Cabinet Composition", {"Bakelite", "Wood"}},
    {"Cabinet Style", {"Cathedral", "Tombstone", "Upright"}},
    {"Cabinet Trim", {"Chrome", "No Trim"}},
    {"Chassis Condition", {"Good", "Poor"}},
    {"Circuit Type", {"Superhet", "TRF"}},
    {"Condition", {"Excellent", "Fair"}},
    {"Grill Style", {"Cloth", "Cutout"}},
    {"Position", {"Front", "Top"}},
    {"Power Source", {"AC", "AC/DC"}},
    {"Tuning Dial", {"Airplane", "Slide Rule"}}};

struct DataFile {
  int version = 27;
  std::vector<FileRadio> radios = {FileRadio{}};
  int nextId = 100;
  int nextBackupNumber = 7;
  std::map<std::string, Lines> tables{};  // entries in place of the usual ones, by section name
  Lines macros = {"0 --- Selection Macros ---"};
};

std::string Bytes(const DataFile& f) {
  Lines l;
  if (f.version > 0) l.push_back("#" + std::to_string(f.version) + " --- Version ---");
  l.push_back(std::to_string(f.radios.size()) + " --- Number of Radios ---");
  if (f.version >= 9) l.push_back(std::to_string(f.nextId) + " --- Next ID ---");
  if (f.version >= 12) l.push_back(std::to_string(f.nextBackupNumber) + " --- Next Backup File Number ---");
  if (f.version >= 16) {
    Append(l, TableSection("Manufacturer", {"Crosley Corp", "Zenith Radio Corp"}));
    Append(l, TableSection("Brand Name", {"Crosley", "Zenith"}, {0, 1}));
  }
  for (const auto& [name, usual] : kLaterSections) {
    if (f.version < 17 || (name == "Chassis Condition" && f.version < 25)) continue;
    const auto replaced = f.tables.find(name);
    Append(l, TableSection(name, replaced == f.tables.end() ? usual : replaced->second));
  }
  for (const FileRadio& r : f.radios) Append(l, RadioLines(r, f.version));
  Append(l, {"0 --- Tube Aliases ---", "0 --- Transistor Inventory ---", "0 --- Tube Inventory ---"});
  Append(l, f.macros);
  return Join(l);
}

// One load of a file into a fresh collection, with every message it reported.
class Reading {
 public:
  explicit Reading(const std::string& bytes, Collection start = {}) : c(std::move(start)) {
    test::WriteFile(dir_ / "radata.dat", bytes);
    outcome = ReadDataFile(dir_ / "radata.dat", dir_ / "radata.org", c);
  }
  const RadioRecord* Radio(int id) const { return c.radios.FindById(id); }
  const std::string& Text(int kind, int position) const { return c.tables[kind].Text(position); }
  int Count(int severity) const {
    const auto& all = messages.messages();
    return static_cast<int>(
        std::count_if(all.begin(), all.end(), [&](const Message& m) { return m.severity == severity; }));
  }
  std::string All() const {
    std::string all;
    for (const std::string& t : messages.Texts()) all += t + "\n";
    return all;
  }

  MessageRecorder messages;
  Collection c;
  ReadOutcome outcome;

 private:
  test::TempDir dir_;
};

// A radio read from a file, field by field as the edit dialog names them, so that what one layout
// read compares with what another did and a difference names the field.
std::map<std::string, std::string> FieldsOf(const Reading& r, int id) {
  std::map<std::string, std::string> fields;
  std::istringstream lines(r.Radio(id) ? test::DescribeRadio(r.c.tables, *r.Radio(id)) : "");
  for (std::string line; std::getline(lines, line);) {
    const std::size_t colon = line.find(':');
    fields[line.substr(0, colon)] = line.size() > colon + 1 ? line.substr(colon + 2) : "";
  }
  return fields;
}

TEST(DataFileVersions, EveryLayoutFrom0To28ReadsTheSameRadios) {
  // The current layout read and written again is the same file; that the writer's layout is the
  // right one and the reader its inverse is the layout test's and the round trip's.
  const Reading plain(Bytes({}));
  EXPECT_EQ(FormatDataFile(plain.c), Bytes({}));

  FileRadio zenith;
  FileRadio crosley;
  crosley.id = 2;
  crosley.brand = "0Crosley";
  crosley.model = "Bullseye";
  crosley.technology = "2Transistor";
  crosley.tubes = {};
  crosley.status = "10Sold";
  // Hand-edited values: a short date, dates that are none, signed and unreadable numbers, both
  // kinds of slash.
  crosley.dateAcquired = "05jan50";
  crosley.dateRestored = "1Jan1950";  // eight characters: not a date
  crosley.dateDisposed = "sometime";
  crosley.disposal = {"sometime", "-7", "", "", ""};
  crosley.purchasePrice = "-5";
  crosley.value = "-20";
  crosley.year = "1950 or so";
  crosley.restorationCost = "n/a";
  crosley.pictureFile = "pictures/crosley\\bull.jpg";
  crosley.extraPictures = {"a/b/c.jpg"};
  const auto file = [&](int v) {
    return Bytes({.version = v,
                  .radios = {zenith, crosley},
                  .macros = {"1 --- Selection Macros ---", "Zeniths", "1", "+Brand=Zenith"}});
  };
  const Reading current(file(kDataFileVersion));
  const RadioRecord* c = current.Radio(2);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->dateAcquired, "05Jan1950");
  EXPECT_EQ(c->dateRestored, "");
  EXPECT_EQ(c->dateDisposed, "");
  EXPECT_EQ(c->purchasePrice, -5);
  EXPECT_EQ(c->value, -20);
  EXPECT_EQ(c->year, 1950);
  EXPECT_EQ(c->restorationCost, 0);
  EXPECT_EQ(c->pictureFile, "pictures\\crosley\\bull.jpg");
  EXPECT_EQ(c->extraPictureFiles[0], "a\\b\\c.jpg");

  // A newer version than this program's is named as not understood, and read on as the current one.
  for (int v = 0; v <= kDataFileVersion + 1; ++v) {
    SCOPED_TRACE("version " + std::to_string(v));
    const Reading r(file(v));
    EXPECT_EQ(r.outcome.version, v);
    EXPECT_EQ(r.Count(kError), v > kDataFileVersion ? 1 : 0) << r.All();
    EXPECT_EQ(r.messages.Saw("Don't understand data file."), v > kDataFileVersion);
    EXPECT_EQ(r.Count(kWarning), v < 17 ? 1 : 0) << r.All();  // tables rebuilt from the radios' names
    EXPECT_EQ(r.c.nextId, v >= 9 ? 100 : 3);
    EXPECT_EQ(r.c.nextBackupNumber, v >= 12 ? 7 : 0);
    ASSERT_EQ(r.c.radios.Count(), 2);
    EXPECT_EQ(r.c.asLoaded.Count(), 2);
    // What the current layout reads, less what this one did not carry.
    for (int id : {1, 2}) {
      std::map<std::string, std::string> want = FieldsOf(current, id);
      if (v < 27) want["Serial Number"] = "";
      if (v < 26) want["Extra pictures"] = "";
      if (v < 25) want["Chassis Condition"] = "Unknown";
      if (v < 22) want["Extras"] = "";
      if (v < 21) want["Damage"] = "None";
      if (v < 19) {  // five lines joined, each after a blank
        want["Repairs Needed"] = " " + want["Repairs Needed"];
        want["References"] = " " + want["References"];
        want["Comments"] = " " + want["Comments"] + " ";
      }
      if (v < 6) want["Picture File"] = want["Thumbnail File"] = "";
      if (v >= 6 && v < 18) want["Thumbnail File"] = "smallpix" + want["Picture File"].substr(8);
      if (v == 0) {  // disposal details only for sold and donated radios
        want["Date Disposed"] = want["Where Disposed"] = "";
        want["Selling Price"] = id == 2 ? "-7" : "0";
      }
      std::map<std::string, std::string> got = FieldsOf(r, id);
      for (const auto& [name, value] : want) EXPECT_EQ(got[name], value) << "radio " << id << ", " << name;
    }
    EXPECT_EQ(r.Radio(1)->currentPicture, -1);
    // The sections after the radios are still in step.
    ASSERT_EQ(r.c.macros.size(), 1u);
    ASSERT_EQ(r.c.macros[0].entries.size(), 1u);
    EXPECT_EQ(r.c.macros[0].entries[0].criterion.value, r.Radio(1)->brand);
  }
}

TEST(DataFileVersions, Version0DisposalLinesFollowTheStatus) {
  const OldText disposal = {"05jan50", "75", "Auction", "06Feb1951", "Museum"};
  std::vector<FileRadio> radios(4);
  const char* statuses[] = {"10Sold", "6Restored and Sold", "1Donated", "9Scrapped"};
  for (int i = 0; i < 4; ++i) {
    radios[i].id = i + 1;
    radios[i].status = statuses[i];
    radios[i].disposal = disposal;
  }
  const Reading r(Bytes({.version = 0, .radios = radios}));
  ASSERT_EQ(r.c.radios.Count(), 4);
  using Disposal = std::tuple<std::string, int, std::string>;  // date, price, where
  const auto disposed = [&](int id) {
    const RadioRecord* x = r.Radio(id);
    return Disposal{x->dateDisposed, x->sellingPrice, x->whereDisposed};
  };
  EXPECT_EQ(disposed(1), Disposal("05Jan1950", 75, "Auction"));
  EXPECT_EQ(disposed(2), Disposal("05Jan1950", 75, "Auction"));
  EXPECT_EQ(disposed(3), Disposal("06Feb1951", 0, "Museum"));
  EXPECT_EQ(disposed(4), Disposal("", 0, ""));
  for (int id = 1; id <= 4; ++id) EXPECT_EQ(r.Radio(id)->schematic, "Riders 10-1");  // all five lines taken
}

TEST(DataFileVersions, ThumbnailNamedAfterThePictureFrom6To17) {
  for (int v : {6, 17}) {
    SCOPED_TRACE("version " + std::to_string(v));
    const Lines pictures = {"pictures/z.jpg", "exactly8", "short", ""};
    std::vector<FileRadio> radios(pictures.size());
    for (std::size_t i = 0; i < pictures.size(); ++i) {
      radios[i].id = static_cast<int>(i) + 1;
      radios[i].pictureFile = pictures[i];
    }
    const Reading r(Bytes({.version = v, .radios = radios}));
    ASSERT_EQ(r.c.radios.Count(), 4);
    EXPECT_EQ(r.Radio(1)->pictureFile, "pictures\\z.jpg");
    EXPECT_EQ(r.Radio(1)->thumbnailFile, "smallpix\\z.jpg");
    EXPECT_EQ(r.Radio(2)->thumbnailFile, "smallpix");
    EXPECT_EQ(r.Radio(3)->pictureFile, "short");
    EXPECT_EQ(r.Radio(3)->thumbnailFile, "");  // too short to hold the directory name
    EXPECT_EQ(r.Radio(4)->thumbnailFile, "");
  }
}

TEST(DataFileVersions, OldTextsJoinLinesWithBlanksLongTextsByLength) {
  FileRadio joined;
  joined.oldRepairs = {"Replace", "caps", " and", "resistors ", "now"};
  joined.oldReferences = {" Leading", "", "", "", ""};
  joined.oldComments = {"\tTabbed", "x", "", "", ""};
  FileRadio empty;
  empty.id = 2;
  empty.oldRepairs = {};
  const Reading old(Bytes({.version = 18, .radios = {joined, empty}}));
  ASSERT_EQ(old.c.radios.Count(), 2);
  EXPECT_EQ(old.Radio(1)->repairsNeeded, " Replace caps and resistors now");
  EXPECT_EQ(old.Radio(1)->references, " Leading ");
  EXPECT_EQ(old.Radio(1)->comments, "\tTabbed x ");
  EXPECT_EQ(old.Radio(2)->repairsNeeded, " ");

  FileRadio chunked;
  chunked.repairsNeeded = " Leading blank";
  chunked.references = std::string(72, 'a') + " tail";  // the chunk " tail" keeps its blank
  chunked.comments = "";
  chunked.extras = std::string(150, 'e');
  const Reading now(Bytes({.version = 19, .radios = {chunked}}));
  ASSERT_EQ(now.c.radios.Count(), 1);
  EXPECT_EQ(now.Radio(1)->repairsNeeded, "Leading blank");
  EXPECT_EQ(now.Radio(1)->references, std::string(72, 'a') + " tail");
  EXPECT_EQ(now.Radio(1)->comments, "");
  EXPECT_EQ(now.Radio(1)->extras, "");  // before 22 there is no extras text
  EXPECT_EQ(now.Radio(1)->pictureFile, "pictures\\zenith\\5s29.jpg");
}

TEST(DataFileVersions, UnknownEnteredIntoTablesOfOlderFiles) {
  FileRadio upright;
  upright.cabinetStyle = "2Upright";  // its position before "Unknown" came in
  // A table that has the default entry already needs no warning: the entry is the loader's doing.
  const Reading v22(Bytes({.version = 22, .radios = {upright}, .tables = {{"Bands", {"AM", "AM/SW", "Unknown"}}}}));
  EXPECT_FALSE(v22.messages.Saw("this entry already present.")) << v22.All();
  for (int kind : UserTableKindsInFileOrder()) {
    if (kind == kTableManufacturer || kind == kTableBrandName) continue;
    SCOPED_TRACE(TableSectionName(kind));
    for (const LookupTable* t : {&v22.c.tables[kind], &v22.c.asLoadedTables[kind]}) {
      EXPECT_EQ(std::count(t->entries.begin(), t->entries.end(), "Unknown"), 1);
      EXPECT_TRUE(std::is_sorted(t->entries.begin(), t->entries.end()));
    }
  }
  EXPECT_EQ(v22.c.tables[kTableCabinetStyle].entries,
            (Lines{"Cathedral", "Tombstone", "Unknown", "Upright"}));
  EXPECT_EQ(v22.Radio(1)->cabinetStyle, 3);
  EXPECT_EQ(v22.c.tables[kTableBrandName].entries, (Lines{"Crosley", "Zenith"}));
  EXPECT_EQ(v22.c.tables[kTableManufacturer].Count(), 2);

  for (int v : {23, 24}) {
    SCOPED_TRACE("version " + std::to_string(v));
    const Reading r(Bytes({.version = v}));
    EXPECT_EQ(r.c.tables[kTableChassisCondition].entries, Lines{"Unknown"});
    EXPECT_TRUE(r.c.asLoadedTables[kTableChassisCondition].entries.empty());
    EXPECT_EQ(r.c.tables[kTableBands].entries, (Lines{"AM", "AM/SW"}));
    EXPECT_EQ(r.c.tables[kTableCabinetStyle].entries, (Lines{"Cathedral", "Tombstone", "Upright"}));
    EXPECT_EQ(r.Radio(1)->chassisCondition, 0);
    EXPECT_EQ(r.Count(kError), 0) << r.All();
  }

  const Reading v25(Bytes({.version = 25}));
  EXPECT_EQ(v25.c.tables[kTableChassisCondition].entries, (Lines{"Good", "Poor"}));
  EXPECT_EQ(v25.c.asLoadedTables[kTableChassisCondition].entries, (Lines{"Good", "Poor"}));
}

TEST(DataFileVersions, ReferencesByNameBefore27ByPositionIn27) {
  FileRadio r;
  r.technology = "0Tube";
  r.brand = "0Zenith";
  r.cabinetStyle = "7Upright";
  r.pushButtons = "0Yes";
  r.powerSource = "1Battery";  // no such entry
  r.status = "Sold";           // no position at all
  const Reading v26(Bytes({.version = 26, .radios = {r}}));
  const RadioRecord* old = v26.Radio(1);
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(old->technology, kTechTube);
  EXPECT_EQ(old->brand, 1);
  EXPECT_EQ(old->cabinetStyle, 2);
  EXPECT_EQ(old->pushButtons, kYes);
  EXPECT_EQ(old->powerSource, 0);
  EXPECT_EQ(old->status, kStatusSold);

  r.cabinetStyle = "2Cathedral";
  const Reading v27(Bytes({.version = 27, .radios = {r}}));
  const RadioRecord* now = v27.Radio(1);
  ASSERT_NE(now, nullptr);
  EXPECT_EQ(now->technology, kTechCrystal);
  EXPECT_EQ(now->brand, 0);
  EXPECT_EQ(now->cabinetStyle, 2);
  EXPECT_EQ(now->pushButtons, kNo);
  EXPECT_EQ(now->powerSource, 1);
  EXPECT_EQ(now->status, kStatusSold);
}

TEST(DataFileVersions, TablesMissingFromOldFilesAreRebuiltFromTheRadios) {
  FileRadio zenith;
  zenith.brand = "3Zenith";
  zenith.manufacturer = "Zenith Radio Corp";
  FileRadio philco;
  philco.id = 2;
  philco.brand = "0Philco";
  philco.manufacturer = "2Philco Corp";
  philco.cabinetStyle = "4Cathedral";
  philco.grillPosition = "Top";
  philco.powerSource = "Unknown";  // already entered, not twice
  const Reading v15(Bytes({.version = 15, .radios = {zenith, philco}}));
  const Collection& c = v15.c;
  EXPECT_EQ(c.tables[kTableBrandName].entries, (Lines{"Philco", "Zenith"}));
  EXPECT_EQ(c.tables[kTableManufacturer].entries, (Lines{"Philco Corp", "Zenith Radio Corp"}));
  EXPECT_EQ(c.brandManufacturer, (std::vector<std::int32_t>{0, 0}));
  EXPECT_EQ(c.asLoadedBrandManufacturer, c.brandManufacturer);
  EXPECT_EQ(c.tables[kTableCabinetStyle].entries, (Lines{"Cathedral", "Tombstone", "Unknown"}));
  EXPECT_EQ(c.tables[kTablePosition].entries, (Lines{"Front", "Top", "Unknown"}));
  EXPECT_EQ(c.tables[kTablePowerSource].entries, (Lines{"AC/DC", "Unknown"}));
  for (int kind : UserTableKindsInFileOrder()) {
    EXPECT_EQ(c.asLoadedTables[kind].entries, c.tables[kind].entries) << TableSectionName(kind);
  }
  ASSERT_EQ(c.radios.Count(), 2);
  EXPECT_EQ(c.radios[0]->id, 2);  // in radio order by the rebuilt positions
  EXPECT_EQ(v15.Radio(2)->brand, 0);
  EXPECT_EQ(v15.Radio(1)->brand, 1);
  EXPECT_EQ(v15.Text(kTableManufacturer, v15.Radio(2)->manufacturer), "Philco Corp");
  EXPECT_EQ(v15.Text(kTableCabinetStyle, v15.Radio(2)->cabinetStyle), "Cathedral");
  EXPECT_EQ(v15.Text(kTablePosition, v15.Radio(2)->grillPosition), "Top");
  EXPECT_EQ(v15.Text(kTablePowerSource, v15.Radio(2)->powerSource), "Unknown");
  EXPECT_EQ(v15.Count(kError), 0) << v15.All();
  ASSERT_EQ(v15.Count(kWarning), 1) << v15.All();
  const std::string warning = v15.messages.messages()[0].text;
  for (const char* name : {"Manufacturer", "Brand Name", "Bands", "Cabinet Style", "Tuning Dial"}) {
    EXPECT_NE(warning.find(name), std::string::npos) << name << " in: " << warning;
  }

  // Version 16 carries the two brand tables and its map; the other ten are rebuilt.
  const Reading v16(Bytes({.version = 16}));
  EXPECT_EQ(v16.c.tables[kTableBrandName].entries, (Lines{"Crosley", "Zenith"}));
  EXPECT_EQ(v16.c.brandManufacturer, (std::vector<std::int32_t>{0, 1}));
  EXPECT_EQ(v16.c.tables[kTableBands].entries, (Lines{"AM/SW", "Unknown"}));
  ASSERT_EQ(v16.Count(kWarning), 1) << v16.All();
  EXPECT_EQ(v16.messages.messages()[0].text.find("Brand Name"), std::string::npos);
  EXPECT_NE(v16.messages.messages()[0].text.find("Bands"), std::string::npos);
}

// Steps and their texts are the macro tests' and the round-trip property's; a load replaces what was held.
TEST(DataFileVersions, MacrosReadInFileOrderReplacingAnyHeld) {
  Collection start;
  start.macros.push_back({.name = "Stale", .entries = {}});
  const Reading r(
      Bytes({.macros = {"2 --- Selection Macros ---", "Nothing", "0", "Unsold", "1", "-Status=Sold"}}),
      std::move(start));
  ASSERT_EQ(r.c.macros.size(), 2u);
  EXPECT_EQ(r.c.macros[0].name, "Nothing");  // no steps, and the next name is not taken as one
  EXPECT_TRUE(r.c.macros[0].entries.empty());
  EXPECT_EQ(r.c.macros[1].name, "Unsold");
  ASSERT_EQ(r.c.macros[1].entries.size(), 1u);
  EXPECT_EQ(r.c.macros[1].entries[0].criterion.value, kStatusSold);
}

}  // namespace
}  // namespace korvel

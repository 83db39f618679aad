// The data file: its layout, what comes back from it, every older layout from version 0 (no "#" line)
// to the current 27, and a damaged or hand-edited file loading what it can, saying what was wrong,
// and never crashing.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "collection/data_file.h"
#include "collection/mapped_file.h"
#include "collection/storable_text.h"
#include "collection/tubes.h"
#include "support/collection_builder.h"
#include "support/radio_fields.h"
#include "support/temp_dir.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

using test::MakeCollection;
using test::TempDir;
using test::WriteFile;

// One load of a file into a fresh collection, with every message it reported.
class Reading {
 public:
  explicit Reading(const std::string& bytes, Collection start = {}) : c(std::move(start)) {
    test::WriteFile(Path(), bytes);
    outcome = ReadDataFile(Path(), dir_ / "radata.org", c);
  }
  std::string Path() const { return dir_ / "radata.dat"; }
  const RadioRecord* Radio(int id) const { return c.radios.FindById(id); }
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

std::string SampleFile() {
  Collection c = test::MakeCollection();
  for (int id = 1; id <= 3; ++id) {
    RadioRecord* r = test::AddLoadedRadio(
        c, {.id = id, .brand = id == 2 ? "Zenith" : "Philco", .tubes = {{kFunctionRectifier, "80"}}});
    r->comments = std::string(100, 'c');
    r->extraPictureCount = 1;
    r->extraPictureFiles[0] = "pictures\\x.jpg";
  }
  c.aliases.emplace(" ECC32", TubeAlias{" ECC32", "   6SN7"});
  c.inventory["   6V6"] = InventoryItem{"", 2, 0, kTechTube, "   6V6"};
  MacroEntry push;
  push.criterion.action = kActionPush;
  c.macros.push_back({"m", {push}});
  return FormatDataFile(c);
}

bool Mentions(const Reading& r, const std::string& words) {
  const std::vector<std::string> texts = r.messages.Texts();
  return std::any_of(texts.begin(), texts.end(),
                     [&](const std::string& m) { return m.find(words) != std::string::npos; });
}

std::string Replace(std::string bytes, const std::string& from, const std::string& to) {
  const std::size_t at = bytes.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) bytes.replace(at, from.size(), to);
  return bytes;
}

TEST(DataFile, EmptyTableSectionsAndMissingFiles) {
  Collection c = MakeCollection();
  c.tables[kTableManufacturer].entries.clear();
  c.brandManufacturer.assign(c.tables[kTableBrandName].entries.size(), 0);
  test::AddLoadedRadio(c, {.id = 1, .brand = "Philco"});
  const Reading back(FormatDataFile(c));
  EXPECT_EQ(back.c.tables[kTableManufacturer].Count(), 0);
  EXPECT_EQ(back.c.tables[kTableBrandName].entries, c.tables[kTableBrandName].entries);
  EXPECT_EQ(back.c.radios.Count(), 1);
  EXPECT_TRUE(back.messages.Texts().empty());

  TempDir dir;
  MessageRecorder messages;
  Collection none;
  EXPECT_FALSE(ReadDataFile(dir / "radata.dat", dir / "radata.org", none).opened);
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Unable to open '" + (dir / "radata.dat") +
                                                       "' in 'ReadDataFile': No such file or directory."});
}

TEST(DataFile, DuplicateRadiosAreCountedAgainstTheHeader) {
  Collection c = MakeCollection();
  test::AddLoadedRadio(c, {.id = 1, .brand = "Philco"});
  std::string bytes = FormatDataFile(c);
  // Claim two radios and repeat the record: the equal second one is not taken.
  const std::size_t start = bytes.find("1 --- Radio ---");
  const std::size_t end = bytes.find("0 --- Tube Aliases ---");
  bytes.insert(end, bytes.substr(start, end - start));
  bytes.replace(bytes.find("1 --- Number of Radios"), 1, "2");
  const Reading back(bytes);
  EXPECT_EQ(back.c.radios.Count(), 1);
  EXPECT_EQ(back.messages.Texts(), (std::vector<std::string>{"Radio count (1) different from file (2)"}));
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
  const Reading back(FormatDataFile(c));
  EXPECT_EQ(back.c.tables[kTableBands].entries.back(), std::string(68, 'e'));
  EXPECT_EQ(back.c.radios[0]->model, r->model);
  EXPECT_EQ(back.c.radios[0]->comments, r->comments);
  EXPECT_TRUE(back.messages.Texts().empty()) << back.All();
}

TEST(DamagedDataFile, AFileCutAnywhereLoadsWhatPrecedesTheCut) {
  const std::string whole = SampleFile();
  int lines = 0;
  for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
    if (cut > 0 && whole[cut - 1] != '\n' && cut % 7 != 0) continue;  // every line end, and mid-line
    lines += whole[cut - (cut > 0 ? 1 : 0)] == '\n';
    const Reading loaded(whole.substr(0, cut));
    const Collection& c = loaded.c;
    EXPECT_LE(c.radios.Count(), 3) << cut;
    EXPECT_EQ(c.radios.Count(), c.asLoaded.Count()) << cut;
    if (cut < whole.size() && c.radios.Count() < 3 && cut > 100) {
      EXPECT_TRUE(Mentions(loaded, "ends early")) << cut;
      // The clear word alone: not the radio count besides, and nothing twice.
      EXPECT_FALSE(Mentions(loaded, "Radio count")) << cut;
    }
    std::vector<std::string> once = loaded.messages.Texts();
    std::sort(once.begin(), once.end());
    EXPECT_EQ(std::unique(once.begin(), once.end()), once.end()) << cut;
  }
  EXPECT_GT(lines, 100);
  EXPECT_TRUE(Reading(whole).messages.Texts().empty());
}

// Something else under the data file's name is named once as no data file and not read at all.
TEST(DamagedDataFile, AnEmptyFileOrRandomBytesAreNoDataFile) {
  std::string noise;
  for (int i = 0; i < 5000; ++i) noise.push_back(static_cast<char>((i * 7919 + 13) % 256));
  for (const std::string& bytes : {std::string(), std::string(" \r\n"), noise, std::string("GIF89a\r\n")}) {
    const Reading r(bytes);
    EXPECT_FALSE(r.outcome.opened);
    EXPECT_EQ(r.messages.Texts(), std::vector<std::string>{"'" + r.Path() +
                                                           "' is not a Korvel data file, so nothing was read "
                                                           "from it. Nothing is written over it unless you "
                                                           "save; a save keeps it as a numbered backup."});
  }
  // The oldest files begin with their radio count, without a version line.
  EXPECT_FALSE(Mentions(Reading("0\r\n"), "not a Korvel data file"));
  // A version line over something else reads no radio, and says so; an empty collection says nothing.
  EXPECT_TRUE(Mentions(Reading("#27 --- Version ---\r\n"), "nothing follows its version line"));
  EXPECT_TRUE(Mentions(Reading("#27 --- Version ---\r\nDear Sir,\r\n"),
                       "line 2, where the number of radios belongs, reads \"Dear Sir,\""));
  EXPECT_TRUE(Reading(FormatDataFile(Collection{})).messages.Texts().empty())
      << "a new, empty collection complained";
}

// What editors and crashes do to a sound file: it still loads whole, with at most one word.
TEST(DamagedDataFile, NearlyValidFilesLoadWhatTheyHold) {
  const std::string whole = SampleFile();
  std::string crOnly = whole, lfOnly = whole, mixed;
  std::erase(crOnly, '\n');
  std::erase(lfOnly, '\r');
  // CR LF, then LF alone, then CR alone, by thirds (a CR alone before an LF alone would be CR LF).
  mixed.clear();
  for (std::size_t at = 0, end; (end = whole.find("\r\n", at)) != std::string::npos; at = end + 2)
    mixed += whole.substr(at, end - at) + (at < whole.size() / 3       ? "\r\n"
                                           : at < 2 * whole.size() / 3 ? "\n"
                                                                       : "\r");
  std::string zeros = whole;
  zeros.insert(zeros.find("Zenith"), std::string(3, '\0'));
  const struct {
    const char* what;
    std::string bytes;
    const char* message;  // the one message expected, or none
  } cases[] = {
      {"a byte-order mark", "\xEF\xBB\xBF" + whole, nullptr},
      {"CR line ends", crOnly, nullptr},
      {"LF line ends", lfOnly, nullptr},
      {"mixed line ends", mixed, nullptr},
      {"NUL bytes", zeros, "holds NUL bytes (zeros) on 1 lines, the first being line"},
  };
  const Reading reference(whole);
  for (const auto& c : cases) {
    const Reading loaded(c.bytes);
    EXPECT_EQ(FormatDataFile(loaded.c), FormatDataFile(reference.c)) << c.what << " misread";
    ASSERT_EQ(loaded.messages.Texts().size(), c.message != nullptr ? 1u : 0u) << c.what;
    if (c.message != nullptr) {
      EXPECT_TRUE(Mentions(loaded, c.message)) << loaded.messages.Texts()[0];
    }
  }
}

TEST(DamagedDataFile, PositionsOutsideTheirTablesAreFoundByName) {
  const Reading loaded(Replace(SampleFile(), "Radio ---\r\n5Zenith\r\n", "Radio ---\r\n99Zenith\r\n"));
  ASSERT_EQ(loaded.c.radios.Count(), 3);
  const RadioRecord* zenith = loaded.c.radios.FindById(2);
  ASSERT_NE(zenith, nullptr);
  EXPECT_EQ(loaded.c.tables[kTableBrandName].Text(zenith->brand), "Zenith");
  EXPECT_TRUE(Mentions(loaded, "Radio 2 (line")) << loaded.All();
  EXPECT_TRUE(Mentions(loaded, "found by its name"));

  const Reading unknown(Replace(SampleFile(), "Radio ---\r\n5Zenith\r\n", "Radio ---\r\n99Nobody\r\n"));
  EXPECT_EQ(unknown.c.radios.FindById(2)->brand, 0);
  EXPECT_TRUE(Mentions(unknown, "set to the first entry"));

  // A status beyond the built-in table, found by its text.
  const Reading status(Replace(SampleFile(), "\r\n11To Be Restored\r\n", "\r\n40Sold\r\n"));
  ASSERT_GT(status.c.radios.Count(), 0);
  EXPECT_TRUE(Mentions(status, "status position 40"));
}

// A line longer than the program writes is read whole; past the tubes and pictures a radio holds, the
// first are kept and the records after it are read in step. Each is said.
TEST(DamagedDataFile, OverlongLinesAndTooManyTubesOrPicturesAreReadInStep) {
  const std::string model(1500, 'm');
  std::string bytes =
      Replace(SampleFile(), "\r\nUnknown\r\n\r\n1940\r\n", "\r\n" + model + "\r\n\r\n1940\r\n");
  std::string tubes = "\r\n31\r\n";
  for (int i = 0; i < 31; ++i) tubes += "20Rectifier\r\n" + std::to_string(i) + "Z" + "\r\n";
  bytes = Replace(bytes, "\r\n1\r\n20Rectifier\r\n80\r\n", tubes);
  std::string pictures = "\r\n12\r\n";
  for (int i = 0; i < 12; ++i) pictures += "pictures\\p" + std::to_string(i) + ".jpg\r\n";
  bytes = Replace(bytes, "\r\n1\r\npictures\\x.jpg\r\n", pictures);
  const Reading loaded(bytes);
  ASSERT_EQ(loaded.c.radios.Count(), 3);
  const RadioRecord* first = loaded.c.radios.FindById(1);
  EXPECT_EQ(first->model, model);
  EXPECT_EQ(first->tubes[29].type, "29Z");
  EXPECT_EQ(first->tubes.HeldCount(), kTubeSlotCount);
  EXPECT_EQ(first->extraPictureCount, kExtraPictureLimit);
  EXPECT_EQ(first->extraPictureFiles[9], "pictures\\p9.jpg");
  EXPECT_TRUE(Mentions(loaded, "longer than 1024 characters"));
  EXPECT_TRUE(Mentions(loaded, "lists 31 tubes"));
  EXPECT_TRUE(Mentions(loaded, "lists 12 extra pictures"));
  EXPECT_EQ(loaded.c.macros.size(), 1u);
}

TEST(DamagedDataFile, ManyProblemsAreSummedUpInsteadOfOneBoxEach) {
  std::string many = "30 --- Tube Aliases ---\r\n";  // each naming only one tube
  for (int i = 0; i < 30; ++i) many.append("X").append(std::to_string(i)).append("\r\n");
  const Reading loaded(Replace(SampleFile(), "1 --- Tube Aliases ---\r\nECC32 6SN7\r\n", many));
  EXPECT_EQ(loaded.messages.Texts().size(), 9u);
  EXPECT_TRUE(Mentions(loaded, "22 more problems"));
}

TEST(DamagedDataFile, CountsAndCountersAreBoundedAndBadAliasesAndStepsReported) {
  std::string bytes =
      Replace(SampleFile(), "0 --- Next Backup File Number", "250 --- Next Backup File Number");
  bytes = Replace(bytes, "\n1 --- Next ID", "\n-5 --- Next ID");
  bytes = Replace(bytes, "3 --- Number of Radios", "2147483647999 --- Number of Radios");
  bytes = Replace(bytes, "1 --- Tube Aliases ---\r\nECC32 6SN7\r\n",
                  "2 --- Tube Aliases ---\r\nECC32 6SN7\r\nLONELY\r\n");
  bytes = Replace(bytes, "1\r\npush\r\n", "2\r\npush\r\n+Nonsense=1\r\n");
  const Reading loaded(bytes);
  EXPECT_EQ(loaded.c.nextBackupNumber, 0);
  EXPECT_EQ(loaded.c.nextId, 4);  // above every identifier in the file
  // The claimed count cannot be met: the radios that are there are read, and the sections after
  // them still are.
  EXPECT_EQ(loaded.c.radios.Count(), 3);
  EXPECT_EQ(loaded.c.aliases.size(), 1u);
  ASSERT_EQ(loaded.c.macros.size(), 1u);
  EXPECT_TRUE(Mentions(loaded, "holds 3 radios where its header says 2147483647"));
  // A bad alias and a bad macro step are reported, and the step is kept, written again as it was read.
  EXPECT_TRUE(Mentions(loaded, "\"LONELY\" names only one tube"));
  ASSERT_EQ(loaded.c.macros[0].entries.size(), 2u);
  EXPECT_FALSE(loaded.c.macros[0].entries[1].parsed);
  EXPECT_TRUE(Mentions(loaded, "\"+Nonsense=1\" is not a selection step"));
  EXPECT_NE(FormatDataFile(loaded.c).find("\r\n+Nonsense=1\r\n"), std::string::npos);
}

// Another program may cut the file short while it is mapped: the pages past its new end read as
// zeros instead of ending the process, and the mapping says so, so that the load is not believed.
TEST(MappedFile, AFileCutShortWhileMappedReadsAsZerosAndSaysSo) {
  TempDir dir;
  const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  const auto path = dir.path() / "radata.dat";
  WriteFile(path.string(), std::string(3 * page + 100, 'x'));
  MappedFile file;
  ASSERT_TRUE(file.Open(path.string()));
  const std::string_view bytes = file.Bytes();
  ASSERT_EQ(bytes.size(), 3 * page + 100);
  EXPECT_EQ(bytes[page], 'x');
  EXPECT_FALSE(file.Cut());

  std::filesystem::resize_file(path, 10);
  EXPECT_EQ(bytes[0], 'x');  // the page that holds the new end is still there
  EXPECT_FALSE(file.Cut());
  EXPECT_EQ(bytes[2 * page + 7], '\0');
  EXPECT_EQ(bytes[3 * page + 99], '\0');
  EXPECT_TRUE(file.Cut());

  // A mapping of a whole file knows nothing of the other one's cut.
  const auto other = dir.path() / "radata.bak";
  WriteFile(other.string(), std::string(page + 1, 'y'));
  MappedFile whole;
  ASSERT_TRUE(whole.Open(other.string()));
  EXPECT_EQ(whole.Bytes()[page], 'y');
  EXPECT_FALSE(whole.Cut());
}

// Older layouts.

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
  // Longer than a line of long text holds (72 characters).
  std::string comments =
      "Found at an estate sale in Ohio, with its original back, knobs and the dealer's tag";
  OldText oldComments = {"Found", "at", "an",
                         "estate sale in Ohio, with its original back, knobs and the dealer's tag", ""};
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
  Append(l, {"1 --- Tube Aliases ---", "ECC32 6SN7", "0 --- Transistor Inventory ---",
             "1 --- Tube Inventory ---", "2*6V6"});
  Append(l, f.macros);
  return Join(l);
}

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
  // The current layout, read and written again, is the same file: this is the layout the writer
  // writes (that the reader is its inverse for any collection is the round trip property's).
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
  ASSERT_NE(current.Radio(2), nullptr);
  const std::string crosley2 = test::DescribeRadio(current.c.tables, *current.Radio(2));
  for (const char* field :
       {"\nDate Acquired: 05Jan1950\n", "\nDate Restored: \n", "\nDate Disposed: \n",
        "\nPurchase Price: -5\n", "\nValue: -20\n", "\nYear: 1950\n", "\nRestoration Cost: 0\n",
        "\nPicture File: pictures\\crosley\\bull.jpg\n", "\nExtra pictures: a\\b\\c.jpg;\n"})
    EXPECT_NE(crosley2.find(field), std::string::npos)
        << "the hand-edited radio does not read" << field << crosley2;

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
  // The picture as stored, and the thumbnail named after it: none where the name is too short to
  // hold the directory.
  const std::pair<std::string, std::string> pictures[] = {
      {"pictures/z.jpg", "smallpix\\z.jpg"}, {"exactly8", "smallpix"}, {"short", ""}, {"", ""}};
  std::vector<FileRadio> radios(std::size(pictures));
  for (std::size_t i = 0; i < radios.size(); ++i) {
    radios[i].id = static_cast<int>(i) + 1;
    radios[i].pictureFile = pictures[i].first;
  }
  for (int v : {6, 17}) {
    const Reading r(Bytes({.version = v, .radios = radios}));
    ASSERT_EQ(r.c.radios.Count(), 4);
    for (int id = 1; id <= 4; ++id)
      EXPECT_EQ(r.Radio(id)->thumbnailFile, pictures[id - 1].second)
          << "version " << v << ", " << pictures[id - 1].first;
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
}

TEST(DataFileVersions, UnknownEnteredIntoTablesOfOlderFiles) {
  FileRadio upright;
  upright.cabinetStyle = "2Upright";  // its position before "Unknown" came in
  // A table that has the default entry already needs no warning: the entry is the loader's doing.
  const Reading v22(
      Bytes({.version = 22, .radios = {upright}, .tables = {{"Bands", {"AM", "AM/SW", "Unknown"}}}}));
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
  // Technology, brand, cabinet style, push buttons, power source and status.
  using References = std::tuple<int, int, int, int, int, int>;
  const auto read = [](const Reading& file) {
    const RadioRecord* x = file.Radio(1);
    return x == nullptr ? References{} : References{x->technology,  x->brand,       x->cabinetStyle,
                                                    x->pushButtons, x->powerSource, x->status};
  };
  EXPECT_EQ(read(Reading(Bytes({.version = 26, .radios = {r}}))),
            References(kTechTube, 1, 2, kYes, 0, kStatusSold));
  r.cabinetStyle = "2Cathedral";
  EXPECT_EQ(read(Reading(Bytes({.version = 27, .radios = {r}}))),
            References(kTechCrystal, 0, 2, kNo, 1, kStatusSold));
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
  const std::string philco2 = test::DescribeRadio(c.tables, *v15.Radio(2));
  for (const char* field : {"\nManufacturer: Philco Corp\n", "\nCabinet Style: Cathedral\n",
                            "\nGrill Position: Top\n", "\nPower Source: Unknown\n"})
    EXPECT_NE(philco2.find(field), std::string::npos) << "the Philco does not read" << field << philco2;
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

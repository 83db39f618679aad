// A damaged or hand-edited data file must load what it can, say what was wrong, and never crash.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "collection/data_file.h"
#include "collection/mapped_file.h"
#include "support/collection_builder.h"
#include "support/temp_dir.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

using test::TempDir;
using test::WriteFile;

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

struct Loaded {
  Collection collection;
  std::vector<std::string> messages;
};

Loaded Load(const std::string& bytes) {
  TempDir dir;
  WriteFile(dir / "radata.dat", bytes);
  MessageRecorder recorder;
  Loaded loaded;
  ReadDataFile(dir / "radata.dat", dir / "radata.org", loaded.collection);
  loaded.messages = recorder.Texts();
  return loaded;
}

bool Mentions(const std::vector<std::string>& messages, const std::string& words) {
  return std::any_of(messages.begin(), messages.end(),
                     [&](const std::string& m) { return m.find(words) != std::string::npos; });
}

std::string Replace(std::string bytes, const std::string& from, const std::string& to) {
  const std::size_t at = bytes.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) bytes.replace(at, from.size(), to);
  return bytes;
}

TEST(DamagedDataFile, AFileCutAnywhereLoadsWhatPrecedesTheCut) {
  const std::string whole = SampleFile();
  int lines = 0;
  for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
    if (cut > 0 && whole[cut - 1] != '\n' && cut % 7 != 0) continue;  // every line end, and mid-line
    lines += whole[cut - (cut > 0 ? 1 : 0)] == '\n';
    const Loaded loaded = Load(whole.substr(0, cut));
    const Collection& c = loaded.collection;
    EXPECT_LE(c.radios.Count(), 3) << cut;
    EXPECT_EQ(c.radios.Count(), c.asLoaded.Count()) << cut;
    if (cut < whole.size() && c.radios.Count() < 3 && cut > 100) {
      EXPECT_TRUE(Mentions(loaded.messages, "ends early")) << cut;
      // The clear word alone: not the radio count besides, and nothing twice.
      EXPECT_FALSE(Mentions(loaded.messages, "Radio count")) << cut;
    }
    std::vector<std::string> once = loaded.messages;
    std::sort(once.begin(), once.end());
    EXPECT_EQ(std::unique(once.begin(), once.end()), once.end()) << cut;
  }
  EXPECT_GT(lines, 100);
  EXPECT_TRUE(Load(whole).messages.empty());
}

// Something else under the data file's name is named once as no data file and not read at all.
TEST(DamagedDataFile, AnEmptyFileOrRandomBytesAreNoDataFile) {
  std::string noise;
  for (int i = 0; i < 5000; ++i) noise.push_back(static_cast<char>((i * 7919 + 13) % 256));
  for (const std::string& bytes : {std::string(), std::string(" \r\n"), noise, std::string("GIF89a\r\n")}) {
    TempDir dir;
    WriteFile(dir / "radata.dat", bytes);
    MessageRecorder recorder;
    Collection c;
    EXPECT_FALSE(ReadDataFile(dir / "radata.dat", dir / "radata.org", c).opened);
    ASSERT_EQ(recorder.Texts().size(), 1u);
    EXPECT_EQ(recorder.Texts()[0],
              "'" + (dir / "radata.dat") +
                  "' is not a Korvel data file, so nothing was read from it. Nothing is "
                  "written over it unless you save; a save keeps it as a numbered backup.");
  }
  // The oldest files begin with their radio count, without a version line.
  EXPECT_FALSE(Mentions(Load("0\r\n").messages, "not a Korvel data file"));
  // A version line over something else reads no radio, and says so; an empty collection says nothing.
  EXPECT_TRUE(Mentions(Load("#27 --- Version ---\r\n").messages, "nothing follows its version line"));
  EXPECT_TRUE(Mentions(Load("#27 --- Version ---\r\nDear Sir,\r\n").messages,
                       "line 2, where the number of radios belongs, reads \"Dear Sir,\""));
  EXPECT_TRUE(Load(FormatDataFile(Collection{})).messages.empty()) << "a new, empty collection complained";
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
  const Loaded reference = Load(whole);
  for (const auto& c : cases) {
    const Loaded loaded = Load(c.bytes);
    EXPECT_EQ(FormatDataFile(loaded.collection), FormatDataFile(reference.collection))
        << c.what << " misread";
    ASSERT_EQ(loaded.messages.size(), c.message != nullptr ? 1u : 0u) << c.what;
    if (c.message != nullptr) {
      EXPECT_TRUE(Mentions(loaded.messages, c.message)) << loaded.messages[0];
    }
  }
}

TEST(DamagedDataFile, PositionsOutsideTheirTablesAreFoundByName) {
  const std::string bytes = Replace(SampleFile(), "Radio ---\r\n5Zenith\r\n", "Radio ---\r\n99Zenith\r\n");
  const Loaded loaded = Load(bytes);
  ASSERT_EQ(loaded.collection.radios.Count(), 3);
  const RadioRecord* zenith = loaded.collection.radios.FindById(2);
  ASSERT_NE(zenith, nullptr);
  EXPECT_EQ(loaded.collection.tables[kTableBrandName].Text(zenith->brand), "Zenith");
  EXPECT_TRUE(Mentions(loaded.messages, "Radio 2 (line")) << loaded.messages.size();
  EXPECT_TRUE(Mentions(loaded.messages, "found by its name"));

  const Loaded unknown = Load(Replace(SampleFile(), "Radio ---\r\n5Zenith\r\n", "Radio ---\r\n99Nobody\r\n"));
  EXPECT_EQ(unknown.collection.radios.FindById(2)->brand, 0);
  EXPECT_TRUE(Mentions(unknown.messages, "set to the first entry"));

  // A status beyond the built-in table, found by its text.
  const Loaded status = Load(Replace(SampleFile(), "\r\n11To Be Restored\r\n", "\r\n40Sold\r\n"));
  ASSERT_GT(status.collection.radios.Count(), 0);
  EXPECT_TRUE(Mentions(status.messages, "status position 40"));
}

TEST(DamagedDataFile, TooManyTubesOrPicturesKeepTheFirstAndStayInStep) {
  std::string tubes = "\r\n31\r\n";
  for (int i = 0; i < 31; ++i) tubes += "20Rectifier\r\n" + std::to_string(i) + "Z" + "\r\n";
  std::string bytes = Replace(SampleFile(), "\r\n1\r\n20Rectifier\r\n80\r\n", tubes);
  bytes = Replace(
      bytes, "\r\n1\r\npictures\\x.jpg\r\n", "\r\n12\r\n" + [] {
        std::string lines;
        for (int i = 0; i < 12; ++i) lines += "pictures\\p" + std::to_string(i) + ".jpg\r\n";
        return lines;
      }());
  const Loaded loaded = Load(bytes);
  ASSERT_EQ(loaded.collection.radios.Count(), 3);  // the records after it are read in step
  const RadioRecord* first = loaded.collection.radios.FindById(1);
  EXPECT_EQ(first->tubes[29].type, "29Z");
  EXPECT_EQ(first->tubes.HeldCount(), kTubeSlotCount);
  EXPECT_EQ(first->extraPictureCount, kExtraPictureLimit);
  EXPECT_EQ(first->extraPictureFiles[9], "pictures\\p9.jpg");
  EXPECT_TRUE(Mentions(loaded.messages, "lists 31 tubes"));
  EXPECT_TRUE(Mentions(loaded.messages, "lists 12 extra pictures"));
  EXPECT_TRUE(loaded.collection.radios.FindById(3) != nullptr);
  EXPECT_EQ(loaded.collection.macros.size(), 1u);
}

TEST(DamagedDataFile, OverlongLinesAreReadWholeAndReported) {
  const std::string model(1500, 'm');
  const std::string bytes =
      Replace(SampleFile(), "\r\nUnknown\r\n\r\n1940\r\n", "\r\n" + model + "\r\n\r\n1940\r\n");
  const Loaded loaded = Load(bytes);
  ASSERT_EQ(loaded.collection.radios.Count(), 3);
  EXPECT_EQ(loaded.collection.radios.FindById(1)->model, model);
  EXPECT_TRUE(Mentions(loaded.messages, "longer than 1024 characters"));
}

TEST(DamagedDataFile, BadAliasesAndMacroStepsAreReportedAndKept) {
  std::string bytes = Replace(SampleFile(), "1 --- Tube Aliases ---\r\nECC32 6SN7\r\n",
                              "2 --- Tube Aliases ---\r\nECC32 6SN7\r\nLONELY\r\n");
  bytes = Replace(bytes, "1\r\npush\r\n", "2\r\npush\r\n+Nonsense=1\r\n");
  const Loaded loaded = Load(bytes);
  EXPECT_EQ(loaded.collection.aliases.size(), 1u);
  EXPECT_TRUE(Mentions(loaded.messages, "\"LONELY\" names only one tube"));
  ASSERT_EQ(loaded.collection.macros.size(), 1u);
  const SelectionMacro& macro = loaded.collection.macros[0];
  ASSERT_EQ(macro.entries.size(), 2u);
  EXPECT_FALSE(macro.entries[1].parsed);
  EXPECT_TRUE(Mentions(loaded.messages, "\"+Nonsense=1\" is not a selection step"));
  // Saved again, the step is written as it was read.
  EXPECT_NE(FormatDataFile(loaded.collection).find("\r\n+Nonsense=1\r\n"), std::string::npos);
}

TEST(DamagedDataFile, ManyProblemsAreSummedUpInsteadOfOneBoxEach) {
  std::string bytes = SampleFile();
  const std::string aliases = "1 --- Tube Aliases ---\r\nECC32 6SN7\r\n";
  std::string many = "30 --- Tube Aliases ---\r\n";
  for (int i = 0; i < 30; ++i) many.append("X").append(std::to_string(i)).append("\r\n");
  const Loaded loaded = Load(Replace(bytes, aliases, many));
  EXPECT_EQ(loaded.messages.size(), 9u);
  EXPECT_TRUE(Mentions(loaded.messages, "22 more problems"));
}

TEST(DamagedDataFile, CountsAndCountersFromTheFileAreBounded) {
  std::string bytes =
      Replace(SampleFile(), "0 --- Next Backup File Number", "250 --- Next Backup File Number");
  bytes = Replace(bytes, "\n1 --- Next ID", "\n-5 --- Next ID");
  bytes = Replace(bytes, "3 --- Number of Radios", "2147483647999 --- Number of Radios");
  const Loaded loaded = Load(bytes);
  EXPECT_EQ(loaded.collection.nextBackupNumber, 0);
  EXPECT_EQ(loaded.collection.nextId, 4);  // above every identifier in the file
  // The claimed count cannot be met: the radios that are there are read, and the sections after
  // them still are.
  EXPECT_EQ(loaded.collection.radios.Count(), 3);
  EXPECT_EQ(loaded.collection.aliases.size(), 1u);
  EXPECT_EQ(loaded.collection.macros.size(), 1u);
  EXPECT_TRUE(Mentions(loaded.messages, "holds 3 radios where its header says 2147483647"));
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

}  // namespace
}  // namespace korvel

// The save at exit and the load at start-up, on real directories.
#include <gtest/gtest.h>

#include <filesystem>

#include "collection/data_file.h"
#include "collection/file_writer.h"
#include "support/collection_builder.h"
#include "support/temp_dir.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

std::string SmallFile(int radios) {
  Collection c = test::MakeCollection();
  for (int id = 1; id <= radios; ++id) test::AddLoadedRadio(c, {.id = id});
  c.nextId = radios + 1;
  return FormatDataFile(c);
}

TEST(Save, NothingIsWrittenUnlessTheCollectionChanged) {
  TempDir dir;
  WriteFile(dir / "radata.dat", SmallFile(2));
  MessageRecorder messages;
  Collection c;
  const LoadOutcome load = LoadCollection(dir.path().string(), c);
  ASSERT_TRUE(load.opened);
  EXPECT_TRUE(SaveCollection(load.paths, c));
  EXPECT_FALSE(fs::exists(dir.path() / "radata.000"));
  EXPECT_TRUE(messages.messages().empty());
}

TEST(Save, BackupsAreNumberedAndCycleThroughAHundred) {
  TempDir dir;
  Collection first = test::MakeCollection();
  first.nextBackupNumber = 98;
  WriteFile(dir / "radata.dat", FormatDataFile(first));
  MessageRecorder messages;
  std::vector<std::string> before;
  for (int run = 0; run < 3; ++run) {
    Collection c;
    const LoadOutcome load = LoadCollection(dir.path().string(), c);
    before.push_back(ReadFile(dir / "radata.dat"));
    test::AddLoadedRadio(c, {.id = 100 + run});
    c.changed = true;
    ASSERT_TRUE(SaveCollection(load.paths, c));
    EXPECT_EQ(c.changed, false);
  }
  EXPECT_EQ(ReadFile(dir / "radata.098"), before[0]);
  EXPECT_EQ(ReadFile(dir / "radata.099"), before[1]);
  EXPECT_EQ(ReadFile(dir / "radata.000"), before[2]);
  EXPECT_FALSE(fs::exists(dir.path() / "radata.new"));

  Collection last;
  LoadCollection(dir.path().string(), last);
  EXPECT_EQ(last.nextBackupNumber, 1);
  EXPECT_EQ(last.radios.Count(), 3);
  EXPECT_TRUE(messages.messages().empty());
}

TEST(Save, ANewCollectionKeepsTheBackupsOfTheOneBefore) {
  // A data file that could not be read (here: not a data file at all) and two backups of the
  // collection that was there; the user starts afresh in the same directory and saves.
  TempDir dir;
  WriteFile(dir / "radata.dat", "garbage");
  WriteFile(dir / "radata.000", "older backup");
  WriteFile(dir / "radata.001", "newest backup");
  const auto now = fs::file_time_type::clock::now();
  fs::last_write_time(dir.path() / "radata.000", now - std::chrono::hours(2));
  fs::last_write_time(dir.path() / "radata.001", now - std::chrono::hours(1));
  const DataFilePaths paths = MakeDataFilePaths(dir.path().string());
  EXPECT_EQ(ContinueBackupNumbers(paths), 2);

  Collection fresh = test::MakeCollection();
  fresh.nextBackupNumber = ContinueBackupNumbers(paths);
  fresh.changed = true;
  MessageRecorder messages;
  ASSERT_TRUE(SaveCollection(paths, fresh));
  EXPECT_EQ(ReadFile(dir / "radata.000"), "older backup");
  EXPECT_EQ(ReadFile(dir / "radata.001"), "newest backup");
  EXPECT_EQ(ReadFile(dir / "radata.002"), "garbage");

  // Numbering wraps past 099, and an empty directory starts at 000.
  WriteFile(dir / "radata.099", "newer still");
  EXPECT_EQ(ContinueBackupNumbers(paths), 0);
  TempDir empty;
  EXPECT_EQ(ContinueBackupNumbers(MakeDataFilePaths(empty.path().string())), 0);
}

TEST(Save, AFailedBackupLeavesTheDataFileAndBackupsAlone) {
  TempDir dir;
  const std::string original = SmallFile(2);
  WriteFile(dir / "radata.dat", original);
  WriteFile(dir / "radata.000", "the previous backup");
  MessageRecorder messages;
  Collection c;
  const LoadOutcome load = LoadCollection(dir.path().string(), c);
  c.changed = true;

  // The backup cannot be made (something takes its name at that moment): nothing moves, and
  // radata.new is cleaned away.
  SetFileStepHook([](const char* step, const std::string& path) {
    if (std::string(step) == "link") fs::create_directory(path);
  });
  EXPECT_FALSE(SaveCollection(load.paths, c));
  SetFileStepHook(nullptr);
  ASSERT_EQ(messages.Texts().size(), 1u);
  EXPECT_EQ(messages.messages()[0].severity, kError);
  EXPECT_EQ(ReadFile(dir / "radata.dat"), original);
  EXPECT_FALSE(fs::exists(dir.path() / "radata.new"));
  EXPECT_TRUE(c.changed);  // still to be saved
  EXPECT_EQ(c.nextBackupNumber, 0);

  // Once the way is clear the same collection saves.
  fs::remove_all(dir.path() / "radata.001");
  EXPECT_TRUE(SaveCollection(load.paths, c));
  EXPECT_EQ(ReadFile(dir / "radata.001"), original);
  EXPECT_EQ(c.nextBackupNumber, 2);
  EXPECT_EQ(ReadFile(dir / "radata.000"), "the previous backup");
}

TEST(Save, AFirstSaveNeedsNoOldFile) {
  TempDir dir;
  MessageRecorder messages;
  Collection c;
  const LoadOutcome load = LoadCollection((dir / "new collection"), c);
  EXPECT_FALSE(load.opened);
  EXPECT_EQ(messages.Texts().size(), 1u);  // "Unable to open ..."
  auto radio = std::make_unique<RadioRecord>();
  radio->id = 1;
  AddRadio(c, std::move(radio));
  c.changed = true;
  EXPECT_TRUE(SaveCollection(load.paths, c));
  EXPECT_TRUE(fs::exists(dir.path() / "new collection" / "radata.dat"));
  EXPECT_FALSE(fs::exists(dir.path() / "new collection" / "radata.000"));
}

TEST(Load, FindsTheFileFallsBackAndNamesMissingPictures) {
  TempDir dir;
  MessageRecorder messages;
  Collection written = test::MakeCollection();
  RadioRecord* r = test::AddLoadedRadio(written, {.id = 1, .brand = "Philco", .model = "Model 90"});
  r->pictureFile = "";
  WriteFile(dir / "radata.org", FormatDataFile(written));

  Collection c;
  const LoadOutcome load = LoadCollection(dir.path().string(), c);
  EXPECT_TRUE(load.opened);
  EXPECT_EQ(load.paths.directory, dir.path().string());
  EXPECT_EQ(load.paths.data, dir.path().string() + "\\radata.dat");
  EXPECT_EQ(c.radios.Count(), 1);
  EXPECT_FALSE(c.changed);
  EXPECT_EQ(c.radios[0]->pictureFile, "pictures\\Philco\\model90.jpg");
  EXPECT_EQ(c.radios[0]->thumbnailFile, "pictures\\Philco\\smallpix\\model90.jpg");
  EXPECT_TRUE(messages.messages().empty());

  // A directory given with a trailing separator or in the collection's own backslash form.
  Collection again;
  EXPECT_TRUE(LoadCollection(dir.path().string() + "\\", again).opened);
  EXPECT_EQ(again.radios.Count(), 1);
}

}  // namespace
}  // namespace korvel

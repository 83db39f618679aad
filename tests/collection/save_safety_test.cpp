// The save at exit and the load at start-up, on real directories: a save killed at any instant, and
// the ways other programs and users touch a data directory, leave every version of the collection on disk.
#include <sys/stat.h>

#include "collection/killed_save.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;
using namespace test;

TEST(SaveSafety, KilledAtEveryFileOperationTheOldOrNewCollectionLoadsWhole) {
  KillEverySaveStep(fs::path(KORVEL_SAMPLE) / "radata.dat", false);
}

TEST(SaveSafety, BackupsModeAndDirectoriesAsUsersLeaveThem) {
  MessageRecorder messages;
  const auto save = [&](const fs::path& directory) {
    Collection c;
    const LoadOutcome load = LoadCollection(directory.string(), c);
    AddOne(c);
    EXPECT_TRUE(SaveCollection(load.paths, c));
    return Content(c);
  };
  Collection first = test::MakeCollection();
  first.nextBackupNumber = 98;
  AddOne(first);

  // Each save keeps the file it replaces as the next numbered backup, the numbers wrapping after 099.
  TempDir dir;
  WriteFile(dir / "radata.dat", FormatDataFile(first));
  for (const char* backup : {"radata.098", "radata.099", "radata.000"}) {
    const std::string replaced = ReadFile(dir / "radata.dat");
    save(dir.path());
    EXPECT_EQ(ReadFile(dir / backup), replaced) << backup << " is not the file its save replaced";
  }
  EXPECT_FALSE(fs::exists(dir.path() / "radata.new"));
  Collection saved;
  LoadCollection(dir.path().string(), saved);
  EXPECT_EQ(saved.nextBackupNumber, 1);

  // A backup restored by hand: the next saves follow the newest backup, never over it.
  fs::copy_file(dir.path() / "radata.099", dir.path() / "radata.dat", fs::copy_options::overwrite_existing);
  const std::set<std::string> before = Versions(dir.path());
  save(dir.path());
  save(dir.path());
  for (const std::string& version : before)
    EXPECT_TRUE(Versions(dir.path()).count(version)) << "a backup was lost";
  EXPECT_TRUE(fs::exists(dir.path() / "radata.002"));

  // A private collection stays private and in its group.
  fs::permissions(dir.path() / "radata.dat", fs::perms::owner_read | fs::perms::owner_write);
  std::vector<gid_t> groups(static_cast<std::size_t>(std::max(getgroups(0, nullptr), 0)));
  getgroups(static_cast<int>(groups.size()), groups.data());
  const gid_t group = groups.empty() ? getegid() : groups.back();
  ASSERT_EQ(chown((dir / "radata.dat").c_str(), static_cast<uid_t>(-1), group), 0);
  save(dir.path());
  struct stat info {};
  ASSERT_EQ(stat((dir / "radata.dat").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u) << "a private collection became readable by others";
  EXPECT_EQ(info.st_gid, group);

  // A radata.new left beside radata.dat is kept as a backup, never written over.
  WriteFile(dir / "radata.new", FormatDataFile(first) + "left");
  messages.Clear();
  save(dir.path());
  EXPECT_EQ(messages.messages().size(), 1u) << "the leftover radata.new was not named";
  bool kept = false;
  for (int n = 0; n < kBackupCount; ++n)
    kept = kept ||
           ReadFile(BackupPath(MakeDataFilePaths(dir.path().string()), n)) == FormatDataFile(first) + "left";
  EXPECT_TRUE(kept) << "the leftover radata.new was lost";

  // "c:st" beside "st" is its own directory, never drive C's "st".
  TempDir drives;
  fs::create_directory(drives.path() / "st");
  fs::create_directory(drives.path() / "c:st");
  WriteFile(drives / "st/radata.dat", FormatDataFile(first));
  WriteFile(drives / "c:st/radata.dat", FormatDataFile(test::MakeCollection()));
  const fs::path here = fs::current_path();
  fs::current_path(drives.path());
  Collection c;
  const LoadOutcome load = LoadCollection("st", c);
  fs::current_path(here);
  EXPECT_EQ(load.paths.directory, "st");
  EXPECT_EQ(c.radios.Count(), 1);
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

  // An empty directory starts at 000 (the numbers wrapping past 099: the backups test).
  TempDir empty;
  EXPECT_EQ(ContinueBackupNumbers(MakeDataFilePaths(empty.path().string())), 0);
}

TEST(Save, AFailedBackupLeavesTheDataFileAndBackupsAlone) {
  TempDir dir;
  Collection two = test::MakeCollection();
  AddOne(two);
  AddOne(two);
  const std::string original = FormatDataFile(two);
  WriteFile(dir / "radata.dat", original);
  WriteFile(dir / "radata.000", "the previous backup");
  MessageRecorder messages;
  Collection c;
  const LoadOutcome load = LoadCollection(dir.path().string(), c);
  EXPECT_TRUE(SaveCollection(load.paths, c));
  EXPECT_FALSE(fs::exists(dir.path() / "radata.001")) << "an unchanged collection was saved";
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
  AddRadio(c, std::make_unique<RadioRecord>());
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

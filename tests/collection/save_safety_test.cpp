// A save killed at any instant, and the ways other programs and users touch a data directory:
// every version of the collection stays on disk.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "collection/data_file.h"
#include "collection/file_writer.h"
#include "collection/killed_save.h"
#include "support/collection_builder.h"
#include "support/temp_dir.h"
#include "util/message_recorder.h"

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
  AddOne(first);

  // A backup restored by hand: the next saves follow the newest backup, never over it.
  TempDir dir;
  WriteFile(dir / "radata.dat", FormatDataFile(first));
  save(dir.path());
  save(dir.path());
  save(dir.path());  // backups 000, 001, 002
  fs::copy_file(dir.path() / "radata.001", dir.path() / "radata.dat", fs::copy_options::overwrite_existing);
  const std::set<std::string> before = Versions(dir.path());
  save(dir.path());
  save(dir.path());
  for (const std::string& version : before)
    EXPECT_TRUE(Versions(dir.path()).count(version)) << "a backup was lost";
  EXPECT_TRUE(fs::exists(dir.path() / "radata.004"));

  // A private collection stays private and in its group.
  fs::permissions(dir.path() / "radata.dat", fs::perms::owner_read | fs::perms::owner_write);
  const gid_t group = getgroups(0, nullptr) > 0 ? [] {
    std::vector<gid_t> groups(static_cast<std::size_t>(getgroups(0, nullptr)));
    getgroups(static_cast<int>(groups.size()), groups.data());
    return groups.back();
  }()
                                                 : getegid();
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
    kept = kept || (fs::exists(BackupPath(MakeDataFilePaths(dir.path().string()), n)) &&
                    ReadFile(BackupPath(MakeDataFilePaths(dir.path().string()), n)) ==
                        FormatDataFile(first) + "left");
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

}  // namespace
}  // namespace korvel

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
#include "support/collection_builder.h"
#include "support/temp_dir.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// A collection's text with the backup counter left out: the counter is the one thing a save
// changes on its own.
std::string Content(Collection& c) {
  const int number = c.nextBackupNumber;
  c.nextBackupNumber = 0;
  std::string text = FormatDataFile(c);
  c.nextBackupNumber = number;
  return text;
}

std::string LoadedContent(const std::string& directory) {
  Collection c;
  EXPECT_TRUE(LoadCollection(directory, c).opened) << "the collection in " << directory << " did not open";
  return Content(c);
}

// The change every save here makes: one more radio.
void AddOne(Collection& c) {
  test::AddLoadedRadio(c, {.id = c.nextId, .brand = "Zenith", .model = "Trans-Oceanic"});
  ++c.nextId;
  c.changed = true;
}

// Every file's text in the directory (versions of the collection, whatever their names).
std::set<std::string> Versions(const fs::path& directory) {
  std::set<std::string> texts;
  for (const auto& entry : fs::directory_iterator(directory)) {
    if (!entry.is_regular_file()) continue;
    Collection c;
    CollectedMessages quiet;
    if (ReadDataBytes(ReadFile(entry.path().string()), "x", c) >= 0 && c.radios.Count() > 0)
      texts.insert(Content(c));
  }
  return texts;
}

TEST(SaveSafety, KilledAtEveryFileOperationTheOldOrNewCollectionLoadsWhole) {
  TempDir scratch;
  fs::copy_file(fs::path(KORVEL_SAMPLE) / "radata.dat", scratch.path() / "radata.dat");
  MessageRecorder messages;
  const std::string old = LoadedContent(scratch.path().string());
  Collection changed;
  LoadCollection(scratch.path().string(), changed);
  AddOne(changed);

  // The steps of one save, in order.
  std::vector<std::string> steps;
  SetFileStepHook([&](const char* step, const std::string& path) {
    steps.push_back(std::string(step) + " " + fs::path(path).filename().string());
  });
  ASSERT_TRUE(SaveCollection(MakeDataFilePaths(scratch.path().string()), changed));
  SetFileStepHook(nullptr);
  const std::string saved = LoadedContent(scratch.path().string());  // the new radio's pictures named
  const auto at = [&](const std::string& step) {
    return std::find(steps.begin(), steps.end(), step) - steps.begin();
  };
  EXPECT_LT(at("sync radata.new"), at("rename radata.new"))
      << "radata.new must be on disk before it is renamed";
  EXPECT_LT(at("link radata.000"), at("rename radata.new"))
      << "the backup must exist before the file is replaced";
  EXPECT_GT(at("sync directory " + scratch.path().filename().string()), at("rename radata.new"))
      << "the rename must be made durable";

  for (std::size_t kill = 0; kill <= steps.size(); ++kill) {
    SCOPED_TRACE("killed before step " + std::to_string(kill) +
                 (kill < steps.size() ? " (" + steps[kill] + ")" : " (after the last)"));
    TempDir dir;
    fs::copy_file(fs::path(KORVEL_SAMPLE) / "radata.dat", dir.path() / "radata.dat");
    const pid_t child = fork();
    if (child == 0) {
      std::size_t count = 0;
      SetFileStepHook([&](const char*, const std::string&) {
        if (count++ == kill) ::raise(SIGKILL);
      });
      Collection c;
      LoadCollection(dir.path().string(), c);
      AddOne(c);
      _exit(SaveCollection(MakeDataFilePaths(dir.path().string()), c) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(kill < steps.size(), WIFSIGNALED(status));

    messages.Clear();
    Collection c;
    ASSERT_TRUE(LoadCollection(dir.path().string(), c).opened);
    const std::string loaded = Content(c);
    EXPECT_TRUE(loaded == old || loaded == saved)
        << "the collection on disk is neither the old nor the new one";
    EXPECT_TRUE(messages.messages().empty()) << messages.Texts().front();

    // The next save succeeds and keeps every version there was.
    const std::set<std::string> before = Versions(dir.path());
    AddOne(c);
    ASSERT_TRUE(SaveCollection(MakeDataFilePaths(dir.path().string()), c));
    Collection again;
    LoadCollection(dir.path().string(), again);
    EXPECT_EQ(again.radios.Count(), c.radios.Count()) << "the second save did not load whole";
    const std::set<std::string> after = Versions(dir.path());
    for (const std::string& version : before) EXPECT_TRUE(after.count(version)) << "a version was lost";
  }
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

// A save killed before each of its file operations in turn, in a child process: what every run
// leaves must load as the old or the new collection, whole, and take a second save.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "collection/data_file.h"
#include "collection/file_writer.h"
#include "support/collection_builder.h"
#include "support/temp_dir.h"
#include "util/message_recorder.h"

namespace korvel::test {

namespace fs = std::filesystem;

// A collection's text with the backup counter left out: the counter is the one thing a save
// changes on its own.
inline std::string Content(Collection& c) {
  const int number = c.nextBackupNumber;
  c.nextBackupNumber = 0;
  std::string text = FormatDataFile(c);
  c.nextBackupNumber = number;
  return text;
}

inline std::string LoadedContent(const std::string& directory) {
  Collection c;
  EXPECT_TRUE(LoadCollection(directory, c).opened) << "the collection in " << directory << " did not open";
  return Content(c);
}

// The change every save here makes: one more radio.
inline void AddOne(Collection& c) {
  AddLoadedRadio(c, {.id = c.nextId, .brand = "Zenith", .model = "Trans-Oceanic"});
  ++c.nextId;
  c.changed = true;
}

// Every file's text in the directory (versions of the collection, whatever their names).
inline std::set<std::string> Versions(const fs::path& directory) {
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

// Saves the collection in `original` with one radio more, killed before each file operation of the
// save in turn, then loads what is left and saves again. A large collection is written in many
// buffers alike: `large` kills before the first, a middle and the last write only, and leaves out
// the search for every earlier version among the files left.
inline void KillEverySaveStep(const fs::path& original, bool large) {
  const bool everyVersion = !large;
  TempDir scratch;
  fs::copy_file(original, scratch.path() / "radata.dat");
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

  std::vector<std::size_t> writes;
  for (std::size_t i = 0; i < steps.size(); ++i)
    if (steps[i].starts_with("write ")) writes.push_back(i);
  if (large) {
    EXPECT_GT(writes.size(), 3u) << "the large collection was written in one piece";
  }
  const auto skipped = [&](std::size_t step) {
    if (!large || step >= steps.size() || !steps[step].starts_with("write ")) return false;
    return step != writes.front() && step != writes[writes.size() / 2] && step != writes.back();
  };

  for (std::size_t kill = 0; kill <= steps.size(); ++kill) {
    if (skipped(kill)) continue;
    SCOPED_TRACE("killed before step " + std::to_string(kill) +
                 (kill < steps.size() ? " (" + steps[kill] + ")" : " (after the last)"));
    TempDir dir;
    fs::copy_file(original, dir.path() / "radata.dat");
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
    const std::set<std::string> before = everyVersion ? Versions(dir.path()) : std::set<std::string>();
    AddOne(c);
    ASSERT_TRUE(SaveCollection(MakeDataFilePaths(dir.path().string()), c));
    Collection again;
    LoadCollection(dir.path().string(), again);
    EXPECT_EQ(again.radios.Count(), c.radios.Count()) << "the second save did not load whole";
    const std::set<std::string> after = everyVersion ? Versions(dir.path()) : std::set<std::string>();
    for (const std::string& version : before) EXPECT_TRUE(after.count(version)) << "a version was lost";
  }
}

}  // namespace korvel::test

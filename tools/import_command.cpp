#include "import_command.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "collection/data_file.h"
#include "collection/radio_ops.h"
#include "import/apply_import.h"
#include "import/csv_reader.h"
#include "tool_lock.h"
#include "util/message_recorder.h"

namespace korvel::tool {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

void PrintMessages(const MessageRecorder& messages) {
  for (const Message& m : messages.messages())
    std::fprintf(stderr, "%s: %s\n", MessageCaption(m.severity), m.text.c_str());
}

}  // namespace

int ImportCommand(const std::string& directory, const std::vector<std::string>& arguments) {
  std::string file;
  bool dryRun = false, skipFaulty = false;
  for (const std::string& argument : arguments) {
    if (argument == "--dry-run") {
      dryRun = true;
    } else if (argument == "--skip-faulty") {
      skipFaulty = true;
    } else if (file.empty() && !argument.starts_with("--")) {
      file = argument;
    } else {
      std::fprintf(stderr, "usage: korvel-tool import DIR FILE.csv [--dry-run] [--skip-faulty]\n");
      return kExitUsage;
    }
  }
  if (file.empty()) {
    std::fprintf(stderr, "usage: korvel-tool import DIR FILE.csv [--dry-run] [--skip-faulty]\n");
    return kExitUsage;
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "Error: Couldn't open '%s'.\n", file.c_str());
    return kExitFailed;
  }
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

  MessageRecorder messages;
  Collection collection;
  DataFilePaths paths = MakeDataFilePaths(directory);
  if (DataFileExists(directory)) {
    const LoadOutcome load = LoadCollectionAt(paths, collection);
    if (!load.opened) {
      PrintMessages(messages);
      return kExitFailed;
    }
  } else {
    // As File > New Collection makes one.
    StartNewCollection(collection);
    collection.nextBackupNumber = ContinueBackupNumbers(paths);
  }

  CollectionLock lock;
  if (!dryRun && !LockForWriting(lock, paths.directory)) {
    PrintMessages(messages);
    return kExitLocked;
  }

  ImportPlan plan = PlanImport(collection, ReadCsv(bytes));
  for (const ImportProblem& problem : plan.problems) std::printf("%s\n", ProblemText(problem).c_str());
  if (plan.unreadable || (plan.faultyFields > 0 && !skipFaulty)) {
    std::printf("imported 0 radios, skipped 0 fields\n");
    return kExitFailed;
  }
  const int radios = static_cast<int>(plan.rows.size());
  const int skipped = plan.faultyFields;
  // A file without rows changes nothing, so nothing is saved.
  if (!dryRun && radios > 0) {
    ApplyImport(collection, std::move(plan), skipFaulty);
    collection.changed = true;
    if (!SaveCollection(paths, collection)) {
      PrintMessages(messages);
      return kExitFailed;
    }
  }
  PrintMessages(messages);
  std::printf("imported %d radios, skipped %d fields\n", radios, skipped);
  return kExitOk;
}

}  // namespace korvel::tool

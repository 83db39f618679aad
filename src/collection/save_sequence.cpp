#include <cstdio>
#include <filesystem>
#include <system_error>

#include "collection/data_file.h"
#include "collection/file_writer.h"
#include "util/alu_path.h"
#include "util/message.h"

namespace korvel {

DataFilePaths MakeDataFilePaths(const std::string& directory) {
  const auto join = [&](const char* name) { return directory + "\\" + name; };
  return {directory, join("radata.dat"), join("radata.org"), join("radata.bak"), join("radata.new")};
}

int ContinueBackupNumbers(const DataFilePaths& paths) {
  namespace fs = std::filesystem;
  const std::size_t dot = paths.backup.rfind('.');
  if (dot == std::string::npos) return 0;
  int newest = -1;
  fs::file_time_type newestTime{};
  for (int number = 0; number < kBackupCount; ++number) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%03d", number);
    std::error_code ec;
    const fs::file_time_type time =
        fs::last_write_time(AluNativePath(paths.backup.substr(0, dot + 1) + digits), ec);
    if (ec) continue;
    if (newest < 0 || time > newestTime) {
      newest = number;
      newestTime = time;
    }
  }
  return newest < 0 ? 0 : (newest + 1) % kBackupCount;
}

bool SaveCollection(const DataFilePaths& paths, Collection& collection) {
  namespace fs = std::filesystem;
  if (!collection.changed) return true;

  const std::size_t dot = paths.backup.rfind('.');
  if (dot == std::string::npos) {
    ShowMessage(kError, kButtonsOk, "Internal");
    return false;
  }
  const int number = collection.nextBackupNumber >= 0 && collection.nextBackupNumber < kBackupCount
                         ? collection.nextBackupNumber
                         : 0;
  char digits[8];
  std::snprintf(digits, sizeof digits, "%03d", number);
  const std::string backup = paths.backup.substr(0, dot + 1) + digits;

  // The file stores the number of the next backup; it only moves on when the save succeeds.
  collection.nextBackupNumber = (number + 1) % kBackupCount;
  if (!WriteDataFile(paths.next, collection)) {
    collection.nextBackupNumber = number;
    return false;
  }

  const std::string data = AluNativePath(paths.data);
  const std::string next = AluNativePath(paths.next);
  const std::string numbered = AluNativePath(backup);
  std::error_code ec;
  const bool hadData = fs::exists(data, ec);
  if (hadData) {
    fs::remove(numbered, ec);  // the oldest backup makes way
    fs::rename(data, numbered, ec);
    if (ec) {
      ShowMessage(kError, kButtonsOk, "Unable to rename '%s' to '%s': %s. The data file was not saved.",
                  paths.data.c_str(), backup.c_str(), ec.message().c_str());
      fs::remove(next, ec);
      collection.nextBackupNumber = number;
      return false;
    }
  }
  fs::rename(next, data, ec);
  if (ec) {
    const std::string reason = ec.message();
    if (hadData) fs::rename(numbered, data, ec);  // put the old file back where it was
    ShowMessage(kError, kButtonsOk, "Unable to rename '%s' to '%s': %s. The data file was not saved.",
                paths.next.c_str(), paths.data.c_str(), reason.c_str());
    collection.nextBackupNumber = number;
    return false;
  }
  SyncDirectoryOf(data);
  collection.changed = false;
  return true;
}

}  // namespace korvel

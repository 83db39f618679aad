#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "collection/data_file.h"

namespace korvel {
namespace {

// The radio count a data file's header gives, without reading the rest: "#27 --- Version ---"
// then the count, or the count alone in files older than version lines.
int HeaderRadioCount(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return 0;
  char line[128] = {};
  int count = 0;
  if (std::fgets(line, sizeof line, file) != nullptr) {
    const char* at = line;
    if (std::strncmp(at, "\xEF\xBB\xBF", 3) == 0) at += 3;
    if (*at == '#') at = std::fgets(line, sizeof line, file) != nullptr ? line : "";
    std::sscanf(at, "%d", &count);
  }
  std::fclose(file);
  return count;
}

}  // namespace

std::vector<BackupInfo> ListBackups(const DataFilePaths& paths) {
  namespace fs = std::filesystem;
  std::vector<BackupInfo> backups;
  for (int number = 0; number < kBackupCount; ++number) {
    BackupInfo backup;
    backup.number = number;
    backup.path = BackupPath(paths, number);
    const FileStamp stamp = StatFile(backup.path);
    if (!stamp.exists) continue;
    backup.name = fs::path(backup.path).filename().string();
    backup.bytes = stamp.size;
    backup.modified = stamp.modified;
    const std::time_t seconds = static_cast<std::time_t>(stamp.modified / 1000000000);
    std::tm local{};
    localtime_r(&seconds, &local);
    char written[32];
    std::strftime(written, sizeof written, "%Y-%m-%d %H:%M", &local);
    backup.written = written;
    backup.radios = HeaderRadioCount(backup.path);
    backups.push_back(backup);
  }
  std::stable_sort(backups.begin(), backups.end(),
                   [](const BackupInfo& a, const BackupInfo& b) { return a.modified > b.modified; });
  return backups;
}

}  // namespace korvel

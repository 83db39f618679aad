#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "collection/data_file.h"
#include "collection/file_writer.h"
#include "util/alu_path.h"
#include "util/message.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;

bool Exists(const std::string& native) {
  struct stat info {};
  return ::lstat(native.c_str(), &info) == 0;
}

// A leftover radata.new is a file; anything else of that name is in the way of a save, and said so.
bool IsFile(const std::string& native) {
  struct stat info {};
  return ::lstat(native.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// A copy for file systems without hard links, synced before it counts as the backup.
bool CopyFile(const std::string& from, const std::string& to) {
  FileStep("copy", to);
  std::FILE* in = std::fopen(from.c_str(), "rb");
  if (in == nullptr) return false;
  FileWriter out;
  bool ok = out.Open(to, true, from);
  char block[65536];
  while (ok) {
    const std::size_t n = std::fread(block, 1, sizeof block, in);
    if (n > 0) out.Write(std::string_view(block, n));
    if (n < sizeof block) {
      ok = std::ferror(in) == 0;
      break;
    }
  }
  const int readError = errno;
  std::fclose(in);
  ok = out.Finish() && ok;
  if (!ok) {
    const int error = errno != 0 ? errno : readError;
    std::error_code ec;
    fs::remove(to, ec);
    errno = error;
  }
  return ok;
}

// `data` becomes backup `numbered` and stays where it is: the oldest backup makes way, then a
// hard link (or a copy) gives the file its second name.
bool MakeBackup(const std::string& data, const std::string& numbered) {
  FileStep("remove", numbered);
  if (::unlink(numbered.c_str()) != 0 && errno != ENOENT) return false;
  FileStep("link", numbered);
  if (::link(data.c_str(), numbered.c_str()) == 0) return true;
  if (errno != EPERM && errno != EXDEV && errno != ENOTSUP && errno != EMLINK && errno != ENOSYS)
    return false;
  return CopyFile(data, numbered);
}

void ReportSaveFailure(const char* what, const std::string& path, int error) {
  ShowMessage(kError, kButtonsOk, "Unable to %s '%s': %s. The collection was not saved; '%s' is as it was.",
              what, path.c_str(), std::strerror(error), "radata.dat");
}

}  // namespace

DataFilePaths MakeDataFilePaths(const std::string& directory) {
  const auto join = [&](const char* name) { return directory + "\\" + name; };
  return {directory, join("radata.dat"), join("radata.org"), join("radata.bak"), join("radata.new")};
}

std::string BackupPath(const DataFilePaths& paths, int number) {
  const std::size_t dot = paths.backup.rfind('.');
  char digits[16];
  std::snprintf(digits, sizeof digits, "%03d", number);
  return AluNativePath(paths.backup.substr(0, dot + 1) + digits);
}

int NextBackupNumber(const DataFilePaths& paths, int fallback) {
  int newest = -1;
  fs::file_time_type newestTime{};
  for (int number = 0; number < kBackupCount; ++number) {
    std::error_code ec;
    const fs::file_time_type time = fs::last_write_time(BackupPath(paths, number), ec);
    if (ec) continue;
    if (newest < 0 || time > newestTime) {
      newest = number;
      newestTime = time;
    }
  }
  if (newest >= 0) return (newest + 1) % kBackupCount;
  return fallback >= 0 && fallback < kBackupCount ? fallback : 0;
}

int ContinueBackupNumbers(const DataFilePaths& paths) {
  return NextBackupNumber(paths, 0);
}

LeftoverSave ExamineLeftoverSave(const DataFilePaths& paths) {
  LeftoverSave leftover;
  const std::string next = AluNativePath(paths.next);
  if (!IsFile(next)) return leftover;
  leftover.present = true;
  Collection scratch;
  CollectedMessages quiet;
  const ReadOutcome read = ReadDataFile(paths.next, paths.next, scratch);
  // The writer ends the file with a line end; one cut short mostly does not.
  std::FILE* file = std::fopen(next.c_str(), "rb");
  bool endsWithLine = false;
  if (file != nullptr) {
    endsWithLine = std::fseek(file, -1, SEEK_END) == 0 && std::fgetc(file) == '\n';
    std::fclose(file);
  }
  leftover.complete = read.opened && quiet.messages().empty() && endsWithLine;
  leftover.radios = scratch.radios.Count();
  return leftover;
}

int KeepLeftoverSave(const DataFilePaths& paths, int backupNumber) {
  const std::string next = AluNativePath(paths.next);
  const std::string numbered = BackupPath(paths, backupNumber);
  FileStep("remove", numbered);
  std::error_code ec;
  fs::remove(numbered, ec);
  FileStep("rename", next);
  if (::rename(next.c_str(), numbered.c_str()) != 0) {
    ShowMessage(kError, kButtonsOk, "Unable to rename '%s' to '%s': %s.", next.c_str(), numbered.c_str(),
                std::strerror(errno));
    return -1;
  }
  SyncDirectoryOf(numbered);
  return backupNumber;
}

bool UseLeftoverSave(const DataFilePaths& paths, int backupNumber) {
  const std::string data = AluNativePath(paths.data);
  const std::string next = AluNativePath(paths.next);
  if (Exists(data) && !MakeBackup(data, BackupPath(paths, backupNumber))) {
    ShowMessage(kError, kButtonsOk, "Unable to make the backup '%s': %s.",
                BackupPath(paths, backupNumber).c_str(), std::strerror(errno));
    return false;
  }
  FileStep("rename", next);
  if (::rename(next.c_str(), data.c_str()) != 0) {
    ShowMessage(kError, kButtonsOk, "Unable to rename '%s' to '%s': %s.", next.c_str(), data.c_str(),
                std::strerror(errno));
    return false;
  }
  SyncDirectoryOf(data);
  return true;
}

bool SaveCollection(const DataFilePaths& paths, Collection& collection, FileStamp* saved) {
  if (!collection.changed) return true;
  if (paths.backup.rfind('.') == std::string::npos) {
    ShowMessage(kError, kButtonsOk, "Internal");
    return false;
  }
  const std::string data = AluNativePath(paths.data);
  const std::string next = AluNativePath(paths.next);
  const int before = collection.nextBackupNumber;
  int number = NextBackupNumber(paths, before);

  // A radata.new that an earlier save left behind may be the newest save there is: it is kept
  // as a backup, never written over.
  if (IsFile(next)) {
    if (KeepLeftoverSave(paths, number) < 0) return false;
    ShowMessage(kWarning, kButtonsOk,
                "'%s' was left by a save that did not finish; it is kept as the backup '%s'.", next.c_str(),
                BackupPath(paths, number).c_str());
    number = (number + 1) % kBackupCount;
  }

  // The file stores the number of the next backup; it only moves on when the save succeeds.
  collection.nextBackupNumber = (number + 1) % kBackupCount;
  std::uint64_t checksum = 0;
  const bool hadData = Exists(data);
  if (!WriteDataFile(
          paths.next, collection,
          {.exclusive = true, .likePath = hadData ? data : std::string(), .checksum = &checksum})) {
    collection.nextBackupNumber = before;
    return false;
  }

  const std::string numbered = BackupPath(paths, number);
  const auto abandon = [&](const char* what, const std::string& path) {
    const int error = errno;
    std::error_code ec;
    fs::remove(next, ec);  // ours, and complete in memory still
    ReportSaveFailure(what, path, error);
    collection.nextBackupNumber = before;
    return false;
  };
  if (hadData && !MakeBackup(data, numbered)) return abandon("make the backup", numbered);
  FileStep("rename", next);
  if (::rename(next.c_str(), data.c_str()) != 0) return abandon("replace", data);
  SyncDirectoryOf(data);
  collection.changed = false;
  if (saved != nullptr) {
    *saved = StatFile(data);
    // The bytes just written, whatever another program does between the rename and this look.
    saved->checksum = checksum;
  }
  return true;
}

}  // namespace korvel

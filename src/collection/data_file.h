// The data file radata.dat: loading at start-up, writing at exit with a numbered backup.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "collection/collection.h"
#include "collection/file_stamp.h"

namespace korvel {

constexpr int kDataFileVersion = 27;
constexpr int kShortLineLimit = 72;   // headers, numbers, references, entries, inventory, macros
constexpr int kLongLineLimit = 1024;  // texts, dates, long-text chunks
constexpr int kBackupCount = 100;     // radata.000 to radata.099

// The four files of a data directory, joined with a backslash as stored names are.
struct DataFilePaths {
  std::string directory;
  std::string data;      // radata.dat
  std::string fallback;  // radata.org: read when radata.dat cannot be opened; never written
  std::string backup;    // radata.bak: its extension becomes the backup number
  std::string next;      // radata.new: what a save writes first
};
DataFilePaths MakeDataFilePaths(const std::string& directory);

// Reads the data file (or the fallback) into an emptied collection: every layout from version 0
// to 27. Problems are reported through ShowMessage and the load keeps what it could read. False
// only when neither file could be opened.
struct ReadOutcome {
  bool opened = false;
  int version = 0;
};
ReadOutcome ReadDataFile(const std::string& dataPath, const std::string& fallbackPath,
                         Collection& collection);

// The same on bytes already in memory; `path` names them in messages.
int ReadDataBytes(std::string_view bytes, const std::string& path, Collection& collection);

// The file's bytes in the current layout (CR LF line ends).
std::string FormatDataFile(const Collection& collection);

// Writes the current layout to the path, checks every write, flushes and syncs it. Reports a
// failure (with the system's reason) through ShowMessage and gives false; a half-written file is
// removed.
struct WriteOptions {
  bool exclusive = false;             // never open a file that is already there
  std::string likePath;               // native path whose mode bits and group the file takes
  std::uint64_t* checksum = nullptr;  // receives the checksum of the bytes written
};
bool WriteDataFile(const std::string& path, const Collection& collection, const WriteOptions& options = {});

// The save: nothing when the collection has not changed. Otherwise radata.new is written
// completely and synced (with the mode bits and group of radata.dat); radata.dat becomes the next
// numbered backup without being taken away (a hard link, or a synced copy where there are no
// links); radata.new is renamed over radata.dat in one step and the directory is synced. Killed at
// any instant, the directory holds the old or the new collection, whole. A radata.new that an
// earlier save left behind is never written over: it is kept as a numbered backup first. Backup
// numbers follow the newest backup on disk, so no backup newer than the file replaced is ever
// removed. Any failure is reported, leaves radata.dat as it was and gives false; the collection
// stays as it is (changed, backup number unchanged). `saved` receives the stamp of the new file.
bool SaveCollection(const DataFilePaths& paths, Collection& collection, FileStamp* saved = nullptr);

// The number the next backup takes: one past the newest numbered backup on disk, or `fallback`
// (the number the data file holds) where there is none.
int NextBackupNumber(const DataFilePaths& paths, int fallback);

// The backup number a collection that was not read from this directory starts at: one past the
// newest numbered backup already there (0 when there is none), so that its first saves never
// remove the backups of a collection that was there before.
int ContinueBackupNumbers(const DataFilePaths& paths);

// The native name of backup `number` ("radata.007").
std::string BackupPath(const DataFilePaths& paths, int number);

// The numbered backups there are, newest first, as File > Restore Backup lists them.
struct BackupInfo {
  int number = 0;
  std::string name;     // "radata.007"
  std::string path;     // native
  std::string written;  // local date and time, "2026-12-07 03:38"
  std::uint64_t bytes = 0;
  int radios = 0;  // as its header says
  std::int64_t modified = 0;
};
std::vector<BackupInfo> ListBackups(const DataFilePaths& paths);

// A radata.new left by a save that did not finish: what it holds, read as a whole.
struct LeftoverSave {
  bool present = false;
  bool complete = false;  // read to its end without a problem
  int radios = 0;
};
LeftoverSave ExamineLeftoverSave(const DataFilePaths& paths);

// Finishes what an interrupted save left: radata.dat (where there is one) becomes the next numbered
// backup and radata.new takes its place. Failures are reported; false when nothing changed.
bool UseLeftoverSave(const DataFilePaths& paths, int backupNumber);

// Puts a leftover radata.new aside as the next numbered backup, so that no save writes over it.
// Gives the number it took, or -1 on failure (reported).
int KeepLeftoverSave(const DataFilePaths& paths, int backupNumber);

// Start-up: empties the collection, finds the data file from the given directory, reads it and
// names missing pictures. Gives the data directory where the file was found (it replaces the
// one in the settings), or the given one when no file was found.
struct LoadOutcome {
  bool opened = false;
  int version = 0;
  DataFilePaths paths;
  FileStamp stamp;  // radata.dat as it was read (absent when the fallback was read)
};
LoadOutcome LoadCollection(const std::string& dataDirectory, Collection& collection);
// The same from a directory known to be the one, without looking elsewhere.
LoadOutcome LoadCollectionAt(const DataFilePaths& paths, Collection& collection);
// Whether the directory holds a data file or its fallback at all: where neither exists there is
// nothing to report, only a new collection to offer.
bool DataFileExists(const std::string& dataDirectory);

}  // namespace korvel

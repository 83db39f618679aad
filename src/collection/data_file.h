// The data file radata.dat: loading at start-up, writing at exit with a numbered backup.
#pragma once

#include <string>
#include <string_view>

#include "collection/collection.h"

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
// failure through ShowMessage and gives false; a half-written file is removed.
bool WriteDataFile(const std::string& path, const Collection& collection);

// The save at exit: nothing when the collection has not changed; otherwise radata.new is written
// completely, the oldest numbered backup makes way, radata.dat becomes the next backup and
// radata.new becomes radata.dat. Any failure is reported, leaves radata.dat as it was and gives
// false; the collection stays as it is (changed, backup number unchanged).
bool SaveCollection(const DataFilePaths& paths, Collection& collection);

// The backup number a collection that was not read from this directory starts at: one past the
// newest numbered backup already there (0 when there is none), so that its first saves never
// remove the backups of a collection that was there before.
int ContinueBackupNumbers(const DataFilePaths& paths);

// Start-up: empties the collection, finds the data file from the given directory, reads it and
// names missing pictures. Gives the data directory where the file was found (it replaces the
// one in the settings), or the given one when no file was found.
struct LoadOutcome {
  bool opened = false;
  int version = 0;
  DataFilePaths paths;
};
LoadOutcome LoadCollection(const std::string& dataDirectory, Collection& collection);
// The same from a directory known to be the one, without looking elsewhere.
LoadOutcome LoadCollectionAt(const DataFilePaths& paths, Collection& collection);
// Whether the directory holds a data file or its fallback at all: where neither exists there is
// nothing to report, only a new collection to offer.
bool DataFileExists(const std::string& dataDirectory);

}  // namespace korvel

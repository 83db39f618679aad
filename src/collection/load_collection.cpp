#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "collection/data_file.h"
#include "collection/picture_names.h"
#include "util/alu_path.h"

namespace korvel {
namespace {

bool Opens(const std::string& storedPath) {
  std::FILE* file = std::fopen(AluResolvePath(storedPath).c_str(), "rb");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

}  // namespace

bool DataFileExists(const std::string& dataDirectory) {
  const DataFilePaths paths = MakeDataFilePaths(dataDirectory.empty() ? std::string(".") : dataDirectory);
  std::error_code error;
  return std::filesystem::exists(AluResolvePath(paths.data), error) ||
         std::filesystem::exists(AluResolvePath(paths.fallback), error);
}

LoadOutcome LoadCollection(const std::string& dataDirectory, Collection& collection) {
  // Where the file may be: in the directory as given, else here under its bare name. This system
  // has no drive letters, so "c:st" is a directory of that name and never drive C's "st".
  const std::string name = "radata.dat";
  const std::vector<std::string> attempts = {dataDirectory + "\\" + name, name};

  std::string directory = dataDirectory;
  for (const std::string& attempt : attempts) {
    if (!Opens(attempt)) continue;
    const PathParts parts = AluSplitPath(attempt);
    directory = attempt.substr(0, parts.fileName);
    if (!directory.empty() && (directory.back() == '\\' || directory.back() == '/')) directory.pop_back();
    // Found under its bare name: the current directory, never the root of a drive.
    if (directory.empty()) directory.assign(1, '.');
    break;
  }

  return LoadCollectionAt(MakeDataFilePaths(directory), collection);
}

LoadOutcome LoadCollectionAt(const DataFilePaths& paths, Collection& collection) {
  ClearCollection(collection);
  LoadOutcome outcome;
  outcome.paths = paths;
  // Taken before the read: a change while it is read then shows as a change before the next save.
  outcome.stamp = StampFile(AluNativePath(paths.data));
  const ReadOutcome read = ReadDataFile(outcome.paths.data, outcome.paths.fallback, collection);
  outcome.opened = read.opened;
  outcome.version = read.version;
  collection.changed = false;
  FixupPictureFileNames(collection);
  return outcome;
}

}  // namespace korvel

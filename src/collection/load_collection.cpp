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
  // Where the file may be: the directory on drive C or D, the file alone on C or D, the directory
  // as given, the file alone here. The drive attempts only ever succeed on systems with drives.
  const std::string full = dataDirectory + "\\radata.dat";
  const std::size_t colon = full.find(':');
  const std::string rest = colon == std::string::npos ? full : full.substr(colon + 1);
  const std::string name = "radata.dat";
  const auto onDrive = [](const char* drive, const std::string& path) {
    std::string attempt(drive);
    attempt.append(path);
    return attempt;
  };
  const std::vector<std::string> attempts = {
      onDrive("c:", rest), onDrive("d:", rest), onDrive("c:", name), onDrive("d:", name), rest, name};

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
  const ReadOutcome read = ReadDataFile(outcome.paths.data, outcome.paths.fallback, collection);
  outcome.opened = read.opened;
  outcome.version = read.version;
  collection.changed = false;
  FixupPictureFileNames(collection);
  return outcome;
}

}  // namespace korvel

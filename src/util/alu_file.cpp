#include "util/alu_file.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "util/alu_path.h"

namespace korvel {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The native directory part of a stored file name, matched against what is on disk letter case
// aside, or empty when the name has no directory part.
std::string DirectoryOf(std::string_view filePath) {
  const PathParts parts = AluSplitPath(filePath);
  if (parts.fileName <= parts.directory + 1) return {};
  return AluResolvePath(filePath.substr(0, parts.fileName - 1));
}

}  // namespace

bool AluFileExists(std::string_view path) {
  File file(std::fopen(AluResolvePath(path).c_str(), "rb"));
  return file != nullptr && std::fgetc(file.get()) != EOF;
}

int AluCreateDirectoriesFor(std::string_view filePath) {
  const std::string directory = DirectoryOf(filePath);
  if (directory.empty()) return 0;
  std::error_code ec;
  std::filesystem::create_directories(directory, ec);
  return std::filesystem::is_directory(directory, ec) ? 1 : 0;
}

int AluCopyFile(std::string_view source, std::string_view target) {
  namespace fs = std::filesystem;
  const std::string from = AluResolvePath(source);
  File in(std::fopen(from.c_str(), "rb"));
  if (in == nullptr) return 0;
  // Read before the target is opened (and so emptied): a source that opens but cannot be read,
  // such as a directory, must leave the target as it was.
  char block[65536];
  std::size_t n = std::fread(block, 1, sizeof block, in.get());
  if (std::ferror(in.get()) != 0) return 0;

  std::error_code ec;
  std::string to = AluResolvePath(target);
  if (fs::exists(to, ec) && fs::equivalent(from, to, ec)) return 1;
  if (!fs::exists(to, ec)) {
    // A new file goes into the directory that is there, whatever the case of its name.
    const PathParts parts = AluSplitPath(target);
    const std::string directory = DirectoryOf(target);
    if (!directory.empty()) to = directory + "/" + AluNativePath(target.substr(parts.fileName));
  }

  // The copy is written beside the target and renamed over it at the end, so that a copy that
  // fails part-way leaves the old target as it was.
  const std::string part = to + ".part";
  std::FILE* raw = std::fopen(part.c_str(), "wb");
  if (raw == nullptr) {
    AluCreateDirectoriesFor(target);
    raw = std::fopen(part.c_str(), "wb");
    if (raw == nullptr) return 0;
  }
  File out(raw);

  bool ok = true;
  for (;;) {
    if (n > 0 && std::fwrite(block, 1, n, out.get()) != n) {
      ok = false;
      break;
    }
    if (n < sizeof block) {
      ok = std::ferror(in.get()) == 0;
      break;
    }
    n = std::fread(block, 1, sizeof block, in.get());
  }
  if (std::fclose(out.release()) != 0) ok = false;
  if (ok) {
    fs::rename(part, to, ec);
    ok = !ec;
  }
  if (!ok) fs::remove(part, ec);
  return ok ? 1 : 0;
}

}  // namespace korvel

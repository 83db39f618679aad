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

}  // namespace

bool AluFileExists(std::string_view path) {
  File file(std::fopen(AluResolvePath(path).c_str(), "rb"));
  return file != nullptr && std::fgetc(file.get()) != EOF;
}

int AluCreateDirectoriesFor(std::string_view filePath) {
  const PathParts parts = AluSplitPath(filePath);
  if (parts.fileName <= parts.directory + 1) return 0;  // no directory part
  const std::string directory = AluNativePath(filePath.substr(0, parts.fileName - 1));
  std::error_code ec;
  std::filesystem::create_directories(directory, ec);
  return std::filesystem::is_directory(directory, ec) ? 1 : 0;
}

int AluCopyFile(std::string_view source, std::string_view target) {
  namespace fs = std::filesystem;
  const std::string from = AluResolvePath(source);
  File in(std::fopen(from.c_str(), "rb"));
  if (in == nullptr) return 0;

  std::string to = AluResolvePath(target);
  std::error_code ec;
  if (fs::exists(to, ec) && fs::equivalent(from, to, ec)) return 1;

  std::FILE* raw = std::fopen(to.c_str(), "wb");
  if (raw == nullptr) {
    AluCreateDirectoriesFor(target);
    to = AluNativePath(target);
    raw = std::fopen(to.c_str(), "wb");
    if (raw == nullptr) return 0;
  }
  File out(raw);

  bool ok = true;
  char block[65536];
  for (;;) {
    const std::size_t n = std::fread(block, 1, sizeof block, in.get());
    if (n > 0 && std::fwrite(block, 1, n, out.get()) != n) {
      ok = false;
      break;
    }
    if (n < sizeof block) {
      ok = std::ferror(in.get()) == 0;
      break;
    }
  }
  if (std::fclose(out.release()) != 0) ok = false;
  if (!ok) fs::remove(to, ec);
  return ok ? 1 : 0;
}

}  // namespace korvel

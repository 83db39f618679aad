// A scratch directory for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <string>

namespace korvel::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // A path inside the directory.
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Whole-file helpers.
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

// A shell command's exit status (-1 when it did not exit) and what it wrote on standard output.
struct ShellRun {
  int status = -1;
  std::string out;
};
ShellRun RunShell(const std::string& command);

}  // namespace korvel::test

// Writing a file through one reused buffer, every write checked, synced before it is closed.
#pragma once

#include <string>
#include <string_view>

namespace korvel {

class FileWriter {
 public:
  FileWriter() = default;
  ~FileWriter();
  FileWriter(const FileWriter&) = delete;
  FileWriter& operator=(const FileWriter&) = delete;

  // Creates or empties the file at the native path; false when it cannot be opened.
  bool Open(const std::string& nativePath);
  void Write(std::string_view bytes);
  void Write(char c);
  void WriteNumber(long long value);
  // Writes what is buffered, syncs the file to the disk and closes it; false when anything
  // since Open failed.
  bool Finish();
  bool Failed() const { return failed_; }

 private:
  void Flush();

  int fd_ = -1;
  bool failed_ = false;
  std::string buffer_;
};

// Makes a rename in the directory durable.
void SyncDirectoryOf(const std::string& nativePath);

}  // namespace korvel

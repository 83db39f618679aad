// Writing a file through one reused buffer, every write checked, synced before it is closed; and
// the other file operations of a save, each announced to a hook first.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "collection/file_stamp.h"

namespace korvel {

// Sees every file operation of a save just before it happens ("create", "write", "sync", "link",
// "copy", "remove", "rename", "sync directory") with the path it works on. Tests stop a save at
// each step in turn, or record their order; none is set in the program.
using FileStepHook = std::function<void(const char* step, const std::string& nativePath)>;
void SetFileStepHook(FileStepHook hook);
void FileStep(const char* step, const std::string& nativePath);

class FileWriter {
 public:
  FileWriter() = default;
  ~FileWriter();
  FileWriter(const FileWriter&) = delete;
  FileWriter& operator=(const FileWriter&) = delete;

  // Creates or empties the file at the native path; false when it cannot be opened (errno says
  // why). With `exclusive` an existing file is never opened. The file takes the mode bits and
  // group of `likePath` where that exists, so a private collection stays private.
  bool Open(const std::string& nativePath, bool exclusive = false, const std::string& likePath = {});
  void Write(std::string_view bytes);
  void Write(char c);
  void WriteNumber(long long value);
  // Writes what is buffered, syncs the file to the disk and closes it; false when anything
  // since Open failed (errno says why).
  bool Finish();
  bool Failed() const { return failed_; }
  // The checksum of everything written.
  std::uint64_t Checksum() const { return checksum_.Sum(); }

 private:
  void Flush();

  int fd_ = -1;
  bool failed_ = false;
  int error_ = 0;
  std::string path_;
  std::string buffer_;
  ByteChecksum checksum_;
};

// Makes a rename in the directory durable.
void SyncDirectoryOf(const std::string& nativePath);

}  // namespace korvel

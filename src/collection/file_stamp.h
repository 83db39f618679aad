// What a data file looked like when it was loaded or saved: size, modification time and a
// checksum of its bytes, so that another program's change is noticed before a save.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace korvel {

// A checksum of bytes given in pieces of any size; the same bytes give the same sum however
// they are cut.
class ByteChecksum {
 public:
  void Add(std::string_view bytes);
  std::uint64_t Sum() const;

 private:
  std::uint64_t hash_ = 0x9E3779B97F4A7C15ull;
  std::uint64_t pending_ = 0;  // bytes of an unfinished 8-byte word
  int pendingCount_ = 0;
  std::uint64_t length_ = 0;
};

struct FileStamp {
  bool exists = false;
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // nanoseconds
  std::uint64_t checksum = 0;
};

// The stamp of the file at a native path now (its bytes read once); `exists` false when there is
// no such file.
FileStamp StampFile(const std::string& nativePath);

// The same without reading the file: the checksum is left 0 for the caller to fill in.
FileStamp StatFile(const std::string& nativePath);

// Whether the file on disk is still the one the stamp describes.
bool SameFile(const FileStamp& before, const FileStamp& now);

}  // namespace korvel

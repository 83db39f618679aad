// A data file mapped read-only into memory, so that loading parses the page cache in place
// instead of copying the whole file into the heap first.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvel {

class MappedFile {
 public:
  MappedFile() = default;
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // False when the file cannot be opened or read.
  bool Open(const std::string& nativePath);
  std::string_view Bytes() const { return {data_, size_}; }
  // The bytes before `offset` will not be read again: their pages leave this process's memory
  // (they stay in the page cache). Nothing may point into them any more.
  void Consumed(std::size_t offset);
  // True once a page could not be read because the file was cut short by another program while
  // it was mapped; such a page reads as zeros, so what was read from it is not the file.
  bool Cut() const;

 private:
  const char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t released_ = 0;  // bytes from the start already given back
  bool mapped_ = false;
  void* watch_ = nullptr;  // its place among the mappings the bus error handler knows
};

}  // namespace korvel

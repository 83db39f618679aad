#include "collection/file_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <filesystem>

namespace korvel {
namespace {

constexpr std::size_t kBufferSize = 1 << 20;

}  // namespace

FileWriter::~FileWriter() {
  if (fd_ >= 0) ::close(fd_);
}

bool FileWriter::Open(const std::string& nativePath) {
  fd_ = ::open(nativePath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  failed_ = fd_ < 0;
  buffer_.clear();
  buffer_.reserve(kBufferSize);
  return !failed_;
}

void FileWriter::Flush() {
  const char* at = buffer_.data();
  std::size_t left = buffer_.size();
  while (left > 0 && !failed_) {
    const ssize_t n = ::write(fd_, at, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      failed_ = true;
    } else {
      at += n;
      left -= static_cast<std::size_t>(n);
    }
  }
  buffer_.clear();
}

void FileWriter::Write(std::string_view bytes) {
  if (buffer_.size() + bytes.size() > kBufferSize) Flush();
  if (bytes.size() > kBufferSize) {
    buffer_.assign(bytes);
    Flush();
    return;
  }
  buffer_.append(bytes);
}

void FileWriter::Write(char c) {
  if (buffer_.size() + 1 > kBufferSize) Flush();
  buffer_.push_back(c);
}

void FileWriter::WriteNumber(long long value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  Write(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
}

bool FileWriter::Finish() {
  if (fd_ < 0) return false;
  Flush();
  if (!failed_ && ::fsync(fd_) != 0) failed_ = true;
  if (::close(fd_) != 0) failed_ = true;
  fd_ = -1;
  return !failed_;
}

void SyncDirectoryOf(const std::string& nativePath) {
  std::filesystem::path directory = std::filesystem::path(nativePath).parent_path();
  if (directory.empty()) directory = ".";
  const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace korvel

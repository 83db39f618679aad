#include "collection/file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <filesystem>

namespace korvel {
namespace {

constexpr std::size_t kBufferSize = 1 << 20;

FileStepHook& Hook() {
  static FileStepHook hook;
  return hook;
}

}  // namespace

void SetFileStepHook(FileStepHook hook) {
  Hook() = std::move(hook);
}

void FileStep(const char* step, const std::string& nativePath) {
  if (Hook()) Hook()(step, nativePath);
}

FileWriter::~FileWriter() {
  if (fd_ >= 0) ::close(fd_);
}

bool FileWriter::Open(const std::string& nativePath, bool exclusive, const std::string& likePath) {
  path_ = nativePath;
  FileStep("create", path_);
  fd_ = ::open(nativePath.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (exclusive ? O_EXCL : O_TRUNC), 0666);
  failed_ = fd_ < 0;
  error_ = failed_ ? errno : 0;
  struct stat like {};
  if (!failed_ && !likePath.empty() && ::stat(likePath.c_str(), &like) == 0) {
    // The group first: changing it may clear set-id bits that the mode then puts back.
    if (::fchown(fd_, static_cast<uid_t>(-1), like.st_gid) != 0) {
      // Not a member of that group: the file keeps the user's own, as a new file would.
    }
    ::fchmod(fd_, like.st_mode & 07777);
  }
  buffer_.clear();
  buffer_.reserve(kBufferSize);
  checksum_ = ByteChecksum();
  errno = error_;
  return !failed_;
}

void FileWriter::Flush() {
  if (!buffer_.empty() && !failed_) FileStep("write", path_);
  checksum_.Add(buffer_);
  const char* at = buffer_.data();
  std::size_t left = buffer_.size();
  while (left > 0 && !failed_) {
    const ssize_t n = ::write(fd_, at, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      failed_ = true;
      error_ = errno;
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
  if (!failed_) {
    FileStep("sync", path_);
    if (::fsync(fd_) != 0) {
      failed_ = true;
      error_ = errno;
    }
  }
  if (::close(fd_) != 0 && !failed_) {
    failed_ = true;
    error_ = errno;
  }
  fd_ = -1;
  errno = error_;
  return !failed_;
}

void SyncDirectoryOf(const std::string& nativePath) {
  std::filesystem::path directory = std::filesystem::path(nativePath).parent_path();
  if (directory.empty()) directory = ".";
  FileStep("sync directory", directory.string());
  const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace korvel

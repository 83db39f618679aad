#include "collection/file_stamp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace korvel {
namespace {

constexpr std::uint64_t kMultiplier = 0xff51afd7ed558ccdull;

std::uint64_t Mix(std::uint64_t hash, std::uint64_t word) {
  hash ^= word;
  hash *= kMultiplier;
  return hash ^ (hash >> 29);
}

}  // namespace

void ByteChecksum::Add(std::string_view bytes) {
  length_ += bytes.size();
  std::size_t at = 0;
  // Whole words at a time: a byte at a time would cost more than reading the file.
  while (pendingCount_ != 0 && at < bytes.size()) {
    pending_ |= std::uint64_t(static_cast<unsigned char>(bytes[at++])) << (8 * pendingCount_);
    if (++pendingCount_ == 8) {
      hash_ = Mix(hash_, pending_);
      pending_ = 0;
      pendingCount_ = 0;
    }
  }
  for (; at + 8 <= bytes.size(); at += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + at, 8);
    hash_ = Mix(hash_, word);
  }
  for (; at < bytes.size(); ++at) {
    pending_ |= std::uint64_t(static_cast<unsigned char>(bytes[at])) << (8 * pendingCount_);
    ++pendingCount_;
  }
}

std::uint64_t ByteChecksum::Sum() const {
  return Mix(Mix(hash_, pending_), length_);
}

FileStamp StampFile(const std::string& nativePath) {
  FileStamp stamp;
  const int fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return stamp;
  struct stat info {};
  if (::fstat(fd, &info) == 0) {
    stamp.exists = true;
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.modified = std::int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    ByteChecksum sum;
    std::vector<char> block(1 << 20);
    for (;;) {
      const ssize_t n = ::read(fd, block.data(), block.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      sum.Add({block.data(), static_cast<std::size_t>(n)});
    }
    stamp.checksum = sum.Sum();
  }
  ::close(fd);
  return stamp;
}

FileStamp StatFile(const std::string& nativePath) {
  FileStamp stamp;
  struct stat info {};
  if (::stat(nativePath.c_str(), &info) != 0) return stamp;
  stamp.exists = true;
  stamp.size = static_cast<std::uint64_t>(info.st_size);
  stamp.modified = std::int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  return stamp;
}

bool SameFile(const FileStamp& before, const FileStamp& now) {
  if (before.exists != now.exists) return false;
  if (!before.exists) return true;
  return before.size == now.size && before.modified == now.modified && before.checksum == now.checksum;
}

}  // namespace korvel

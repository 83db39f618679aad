#include "collection/collection_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "util/alu_path.h"

namespace korvel {
namespace {

LockHolder ReadHolder(int fd) {
  char text[300] = {};
  const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
  LockHolder holder;
  if (n <= 0) return holder;
  char* end = nullptr;
  holder.pid = std::strtol(text, &end, 10);
  std::string rest(end, text + n);
  while (!rest.empty() && (rest.front() == ' ')) rest.erase(rest.begin());
  while (!rest.empty() && (rest.back() == '\n' || rest.back() == ' ')) rest.pop_back();
  holder.host = rest;
  return holder;
}

std::string ThisHost() {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return "this computer";
  return name;
}

}  // namespace

CollectionLock::~CollectionLock() {
  Release();
}

CollectionLock::CollectionLock(CollectionLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), holder_(std::move(other.holder_)) {}

CollectionLock& CollectionLock::operator=(CollectionLock&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = std::exchange(other.fd_, -1);
    holder_ = std::move(other.holder_);
  }
  return *this;
}

CollectionLock::Result CollectionLock::Acquire(const std::string& directory) {
  Release();
  holder_ = {};
  const std::string path = AluNativePath((directory.empty() ? std::string(".") : directory) + "\\radata.lck");
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return kUnavailable;
  // flock, not fcntl: two opens of the file conflict even within one process, and the lock goes
  // with the process however it ends.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    holder_ = ReadHolder(fd);
    ::close(fd);
    return kHeld;
  }
  // A name left in the file is a program that ended without letting go (it empties the file).
  holder_ = ReadHolder(fd);
  const bool stale = holder_.pid != 0 || !holder_.host.empty();
  char line[320];
  const int length =
      std::snprintf(line, sizeof line, "%ld %s\n", static_cast<long>(::getpid()), ThisHost().c_str());
  if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, line, static_cast<std::size_t>(length), 0) != length) {
    // The lock holds all the same; only the name of the holder is missing for others.
  }
  fd_ = fd;
  return stale ? kTakenOver : kLocked;
}

void CollectionLock::Release() {
  if (fd_ < 0) return;
  if (::ftruncate(fd_, 0) != 0) {
    // A name left behind only makes the next program say it took the lock over.
  }
  ::flock(fd_, LOCK_UN);
  ::close(fd_);
  fd_ = -1;
}

std::string DescribeHolder(const LockHolder& holder) {
  if (holder.pid == 0 && holder.host.empty()) return "another program";
  std::string text = "process " + std::to_string(holder.pid);
  if (!holder.host.empty()) text += " on " + holder.host;
  return text;
}

}  // namespace korvel

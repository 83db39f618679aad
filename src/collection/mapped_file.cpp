#include "collection/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvel {
namespace {

const std::size_t kPage = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));

}  // namespace

MappedFile::~MappedFile() {
  if (mapped_) ::munmap(const_cast<char*>(data_), size_);
}

bool MappedFile::Open(const std::string& nativePath) {
  const int fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  if (ok && info.st_size > 0) {
    void* at = ::mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    ok = at != MAP_FAILED;
    if (ok) {
      data_ = static_cast<const char*>(at);
      size_ = static_cast<std::size_t>(info.st_size);
      mapped_ = true;
      ::madvise(at, size_, MADV_SEQUENTIAL);
    }
  }
  ::close(fd);
  return ok;
}

void MappedFile::Consumed(std::size_t offset) {
  if (!mapped_) return;
  const std::size_t end = offset / kPage * kPage;
  if (end <= released_) return;
  ::madvise(const_cast<char*>(data_) + released_, end - released_, MADV_DONTNEED);
  released_ = end;
}

}  // namespace korvel

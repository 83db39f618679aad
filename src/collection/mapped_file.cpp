#include "collection/mapped_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>

namespace korvel {
namespace {

const std::size_t kPage = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));

// The mappings open now, for the bus error handler: a page of a file cut short while it is mapped
// faults when touched. Plain atomics, as a signal handler may read them.
struct Watched {
  std::atomic<const char*> begin{nullptr};
  std::atomic<std::size_t> size{0};
  std::atomic<bool> cut{false};
};
std::array<Watched, 8> watched;
struct sigaction previousAction {};

// A fault inside a watched mapping gets a page of zeros in place of the missing one, and the
// mapping is marked; any other fault goes where it went before.
void OnBusError(int signal, siginfo_t* info, void* context) {
  const char* at = static_cast<const char*>(info->si_addr);
  for (Watched& w : watched) {
    const char* begin = w.begin.load();
    if (begin == nullptr || at < begin || at >= begin + w.size.load()) continue;
    void* page = reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(at) & ~(kPage - 1));
    if (::mmap(page, kPage, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED) {
      w.cut.store(true);
      return;
    }
  }
  if ((previousAction.sa_flags & SA_SIGINFO) != 0 && previousAction.sa_sigaction != nullptr) {
    previousAction.sa_sigaction(signal, info, context);
  } else if (previousAction.sa_handler != SIG_DFL && previousAction.sa_handler != SIG_IGN) {
    previousAction.sa_handler(signal);
  } else {
    // Ended as it would have been: by the default action, once this handler returns.
    ::signal(SIGBUS, SIG_DFL);
    ::raise(SIGBUS);
  }
}

void WatchBusErrors() {
  static std::once_flag installed;
  std::call_once(installed, [] {
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &previousAction);
  });
}

Watched* Watch(const char* begin, std::size_t size) {
  WatchBusErrors();
  // Files are opened on one thread only: no two of these run at once.
  for (Watched& w : watched) {
    if (w.begin.load() != nullptr) continue;
    w.size.store(size);
    w.cut.store(false);
    w.begin.store(begin);
    return &w;
  }
  return nullptr;  // more mappings open than watched: a cut file faults as before
}

}  // namespace

MappedFile::~MappedFile() {
  if (!mapped_) return;
  if (watch_ != nullptr) static_cast<Watched*>(watch_)->begin.store(nullptr);
  ::munmap(const_cast<char*>(data_), size_);
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
      watch_ = Watch(data_, size_);
      ::madvise(at, size_, MADV_SEQUENTIAL);
    }
  }
  ::close(fd);
  return ok;
}

bool MappedFile::Cut() const {
  return watch_ != nullptr && static_cast<const Watched*>(watch_)->cut.load();
}

void MappedFile::Consumed(std::size_t offset) {
  if (!mapped_) return;
  const std::size_t end = offset / kPage * kPage;
  if (end <= released_) return;
  ::madvise(const_cast<char*>(data_) + released_, end - released_, MADV_DONTNEED);
  released_ = end;
}

}  // namespace korvel

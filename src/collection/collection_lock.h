// One program per collection: an advisory lock on radata.lck in the data directory. The file names
// the process and host holding it, so a second program can say who has the collection open.
#pragma once

#include <string>

namespace korvel {

struct LockHolder {
  long pid = 0;
  std::string host;
};

class CollectionLock {
 public:
  enum Result {
    kLocked,      // this program holds it now
    kTakenOver,   // held now; the program named in the file had ended without letting go
    kHeld,        // another program holds it; holder() names it
    kUnavailable  // no lock file can be made there (no such directory, or not writable)
  };

  CollectionLock() = default;
  ~CollectionLock();
  CollectionLock(const CollectionLock&) = delete;
  CollectionLock& operator=(const CollectionLock&) = delete;
  CollectionLock(CollectionLock&& other) noexcept;
  CollectionLock& operator=(CollectionLock&& other) noexcept;

  // Locks the data directory (a stored path); a lock held before is let go first.
  Result Acquire(const std::string& directory);
  void Release();
  bool Locked() const { return fd_ >= 0; }
  // The program that holds the lock (kHeld) or held it last (kTakenOver).
  const LockHolder& holder() const { return holder_; }

 private:
  int fd_ = -1;
  LockHolder holder_;
};

// "process 1234 on host": for messages.
std::string DescribeHolder(const LockHolder& holder);

}  // namespace korvel

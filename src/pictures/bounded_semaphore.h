// A counting semaphore whose count stops at a maximum: releases beyond it are lost. The tour's
// timer ticks pile up this way while its thread is behind, and no further.
#pragma once

#include <condition_variable>
#include <mutex>

namespace korvel {

class BoundedSemaphore {
 public:
  explicit BoundedSemaphore(int maximum, int initial = 0) : count_(initial), maximum_(maximum) {}
  BoundedSemaphore(const BoundedSemaphore&) = delete;
  BoundedSemaphore& operator=(const BoundedSemaphore&) = delete;

  // False when the count was at its maximum and the release was lost.
  bool Release() {
    {
      std::lock_guard lock(mutex_);
      if (count_ >= maximum_) return false;
      ++count_;
    }
    available_.notify_one();
    return true;
  }

  // Waits, without limit, for one count.
  void Acquire() {
    std::unique_lock lock(mutex_);
    available_.wait(lock, [this] { return count_ > 0; });
    --count_;
  }

  int Count() const {
    std::lock_guard lock(mutex_);
    return count_;
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable available_;
  int count_;
  const int maximum_;
};

}  // namespace korvel

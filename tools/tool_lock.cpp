#include "tool_lock.h"

#include "util/alu_path.h"
#include "util/message.h"

namespace korvel::tool {

bool LockForWriting(CollectionLock& lock, const std::string& directory) {
  const CollectionLock::Result locked = lock.Acquire(directory);
  if (locked == CollectionLock::kHeld) {
    ShowMessage(kError, kButtonsOk, "The collection in '%s' is open in %s; nothing was written.",
                AluNativePath(directory).c_str(), DescribeHolder(lock.holder()).c_str());
    return false;
  }
  if (locked == CollectionLock::kTakenOver) {
    ShowMessage(kNote, kButtonsOk,
                "The lock that %s left on '%s' was taken over; that program no longer runs.",
                DescribeHolder(lock.holder()).c_str(), AluNativePath(directory).c_str());
  }
  return true;
}

}  // namespace korvel::tool

// The lock a writing command of korvel-tool takes on a collection, as the program does.
#pragma once

#include <string>

#include "collection/collection_lock.h"

namespace korvel::tool {

constexpr int kExitLocked = 3;  // the collection is open in another program: nothing written

// Takes the collection's lock for a command about to write it. Reports an Error and gives false when
// another program holds it; a lock left by a program that no longer runs is taken over with a Note.
bool LockForWriting(CollectionLock& lock, const std::string& directory);

}  // namespace korvel::tool

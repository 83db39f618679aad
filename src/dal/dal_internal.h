// Helpers shared by the library's own files.
#pragma once

#include <span>

#include "dal/dal_types.h"

namespace korvel::dal {

// The table's fields up to the first kDalEnd entry.
std::span<DalFieldInfo> TableOf(DalDialog& dialog);

// Builds the index unless it is built for the dialog where it is now (a descriptor copied or
// moved after indexing would point at the fields of another). False when the table is faulty.
bool EnsureIndex(DalDialog& dialog);

// Fills an open dialog or page as on opening: notifications off, lists and values, notifications
// on. False when a fill callback failed.
bool OpenDialog(DalDialog& dialog, DalWindow& window);
// Whether the last read of some field refused its text (kDalRefused).
bool AnyFieldRefused(DalDialog& dialog);
// Forgets the window and what only its controls showed.
void CloseDialog(DalDialog& dialog);

}  // namespace korvel::dal

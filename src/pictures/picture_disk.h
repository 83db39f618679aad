// File steps of the picture operations on stored names (resolved at the system boundary), each
// reporting success so that no step is taken for granted.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvel {

// Removes the file; true when it is gone afterwards (also when it was never there).
bool RemovePictureFile(std::string_view stored);

// Whether the two names lead to the same file on disk.
bool SamePictureFile(std::string_view a, std::string_view b);

// A file moved out of the way before it is replaced, so that it can be put back.
struct PictureBackup {
  std::string original;  // native path the file had
  std::string backup;    // native path it has now
};

// Renames the file to its name with the extension ".bak" (or ".bak1" to ".bak9" when that is
// taken: an existing file is never overwritten). Nothing when no free name exists or the rename
// fails.
std::optional<PictureBackup> BackUpPictureFile(std::string_view stored);

// Puts the backed-up file back under its original name.
bool RestorePictureFile(const PictureBackup& backup);

// Removes the backup once the replacement is in place.
void DropPictureBackup(const PictureBackup& backup);

}  // namespace korvel

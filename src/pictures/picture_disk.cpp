#include "pictures/picture_disk.h"

#include <filesystem>
#include <system_error>

#include "util/alu_path.h"

namespace korvel {

namespace fs = std::filesystem;

bool RemovePictureFile(std::string_view stored) {
  const std::string path = AluResolvePath(stored);
  std::error_code ec;
  fs::remove(path, ec);
  return !fs::exists(fs::symlink_status(path, ec));
}

bool SamePictureFile(std::string_view a, std::string_view b) {
  std::error_code ec;
  const bool same = fs::equivalent(AluResolvePath(a), AluResolvePath(b), ec);
  return !ec && same;
}

std::optional<PictureBackup> BackUpPictureFile(std::string_view stored) {
  const std::string original = AluResolvePath(stored);
  const PathParts parts = AluSplitPath(original);
  const std::string base = original.substr(0, parts.extension >= 0 ? parts.extension : original.size());
  std::error_code ec;
  for (int n = 0; n < 10; ++n) {
    std::string backup = base;
    backup += ".bak";
    if (n > 0) backup += std::to_string(n);
    if (fs::exists(fs::symlink_status(backup, ec))) continue;
    fs::rename(original, backup, ec);
    if (ec) return std::nullopt;
    return PictureBackup{original, backup};
  }
  return std::nullopt;
}

bool RestorePictureFile(const PictureBackup& backup) {
  std::error_code ec;
  // The failed copy may have left a file under the original name; the backup wins.
  fs::rename(backup.backup, backup.original, ec);
  return !ec;
}

void DropPictureBackup(const PictureBackup& backup) {
  std::error_code ec;
  fs::remove(backup.backup, ec);
}

}  // namespace korvel

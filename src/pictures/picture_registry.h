// The picture registry and the bitmap cache: one entry per distinct picture path with a count of
// the radio references to it, and 100 slots of loaded bitmaps reused least recently used first.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "pictures/gal_bitmap.h"

namespace korvel {

constexpr int kPictureCacheSlots = 100;
constexpr int kPictureHashBuckets = 2000;

class PictureRegistry {
 public:
  // Names are relative to the data directory; full paths are "directory\name".
  void SetDataDirectory(std::string directory) { directory_ = std::move(directory); }
  const std::string& DataDirectory() const { return directory_; }

  // Start-up: no entries, every slot free.
  void Clear();

  // The index of the name's full path, its count raised by one (a new path starts at 1); -1 for an
  // empty name. Indices stay valid for the whole run.
  int Register(std::string_view name);
  // Lowers the count; at 0 the picture's cache slot is freed (the index stays).
  void Release(int index);
  bool IsUsed(std::string_view name) const;
  std::string Path(int index) const;  // empty for -1 and for a name leading outside
  int UseCount(int index) const;      // 0 for -1
  // The full path of a name (empty for the empty name and for one leading outside).
  std::string DisplayPath(std::string_view name) const;
  // Frees the picture's slot without touching its count: the next use reads the file again.
  void ForgetBitmap(int index);
  int EntryCount() const { return static_cast<int>(entries_.size()); }

  // The cache slot holding the picture's bitmap (read again with `reload`), or -1. The bitmap is
  // held at the size the picture is shown at inside fitWidth x fitHeight (0 x 0: its own size), so
  // the cache costs what the screen shows rather than what the camera took.
  int GetBitmap(int index, bool reload = false, int fitWidth = 0, int fitHeight = 0);
  const GalBitmap& SlotBitmap(int slot) const { return slots_[slot].bitmap; }
  int CachedSlot(int index) const;
  // The picture's own size, upright, or -1 x -1 when there is none or it cannot be loaded.
  bool GetSize(int index, int& width, int& height);
  // The full path for messages, also of a name leading outside (which is never opened).
  std::string ReportedPath(int index) const {
    return index >= 0 && index < EntryCount() ? entries_[index].path : std::string();
  }
  // Why the picture's last load failed, in the user's words (empty when it did not fail).
  std::string Problem(int index) const;
  // True the first time it is asked about a picture that cannot be shown: each is reported once a
  // run. A missing file is not reported (a radio's photo may not be taken yet); its card says so.
  bool FirstReport(int index);
  // While drawing (no message box may open then): the picture is to be reported once drawing is
  // over, unless it was reported before. TakeUnshown gives those noted since the last call.
  void NoteUnshown(int index) {
    if (FirstReport(index)) unshown_.push_back(index);
  }
  std::vector<int> TakeUnshown() { return std::exchange(unshown_, {}); }
  // Whether the name stays inside the data directory, so that it may be opened at all.
  bool IsInside(int index) const;
  // GalCopyPictureFile on the two entries' paths; 0 when either is -1.
  int CopyByIndex(int source, int target, int mode, int size);

 private:
  struct Entry {
    std::string path;
    int slot = -1;
    int count = 1;
    int width = 0;  // upright, once known
    int height = 0;
    std::string problem;
    bool reported = false;
    bool missing = false;  // a file not made yet is shown as such but not reported
    bool inside = true;
  };
  struct Slot {
    GalBitmap bitmap;
    int owner = -1;
    int previous = -1;
    int next = -1;
  };

  std::string FullPath(std::string_view name) const;
  int Find(const std::string& path) const;
  std::vector<int>::const_iterator LowerBound(const std::vector<int>& bucket, const std::string& path) const;
  void Unlink(int slot);
  void PushFront(int slot);
  void FreeSlot(int slot);

  std::string directory_;
  std::vector<Entry> entries_;
  std::array<std::vector<int>, kPictureHashBuckets> buckets_;  // entry indices, paths ascending
  std::array<Slot, kPictureCacheSlots> slots_;
  std::vector<int> unshown_;
  int head_ = -1;  // most recently used
  int tail_ = -1;  // least recently used
};

// Whether a stored picture name stays inside the data directory: not absolute, no drive, no "..".
// The empty name (no picture) does.
bool PictureNameStaysInside(std::string_view name);

// The bucket of a full path: its characters from just before the extension back to (not
// including) the third separator from the end, h = (h * 31 + c) % 2000. Bytes are taken unsigned,
// so every path has a bucket.
int PictureHash(std::string_view path);

}  // namespace korvel

#include "pictures/picture_registry.h"

#include <algorithm>

#include "util/alu_path.h"

namespace korvel {

int PictureHash(std::string_view path) {
  const PathParts parts = AluSplitPath(path);
  int end = parts.extension >= 0 ? parts.extension : static_cast<int>(path.size());
  int h = 0;
  int separators = 0;
  for (int i = end - 1; i >= 1; --i) {
    const char c = path[static_cast<std::size_t>(i)];
    if (c == '\\' || c == '/') {
      if (++separators == 3) break;
    }
    h = (h * 31 + static_cast<unsigned char>(c)) % kPictureHashBuckets;
  }
  return h;
}

void PictureRegistry::Clear() {
  entries_.clear();
  for (auto& bucket : buckets_) bucket.clear();
  for (Slot& slot : slots_) {
    GalFreeBitmap(slot.bitmap);
    slot.owner = slot.previous = slot.next = -1;
  }
  head_ = tail_ = -1;
}

std::string PictureRegistry::FullPath(std::string_view name) const {
  if (name.empty()) return {};
  std::string path = directory_;
  path += '\\';
  path += name;
  return path;
}

// The first entry of the bucket whose path is not less than `path`: the chains are in ascending
// order, and those of a large collection are long enough to search by halves.
std::vector<int>::const_iterator PictureRegistry::LowerBound(const std::vector<int>& bucket,
                                                            const std::string& path) const {
  return std::lower_bound(bucket.begin(), bucket.end(), path,
                          [&](int index, const std::string& p) { return entries_[index].path < p; });
}

int PictureRegistry::Find(const std::string& path) const {
  const std::vector<int>& bucket = buckets_[PictureHash(path)];
  const auto at = LowerBound(bucket, path);
  return at != bucket.end() && entries_[*at].path == path ? *at : -1;
}

int PictureRegistry::Register(std::string_view name) {
  const std::string path = FullPath(name);
  if (path.empty()) return -1;
  std::vector<int>& bucket = buckets_[PictureHash(path)];
  const auto at = LowerBound(bucket, path);
  if (at != bucket.end() && entries_[*at].path == path) {
    ++entries_[*at].count;
    return *at;
  }
  const int index = static_cast<int>(entries_.size());
  // Grows by at least 100 entries, and by half of what it holds once large: a collection of a
  // hundred thousand radios registers its pictures without copying the registry over and over.
  if (entries_.size() == entries_.capacity())
    entries_.reserve(entries_.size() + std::max<std::size_t>(100, entries_.size() / 2));
  entries_.push_back(Entry{path, -1, 1});
  bucket.insert(at, index);
  return index;
}

void PictureRegistry::Release(int index) {
  if (index < 0 || index >= EntryCount()) return;
  Entry& entry = entries_[index];
  if (entry.count <= 0) return;
  if (--entry.count == 0 && entry.slot >= 0) FreeSlot(entry.slot);
}

bool PictureRegistry::IsUsed(std::string_view name) const {
  const std::string path = FullPath(name);
  if (path.empty()) return false;
  const int index = Find(path);
  return index >= 0 && entries_[index].count > 0;
}

std::string PictureRegistry::Path(int index) const {
  return index >= 0 && index < EntryCount() ? entries_[index].path : std::string();
}

int PictureRegistry::UseCount(int index) const {
  return index >= 0 && index < EntryCount() ? entries_[index].count : 0;
}

std::string PictureRegistry::DisplayPath(std::string_view name) const {
  return FullPath(name);
}

int PictureRegistry::CachedSlot(int index) const {
  return index >= 0 && index < EntryCount() ? entries_[index].slot : -1;
}

void PictureRegistry::ForgetBitmap(int index) {
  if (index >= 0 && index < EntryCount() && entries_[index].slot >= 0) FreeSlot(entries_[index].slot);
}

void PictureRegistry::Unlink(int slot) {
  Slot& s = slots_[slot];
  if (s.previous >= 0) slots_[s.previous].next = s.next;
  if (s.next >= 0) slots_[s.next].previous = s.previous;
  if (head_ == slot) head_ = s.next;
  if (tail_ == slot) tail_ = s.previous;
  s.previous = s.next = -1;
}

void PictureRegistry::PushFront(int slot) {
  Slot& s = slots_[slot];
  s.previous = -1;
  s.next = head_;
  if (head_ >= 0) slots_[head_].previous = slot;
  head_ = slot;
  if (tail_ < 0) tail_ = slot;
}

// The bitmap's memory stays with the slot, for the next picture to reuse.
void PictureRegistry::FreeSlot(int slot) {
  Slot& s = slots_[slot];
  if (s.owner >= 0) entries_[s.owner].slot = -1;
  s.owner = -1;
  Unlink(slot);
}

int PictureRegistry::GetBitmap(int index, bool reload) {
  if (index < 0 || index >= EntryCount()) return -1;
  Entry& entry = entries_[index];
  int slot = entry.slot;
  if (slot >= 0) {
    Unlink(slot);
    PushFront(slot);
    if (!reload) return slot;
  } else {
    for (int i = 0; i < kPictureCacheSlots && slot < 0; ++i) {
      if (slots_[i].owner < 0) slot = i;
    }
    if (slot < 0) {
      slot = tail_;
      FreeSlot(slot);
    }
    PushFront(slot);
  }
  slots_[slot].owner = -1;
  if (GalLoadBitmap(entry.path, slots_[slot].bitmap)) {
    slots_[slot].owner = index;
    entry.slot = slot;
    return slot;
  }
  Unlink(slot);
  entry.slot = -1;
  return -1;
}

bool PictureRegistry::GetSize(int index, int& width, int& height) {
  width = height = -1;
  const int slot = GetBitmap(index);
  if (slot < 0) return false;
  return GalGetBitmapSize(slots_[slot].bitmap, width, height);
}

int PictureRegistry::CopyByIndex(int source, int target, int mode, int size) {
  if (source < 0 || target < 0 || source >= EntryCount() || target >= EntryCount()) return 0;
  return GalCopyPictureFile(entries_[source].path, entries_[target].path, mode, size);
}

}  // namespace korvel

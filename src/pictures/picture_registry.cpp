#include "pictures/picture_registry.h"

#include <algorithm>

#include "pictures/bmp_header.h"

#include "util/alu_path.h"

namespace korvel {
namespace {

constexpr const char* kOutside = "its name leads outside the data directory, so it is not opened";

}  // namespace

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

bool PictureNameStaysInside(std::string_view name) {
  if (name.empty()) return true;
  if (name.front() == '\\' || name.front() == '/' || name.find(':') != std::string_view::npos) return false;
  std::size_t start = 0;
  while (start <= name.size()) {
    const std::size_t end = std::min(name.find_first_of("\\/", start), name.size());
    if (name.substr(start, end - start) == "..") return false;
    start = end + 1;
  }
  return true;
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
  Entry entry;
  entry.path = path;
  entry.inside = PictureNameStaysInside(name);
  entries_.push_back(std::move(entry));
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
  return index >= 0 && index < EntryCount() && entries_[index].inside ? entries_[index].path : std::string();
}

std::string PictureRegistry::Problem(int index) const {
  return index >= 0 && index < EntryCount() ? entries_[index].problem : std::string();
}

bool PictureRegistry::FirstReport(int index) {
  if (index < 0 || index >= EntryCount() || entries_[index].problem.empty() || entries_[index].reported ||
      entries_[index].missing)
    return false;
  entries_[index].reported = true;
  return true;
}

bool PictureRegistry::IsInside(int index) const {
  return index >= 0 && index < EntryCount() && entries_[index].inside;
}

int PictureRegistry::UseCount(int index) const {
  return index >= 0 && index < EntryCount() ? entries_[index].count : 0;
}

std::string PictureRegistry::DisplayPath(std::string_view name) const {
  return PictureNameStaysInside(name) ? FullPath(name) : std::string();
}

int PictureRegistry::CachedSlot(int index) const {
  return index >= 0 && index < EntryCount() ? entries_[index].slot : -1;
}

void PictureRegistry::ForgetBitmap(int index) {
  if (index < 0 || index >= EntryCount()) return;
  Entry& entry = entries_[index];
  if (entry.slot >= 0) FreeSlot(entry.slot);
  entry.width = entry.height = 0;
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

int PictureRegistry::GetBitmap(int index, bool reload, int fitWidth, int fitHeight) {
  if (index < 0 || index >= EntryCount()) return -1;
  Entry& entry = entries_[index];
  if (!entry.inside) {
    entry.problem = kOutside;
    return -1;
  }
  int slot = entry.slot;
  if (slot >= 0) {
    Unlink(slot);
    PushFront(slot);
    // A bitmap held smaller than this use needs is read again at the larger size.
    int width = 0, height = 0, heldWidth = 0, heldHeight = 0;
    GalFitInside(entry.width, entry.height, fitWidth, fitHeight, width, height);
    const std::optional<BmpHeader> held = ReadBmpHeader(slots_[slot].bitmap.Bytes());
    if (held) {
      heldWidth = held->width;
      heldHeight = held->height < 0 ? -held->height : held->height;
    }
    const bool enough = heldWidth >= width && heldHeight >= height;
    if (!reload && (enough || !GalIs24Bit(slots_[slot].bitmap))) return slot;
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
  GalPictureFacts facts;
  if (GalLoadPictureToFit(entry.path, slots_[slot].bitmap, fitWidth, fitHeight, &facts)) {
    slots_[slot].owner = index;
    entry.slot = slot;
    entry.width = facts.width;
    entry.height = facts.height;
    entry.problem.clear();
    entry.missing = false;
    return slot;
  }
  entry.problem = facts.problem;
  entry.missing = facts.missing;
  entry.width = entry.height = 0;
  Unlink(slot);
  entry.slot = -1;
  return -1;
}

bool PictureRegistry::GetSize(int index, int& width, int& height) {
  width = height = -1;
  if (index < 0 || index >= EntryCount()) return false;
  Entry& entry = entries_[index];
  if (!entry.inside) {
    entry.problem = kOutside;
    return false;
  }
  if (entry.width <= 0 || entry.height <= 0) {
    // Only the header is read: the size alone costs no decoding.
    const GalPictureFacts facts = GalReadPictureFacts(entry.path);
    if (!facts.problem.empty() || facts.width <= 0 || facts.height <= 0) {
      entry.problem = facts.problem;
      entry.missing = facts.missing;
      return false;
    }
    entry.width = facts.width;
    entry.height = facts.height;
  }
  width = entry.width;
  height = entry.height;
  return true;
}

int PictureRegistry::CopyByIndex(int source, int target, int mode, int size) {
  if (!IsInside(source) || !IsInside(target)) return 0;
  return GalCopyPictureFile(entries_[source].path, entries_[target].path, mode, size);
}

}  // namespace korvel

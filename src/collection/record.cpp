#include "collection/record.h"

#include <algorithm>
#include <cassert>

namespace korvel {

const TubeSlot TubeSlots::kEmptySlot;

TubeSlot& TubeSlots::Edit(int i) {
  assert(i >= 0 && i < kTubeSlotCount);
  i = std::clamp(i, 0, kTubeSlotCount - 1);
  if (i >= static_cast<int>(slots_.size())) slots_.resize(i + 1);
  return slots_[i];
}

void TubeSlots::Set(int i, std::int32_t function, std::string type) {
  TubeSlot& slot = Edit(i);
  slot.function = function;
  slot.type = std::move(type);
}

bool operator==(const TubeSlots& a, const TubeSlots& b) {
  const int n = std::max(a.HeldCount(), b.HeldCount());
  for (int i = 0; i < n; ++i) {
    if (!(a[i] == b[i])) return false;
  }
  return true;
}

const std::string ExtraPictureFiles::kEmptyName;

std::string& ExtraPictureFiles::operator[](int i) {
  assert(i >= 0 && i < kExtraPictureLimit);
  i = std::clamp(i, 0, kExtraPictureLimit - 1);
  if (i >= static_cast<int>(names_.size())) names_.resize(i + 1);
  return names_[i];
}

bool operator==(const ExtraPictureFiles& a, const ExtraPictureFiles& b) {
  const int n = std::max(a.HeldCount(), b.HeldCount());
  for (int i = 0; i < n; ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

int UsedExtraPictures(const RadioRecord& radio) {
  return std::clamp(radio.extraPictureCount, 0, kExtraPictureLimit);
}

}  // namespace korvel

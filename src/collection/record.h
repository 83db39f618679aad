// The radio record: one per radio of the collection.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace korvel {

constexpr int kTubeSlotCount = 30;
constexpr int kExtraPictureLimit = 10;

struct TubeSlot {
  std::int32_t function = 0;  // position in the Tube Function table; 0 is an empty slot
  std::string type;           // "12SA7", or a count and a type such as "2*6V6"

  bool IsFilled() const { return function != 0 && !type.empty(); }
  friend bool operator==(const TubeSlot&, const TubeSlot&) = default;
};

// The 30 tube slots of a radio. Only the slots up to the last one ever written are held in
// memory: most radios use a handful.
class TubeSlots {
 public:
  // Slot i (0-29); a slot that was never written reads as empty.
  const TubeSlot& operator[](int i) const {
    return i >= 0 && i < static_cast<int>(slots_.size()) ? slots_[i] : kEmptySlot;
  }
  // Slot i (0-29) for writing.
  TubeSlot& Edit(int i);
  void Set(int i, std::int32_t function, std::string type);
  void ClearAll() { slots_.clear(); }
  // Room for n slots (0-30) without regrowing: a record holds exactly what it was given.
  void Reserve(int n) {
    slots_.reserve(static_cast<std::size_t>(n < 0 ? 0 : (n > kTubeSlotCount ? kTubeSlotCount : n)));
  }
  // Slots beyond this number are all empty.
  int HeldCount() const { return static_cast<int>(slots_.size()); }
  // Where the held slots lie (for prefetching).
  const TubeSlot* HeldData() const { return slots_.data(); }

  friend bool operator==(const TubeSlots& a, const TubeSlots& b);

 private:
  static const TubeSlot kEmptySlot;
  std::vector<TubeSlot> slots_;
};

// The ten extra picture names of a radio. As with the tube slots, only the names up to the last
// one written are held; the others read as empty.
class ExtraPictureFiles {
 public:
  const std::string& operator[](int i) const {
    return i >= 0 && i < static_cast<int>(names_.size()) ? names_[i] : kEmptyName;
  }
  // Name i (0-9) for writing.
  std::string& operator[](int i);
  int HeldCount() const { return static_cast<int>(names_.size()); }

  friend bool operator==(const ExtraPictureFiles& a, const ExtraPictureFiles& b);

 private:
  static const std::string kEmptyName;
  std::vector<std::string> names_;
};

// Where a radio unchanged since loading stands in the collection's as-loaded list, or -1. Only
// the collection sets it. A copy of a record is another record: it never takes the mark, and
// assigning to a record keeps the mark it has.
class AsLoadedSlot {
 public:
  AsLoadedSlot() = default;
  AsLoadedSlot(const AsLoadedSlot&) noexcept {}
  AsLoadedSlot& operator=(const AsLoadedSlot&) noexcept { return *this; }
  int index = -1;
};

// The fields are grouped rather than kept in the data file's order: the numbers and positions
// that selections and the radio order test come first and together, so that a walk over a large
// collection touches few cache lines per radio.
struct RadioRecord {
  std::int32_t id = 0;
  std::int32_t brand = 0;  // Brand Name
  std::int32_t year = 0;
  std::int32_t manufacturer = 0;        // Manufacturer
  std::int32_t cabinetStyle = 0;        // Cabinet Style
  std::int32_t cabinetComposition = 0;  // Cabinet Composition
  std::int32_t cabinetTrim = 0;         // Cabinet Trim
  std::int32_t pushButtons = 0;         // Yes/No
  std::int32_t telephoneDial = 0;       // Yes/No
  std::int32_t tuningDial = 0;          // Tuning Dial
  std::int32_t dialPosition = 0;        // Position
  std::int32_t grillStyle = 0;          // Grill Style
  std::int32_t grillPosition = 0;       // Position
  std::int32_t powerSource = 0;         // Power Source
  std::int32_t bands = 0;               // Bands
  std::int32_t technology = 0;          // Technology
  std::int32_t circuitType = 0;         // Circuit Type
  std::int32_t purchasePrice = 0;
  std::int32_t status = 0;            // Status
  std::int32_t condition = 0;         // Condition
  std::int32_t chassisCondition = 0;  // Chassis Condition
  std::int32_t value = 0;
  std::int32_t restorationCost = 0;
  std::int32_t sellingPrice = 0;
  std::int32_t pictureIndex = -1;      // picture registry handle; never stored
  std::int32_t thumbnailIndex = -1;    // picture registry handle; never stored
  std::int32_t extraPictureCount = 0;  // 0 to 10
  std::int32_t currentPicture = -1;    // -1 the main picture, 0-9 an extra one
  std::string model;
  std::string dateAcquired;
  std::string dateRestored;
  std::string dateDisposed;
  TubeSlots tubes;
  std::string serialNumber;
  std::string cabinetColour;
  std::string trimColour;  // meaningful only when the trim is not "No Trim"
  std::string whereAcquired;
  std::string damage;
  std::string sourceOfValue;
  std::string repairsNeeded;
  std::string whereDisposed;
  std::string schematic;
  std::string references;
  std::string comments;
  std::string extras;
  std::string pictureFile;  // relative to the data directory
  std::string thumbnailFile;
  ExtraPictureFiles extraPictureFiles;  // the first extraPictureCount are used
  std::array<std::int32_t, kExtraPictureLimit> extraPictureIndex{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  AsLoadedSlot asLoadedSlot;  // never stored
};

// The used extra pictures: extraPictureCount kept within 0..10.
int UsedExtraPictures(const RadioRecord& radio);

}  // namespace korvel

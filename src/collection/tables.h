// Lookup tables: the named, sorted lists of texts from which most record fields take a position.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace korvel {

constexpr int kTableEntryLimit = 72;  // characters in one entry

struct LookupTable {
  std::vector<std::string> entries;  // ascending byte order
  bool modifiable = true;            // false for the built-in tables

  int Count() const { return static_cast<int>(entries.size()); }
  // The entry at a position; an empty text for a position outside the table.
  const std::string& Text(int position) const;
};

// Tables by number, in the alphabetical order of the chooser's names.
enum TableKind : int {
  kTableBands = 0,
  kTableBrandName = 1,
  kTableCabinetComposition = 2,
  kTableCabinetStyle = 3,
  kTableCabinetTrim = 4,
  kTableChassisCondition = 5,
  kTableCircuitType = 6,
  kTableCondition = 7,
  kTableGrillStyle = 8,
  kTableManufacturer = 9,
  kTablePosition = 10,
  kTablePowerSource = 11,
  kTableStatus = 12,
  kTableTechnology = 13,
  kTableTubeFunction = 14,
  kTableTuningDial = 15,
};
constexpr int kTableKindCount = 16;
constexpr int kUserTableCount = 13;

bool IsTableKind(int kind);
bool IsBuiltInTable(int kind);
// Name in the table chooser ("ChassisCondition" for kind 5), or nullptr for no such kind.
const char* TableChooserName(int kind);
// Name of the table's section in the data file; nullptr for the built-in tables.
const char* TableSectionName(int kind);
// The entry that a new radio takes in the table's field(s).
const char* NewRadioEntryName(int kind);
// The kinds of the 13 user tables, in the order their sections appear in the data file.
const std::array<int, kUserTableCount>& UserTableKindsInFileOrder();

// Positions in the built-in tables that the program tests by number.
enum StatusPosition : int {
  kStatusAsAcquired = 0,
  kStatusDonated = 1,
  kStatusForSale = 2,
  kStatusNotRestored = 3,
  kStatusPartiallyRestored = 4,
  kStatusRestored = 5,
  kStatusRestoredAndSold = 6,
  kStatusRestoredForSale = 7,
  kStatusReturned = 8,
  kStatusScrapped = 9,
  kStatusSold = 10,
  kStatusToBeRestored = 11,
};
enum TechnologyPosition : int { kTechCrystal = 0, kTechHybrid = 1, kTechTransistor = 2, kTechTube = 3 };
enum TubeFunctionPosition : int {
  kFunctionNone = 0,
  kFunctionBallast = 1,
  kFunctionConverter = 2,
  kFunctionDetector = 3,
  kFunctionDetectorFirstAudio = 4,
  kFunctionFirstAudio = 5,
  kFunctionFmConverter = 6,
  kFunctionFmDiscriminator = 7,
  kFunctionFmIfAmplifier = 8,
  kFunctionFmLimiter = 9,
  kFunctionFmMixer = 10,
  kFunctionFmOscillator = 11,
  kFunctionFmRatioDetector = 12,
  kFunctionFmRfAmplifier = 13,
  kFunctionIfAmplifier = 14,
  kFunctionIfAmplifierDetector = 15,
  kFunctionMixer = 16,
  kFunctionOscillator = 17,
  kFunctionPhaseInverter = 18,
  kFunctionPowerAmplifier = 19,
  kFunctionRectifier = 20,
  kFunctionRfAmplifier = 21,
  kFunctionSecondAudio = 22,
  kFunctionTuningIndicator = 23,
  kFunctionUnknown = 24,
};
constexpr int kTubeFunctionCount = 25;
enum YesNoPosition : int { kNo = 0, kYes = 1 };

const LookupTable& StatusTable();
const LookupTable& TechnologyTable();
const LookupTable& TubeFunctionTable();
const LookupTable& YesNoTable();

// All sixteen tables by kind: the user tables start empty, the built-in ones full.
using TableSet = std::array<LookupTable, kTableKindCount>;
TableSet MakeTableSet();

struct TableMatch {
  bool found = false;
  int position = 0;
};

// The first entry that the name is a prefix of, both in the capitalised form; an empty name finds
// the first entry. Not found: position 0.
TableMatch FindTableEntry(const std::string& name, const LookupTable& table);

// Word by word: each of the name's words (split at blanks) is a prefix of the entry's word in
// the same place. The name is left in the capitalised form.
TableMatch FindTableEntryByWords(std::string& name, const LookupTable& table);

}  // namespace korvel

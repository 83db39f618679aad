#include "collection/tube_rows.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "collection/tubes.h"
#include "util/message.h"

namespace korvel {
namespace {

// The slots with a function, in the order the rows show them.
std::vector<TubeSlot> SlotsInDisplayOrder(const RadioRecord& radio) {
  std::vector<TubeSlot> slots;
  for (int function : TubeDisplayOrder()) {
    for (int slot = 0; slot < kTubeSlotCount; ++slot) {
      if (radio.tubes[slot].function == function) slots.push_back(radio.tubes[slot]);
    }
  }
  return slots;
}

}  // namespace

TubeRows FillTubeRows(const RadioRecord& radio) {
  TubeRows rows{};
  const std::vector<TubeSlot> slots = SlotsInDisplayOrder(radio);
  if (slots.size() > rows.size()) ShowMessage(kError, kButtonsOk, "Too many tubes");
  for (std::size_t i = 0; i < rows.size() && i < slots.size(); ++i)
    rows[i] = {slots[i].function, slots[i].type};
  return rows;
}

void ReadTubeRows(const TubeRows& rows, RadioRecord& radio, const Collection* lookup) {
  // Tubes beyond the sixteen rows were never shown; they stay after the rows rather than being lost.
  std::vector<TubeSlot> hidden = SlotsInDisplayOrder(radio);
  hidden.erase(hidden.begin(), hidden.begin() + std::min(hidden.size(), rows.size()));
  radio.tubes.ClearAll();
  int slot = 0;
  for (const TubeRow& row : rows) {
    if (row.type.empty() || row.type[0] == ' ') continue;
    std::string type = row.type;
    std::transform(type.begin(), type.end(), type.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    int function = row.function;
    if (function <= kFunctionNone || function >= kFunctionUnknown) {
      function = lookup != nullptr ? MostCommonFunction(*lookup, type) : kFunctionUnknown;
    }
    radio.tubes.Set(slot++, function, std::move(type));
  }
  for (TubeSlot& tube : hidden) {
    if (slot < kTubeSlotCount) radio.tubes.Set(slot++, tube.function, std::move(tube.type));
  }
}

TubeRows SearchFillTubeRows(const TubeRows& rows, RadioRecord& radio, const Collection& collection) {
  ReadTubeRows(rows, radio, &collection);
  CompleteLineUp(radio, collection.tables[kTablePowerSource]);
  return FillTubeRows(radio);
}

const std::array<int, kTubeDisplayFunctions>& TubeDisplayOrder() {
  static constexpr std::array<int, kTubeDisplayFunctions> kOrder{
      kFunctionRfAmplifier,     kFunctionConverter,          kFunctionMixer,
      kFunctionOscillator,      kFunctionIfAmplifier,        kFunctionIfAmplifierDetector,
      kFunctionDetector,        kFunctionDetectorFirstAudio, kFunctionFirstAudio,
      kFunctionSecondAudio,     kFunctionPhaseInverter,      kFunctionPowerAmplifier,
      kFunctionFmRfAmplifier,   kFunctionFmConverter,        kFunctionFmMixer,
      kFunctionFmOscillator,    kFunctionFmIfAmplifier,      kFunctionFmLimiter,
      kFunctionFmDiscriminator, kFunctionFmRatioDetector,    kFunctionRectifier,
      kFunctionBallast,         kFunctionTuningIndicator,    kFunctionUnknown,
  };
  return kOrder;
}

}  // namespace korvel

#include "collection/tubes.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <new>

#include "collection/radio_ops.h"
#include "util/message.h"

namespace korvel {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads a count as "%d" would: blanks, a sign, digits; none gives the default.
int ReadCount(std::string_view text, int fallback) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i >= text.size() || !IsDigit(text[i])) return fallback;
  long long value = 0;
  while (i < text.size() && IsDigit(text[i])) {
    value = value * 10 + (text[i++] - '0');
    if (value > 1000000000) break;
  }
  return static_cast<int>(negative ? -value : value);
}

struct LineUp {
  const char* rfAmplifier;  // nullptr: the line-up has no RF stage
  const char* converter;
  const char* ifAmplifier;
  const char* detector;
  const char* powerAmplifier;        // sets without an RF Amplifier slot
  const char* powerAmplifierWithRf;  // sets with one
  const char* rectifier;
};

constexpr std::array<LineUp, 5> kLineUps = {{
    {"12SK7", "12SA7", "12SK7", "12SQ7", "50L6", "35L6", "35Z5"},
    {"12BA6", "12BE6", "12BA6", "12AV6", "50C5", "35C5", "35W4"},
    {nullptr, "1R5", "1U4", "1U5", "3V4", "3V4", "117Z3"},
    {nullptr, "6A8", "6K7", "6Q7", "6F6", "6F6", "5Y4"},
    {nullptr, "7A8", "14A7", "14B6", "50A5", "35A5", "35Y4"},
}};

// The Power Source entry whose sets take no rectifier, found by its text: inserted entries move it.
constexpr std::string_view kNoRectifierPowerSource = "Battery";

bool InUse(const RadioRecord& r) {
  switch (r.status) {
    case kStatusDonated:
    case kStatusRestoredAndSold:
    case kStatusReturned:
    case kStatusScrapped:
    case kStatusSold:
      return false;
    default:
      return true;
  }
}

}  // namespace

std::string PadTubeName(std::string_view type) {
  std::size_t digits = 0;
  while (digits < type.size() && IsDigit(type[digits])) ++digits;
  const std::size_t blanks = digits == 1 ? 3 : (digits == 2 ? 2 : 1);
  std::string padded(blanks, ' ');
  padded.append(type.substr(0, kPaddedNameLimit - blanks));
  return padded;
}

PaddedTube PadTubeText(std::string_view text) {
  const std::size_t star = text.find('*');
  if (star == std::string_view::npos) return {PadTubeName(text), 1};
  return {PadTubeName(text.substr(star + 1)), ReadCount(text.substr(0, star), 1)};
}

std::string_view UnpaddedName(std::string_view padded) {
  const std::size_t first = padded.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view() : padded.substr(first);
}

const TubeAlias* FindTubeAlias(std::string_view padded, const TubeAliasList& aliases) {
  const std::string_view wanted = UnpaddedName(padded);
  for (const auto& [name, alias] : aliases) {
    if (std::string_view(name) > padded) break;  // sorted: nothing further can match
    if (UnpaddedName(name) == wanted) return &alias;
  }
  return nullptr;
}

std::string ResolveTubeName(std::string_view padded, const TubeAliasList& aliases) {
  const TubeAlias* alias = FindTubeAlias(padded, aliases);
  return alias != nullptr ? alias->aliasOf : std::string(padded);
}

InventoryItem* InsertTube(std::string_view padded, InventoryList& list, const TubeAliasList& aliases) {
  std::string name = ResolveTubeName(padded, aliases);
  try {
    auto [it, inserted] = list.try_emplace(name);
    if (inserted) it->second.name = std::move(name);
    return &it->second;
  } catch (const std::bad_alloc&) {
    ShowMessage(kError, kButtonsOk, "'AluMalloc' failure in 'InsertTube'.");
    return nullptr;
  }
}

InventoryItem* FindInventoryItem(std::string_view padded, InventoryList& list, const TubeAliasList& aliases) {
  const auto it = list.find(ResolveTubeName(padded, aliases));
  return it == list.end() ? nullptr : &it->second;
}

void ParseInventoryLine(std::string_view line, int kind, InventoryList& list, const TubeAliasList& aliases) {
  std::size_t at = 0;
  for (;;) {
    const std::size_t comma = line.find(',', at);
    const std::string_view piece = line.substr(at, comma == std::string_view::npos ? line.npos : comma - at);
    const PaddedTube tube = PadTubeText(piece);
    if (InventoryItem* item = InsertTube(tube.name, list, aliases)) {
      // Counts from a file may be anything: they add up without wrapping round.
      const long long sum = static_cast<long long>(item->count) + tube.count;
      item->count = static_cast<std::int32_t>(std::clamp<long long>(
          sum, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
      item->kind = kind;
    }
    if (comma == std::string_view::npos) break;
    at = comma + 1;
  }
}

bool InsertTubeAlias(std::string_view line, TubeAliasList& aliases) {
  const std::size_t blank = line.find(' ');
  if (blank == std::string_view::npos) return false;
  const std::size_t second = line.find_first_not_of(' ', blank);
  if (second == std::string_view::npos) return false;
  const std::size_t secondEnd = line.find(' ', second);
  std::string first = PadTubeText(line.substr(0, blank)).name;
  std::string other =
      PadTubeText(line.substr(second, secondEnd == line.npos ? line.npos : secondEnd - second)).name;
  if (other < first) std::swap(first, other);
  try {
    aliases.try_emplace(other, TubeAlias{other, first});
  } catch (const std::bad_alloc&) {
    ShowMessage(kError, kButtonsOk, "'AluMalloc' failure in 'InsertTubeAlias'.");
    return false;
  }
  return true;
}

InventoryList TubeUsage(const Collection& collection, int kind) {
  InventoryList usage;
  for (const RadioRecord* r : collection.radios) {
    if (!InUse(*r)) continue;
    for (int i = 0; i < r->tubes.HeldCount(); ++i) {
      const TubeSlot& slot = r->tubes[i];
      if (!slot.IsFilled()) continue;
      int slotKind = r->technology;
      if (r->technology == kTechHybrid) {
        slotKind = slot.function == kFunctionPowerAmplifier ? kTechTransistor : kTechTube;
      }
      if (slotKind == kind) ParseInventoryLine(slot.type, kind, usage, collection.aliases);
    }
  }
  for (const auto& [name, item] : collection.inventory) {
    if (item.kind != kind) continue;
    if (InventoryItem* used = InsertTube(name, usage, collection.aliases)) used->kind = kind;
  }
  return usage;
}

void FillStockCounts(InventoryList& usage, InventoryList& inventory, const TubeAliasList& aliases) {
  for (auto& [name, item] : usage) {
    const InventoryItem* stock = FindInventoryItem(name, inventory, aliases);
    item.secondCount = stock != nullptr ? stock->count : 0;
  }
}

int MostCommonFunction(const Collection& collection, std::string_view text) {
  constexpr int kEnough = 10;
  std::array<int, kTubeFunctionCount> counts{};
  const std::string wanted = ResolveTubeName(PadTubeText(text).name, collection.aliases);
  for (const RadioRecord* r : collection.radios) {
    for (int i = 0; i < kTubeSlotCount; ++i) {
      const TubeSlot& slot = r->tubes[i];
      if (!slot.IsFilled()) break;
      if (slot.function < 0 || slot.function >= kTubeFunctionCount) continue;
      if (ResolveTubeName(PadTubeText(slot.type).name, collection.aliases) != wanted) continue;
      if (++counts[slot.function] == kEnough) return slot.function;
    }
  }
  int best = kFunctionUnknown;
  for (int f = 0; f < kFunctionUnknown; ++f) {
    if (counts[f] > counts[best]) best = f;
  }
  return best;
}

void CompleteLineUp(RadioRecord& r, const LookupTable& powerSources) {
  const bool takesRectifier = powerSources.Text(r.powerSource) != kNoRectifierPowerSource;
  for (const LineUp& lineUp : kLineUps) {
    int n = 0;
    while (n < kTubeSlotCount && r.tubes[n].IsFilled()) ++n;
    const auto add = [&](int function, const char* type) {
      if (n >= kTubeSlotCount) return false;
      r.tubes.Set(n++, function, type);
      return true;
    };
    const auto slotText = [&](int function) -> const std::string* {
      const int slot = FindTubeSlot(r, function, -1);
      return slot < 0 ? nullptr : &r.tubes[slot].type;
    };
    const auto has = [&](int function) { return FindTubeSlot(r, function, -1) >= 0; };

    if (lineUp.rfAmplifier != nullptr) {
      const std::string* rf = slotText(kFunctionRfAmplifier);
      if (rf != nullptr && *rf == lineUp.rfAmplifier && !has(kFunctionConverter)) {
        if (!add(kFunctionConverter, lineUp.converter)) continue;
      }
    }
    const std::string* converter = slotText(kFunctionConverter);
    if (converter == nullptr || *converter != lineUp.converter) continue;
    if (!has(kFunctionIfAmplifier) && !add(kFunctionIfAmplifier, lineUp.ifAmplifier)) continue;
    if (!has(kFunctionDetectorFirstAudio) && !add(kFunctionDetectorFirstAudio, lineUp.detector)) continue;
    if (!has(kFunctionPowerAmplifier)) {
      const char* type = has(kFunctionRfAmplifier) ? lineUp.powerAmplifierWithRf : lineUp.powerAmplifier;
      if (!add(kFunctionPowerAmplifier, type)) continue;
    }
    if (takesRectifier && !has(kFunctionRectifier)) add(kFunctionRectifier, lineUp.rectifier);
  }
}

}  // namespace korvel

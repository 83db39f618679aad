#include "collection/inventory_usage.h"

#include <cstdio>
#include <limits>

#include "collection/data_file.h"
#include "collection/tables.h"
#include "collection/tubes.h"

namespace korvel {
namespace {

constexpr std::int32_t kFewSpares = 3;
constexpr std::int32_t kSetsPerSpare = 5;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

int Digits(std::int32_t value) {
  int digits = 1;
  while (value >= 10) {
    value /= 10;
    ++digits;
  }
  return digits;
}

}  // namespace

InventoryUsage BuildInventoryUsage(Collection& collection, int kind) {
  InventoryUsage usage;
  usage.kind = kind;
  usage.title = TechnologyTable().Text(kind);
  usage.items = TubeUsage(collection, kind);
  FillStockCounts(usage.items, collection.inventory, collection.aliases);
  return usage;
}

bool IsShortOfStock(const InventoryItem& item) {
  return item.secondCount < kFewSpares &&
         static_cast<long long>(kSetsPerSpare) * item.secondCount < static_cast<long long>(item.count);
}

std::optional<std::int32_t> ParseStockCount(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  if (begin == end) return std::nullopt;
  long long value = 0;
  for (std::size_t i = begin; i < end; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

std::string NormalizeStockName(std::string_view typed) {
  std::size_t begin = 0, end = typed.size();
  while (begin < end && IsBlank(typed[begin])) ++begin;
  while (end > begin && IsBlank(typed[end - 1])) --end;
  std::string name(typed.substr(begin, end - begin));
  // ASCII only: the bytes of other characters stay as typed.
  for (char& c : name) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return name;
}

std::string StockNameProblem(std::string_view name, std::int32_t count) {
  if (name.empty()) return "Type the name of the tube or transistor to add, or press Cancel.";
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 32)
      return "The tube name may not hold line breaks or other control characters.";
    // The data file separates the types of one line with commas.
    if (c == ',') return "The tube name may not hold a comma.";
  }
  // The data file keeps it on one line as count*name.
  const int limit = kShortLineLimit - 1 - Digits(count);
  if (static_cast<int>(name.size()) > limit) {
    char text[96];
    std::snprintf(text, sizeof text, "The tube name holds at most %d characters.", limit);
    return text;
  }
  return {};
}

bool SetStockCount(Collection& collection, InventoryUsage& usage, const std::string& padded,
                   std::int32_t count, bool added) {
  const bool existed = FindInventoryItem(padded, collection.inventory, collection.aliases) != nullptr;
  InventoryItem* stock = InsertTube(padded, collection.inventory, collection.aliases);
  if (stock == nullptr) return false;
  bool changed = false;
  if (added || !existed) {
    // A stocked type moved to the other list is written under the other heading.
    changed = existed && stock->kind != usage.kind && stock->count > 0;
    stock->kind = usage.kind;
  }
  InventoryItem* shown = nullptr;
  if (added) {
    shown = InsertTube(padded, usage.items, collection.aliases);
    if (shown != nullptr) {
      shown->kind = usage.kind;
      shown->secondCount = stock->count;
    }
  } else {
    shown = FindInventoryItem(padded, usage.items, collection.aliases);
  }
  if (stock->count != count) {
    stock->count = count;
    if (shown != nullptr) shown->secondCount = count;
    changed = true;
  }
  if (changed) collection.changed = true;
  return changed;
}

}  // namespace korvel

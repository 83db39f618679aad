#include "dal/dal_convert.h"

#include <charconv>
#include <cstdio>
#include <system_error>

#include "dal/dal_types.h"

namespace korvel::dal {
namespace {

std::string_view SkipBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || (text.front() >= '\t' && text.front() <= '\r'))) {
    text.remove_prefix(1);
  }
  return text;
}

// scanf accepts one sign, '+' included; from_chars takes only '-'.
bool TakePlus(std::string_view& text) {
  if (text.empty() || text.front() != '+') return true;
  text.remove_prefix(1);
  return text.empty() || text.front() != '-';
}

template <typename T, typename... Options>
std::optional<T> Scan(std::string_view text, Options... options) {
  text = SkipBlanks(text);
  if (!TakePlus(text)) return std::nullopt;
  T value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, options...);
  if (error != std::errc{}) return std::nullopt;
  return value;
}

bool EndsWith(const std::string& text, char c) {
  return !text.empty() && text.back() == c;
}

}  // namespace

TextKind TextKindOf(std::uint32_t flags) {
  if (flags & (DAL_STRING | DAL_DATE)) return TextKind::kString;
  if (flags & DAL_INT) return TextKind::kInt;
  if (flags & DAL_CHAR) return TextKind::kChar;
  if (flags & DAL_FLOAT) return TextKind::kFloat;
  if (flags & DAL_DOUBLE) return TextKind::kDouble;
  return TextKind::kNone;
}

std::string FormatInt(std::int32_t value) {
  return std::to_string(value);
}

std::string FormatChar(std::int32_t value) {
  if (value >= 0x20 && value <= 0x7e) return std::string{'\'', static_cast<char>(value), '\''};
  char text[16];
  std::snprintf(text, sizeof text, "%#x", static_cast<unsigned>(value));
  return text;
}

std::string FormatDouble(double value) {
  char text[64];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
  return error == std::errc{} ? std::string(text, end) : std::string();
}

std::optional<std::int32_t> ScanInt(std::string_view text) {
  return Scan<std::int32_t>(text, 10);
}

std::optional<std::int32_t> ScanWholeInt(std::string_view text) {
  text = SkipBlanks(text);
  if (!TakePlus(text)) return std::nullopt;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (error != std::errc{}) return std::nullopt;
  if (!SkipBlanks(std::string_view(end, static_cast<std::size_t>(text.data() + text.size() - end))).empty()) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::int32_t> ScanChar(std::string_view text) {
  if (text.size() >= 3 && text[0] == '\'' && text[2] == '\'') {
    return static_cast<std::int32_t>(static_cast<signed char>(text[1]));
  }
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    if (text.empty() || text.front() == '+' || text.front() == '-') return std::nullopt;
    const auto bits = Scan<std::uint32_t>(text, 16);
    if (!bits) return std::nullopt;
    return static_cast<std::int32_t>(*bits);
  }
  return ScanInt(text);
}

std::optional<float> ScanFloat(std::string_view text) {
  return Scan<float>(text, std::chars_format::general);
}

std::optional<double> ScanDouble(std::string_view text) {
  return Scan<double>(text, std::chars_format::general);
}

std::string JoinParts(std::span<const std::string> parts, char separator) {
  std::string joined;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (parts[i].empty()) continue;
    joined += parts[i];
    std::size_t next = i + 1;
    while (next < parts.size() && parts[next].empty()) ++next;
    if (next == parts.size()) break;
    if (!EndsWith(parts[i], separator) && parts[next].front() != separator) joined += separator;
  }
  return joined;
}

}  // namespace korvel::dal

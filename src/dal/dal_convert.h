// Conversions between control texts and values, the same in every locale: the program's texts
// are read and written with a dot as decimal point whatever the user's locale says.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace korvel::dal {

// Which conversion the flags ask for: the first of string (a date is a string), integer,
// character, float, double.
enum class TextKind { kNone, kString, kInt, kChar, kFloat, kDouble };
TextKind TextKindOf(std::uint32_t flags);

// "%d", "%g"; a character as 'c' when it is a letter, digit, punctuation or blank, else "%#x".
std::string FormatInt(std::int32_t value);
std::string FormatChar(std::int32_t value);
std::string FormatDouble(double value);

// Leading blanks are skipped and what follows the number is ignored, as scanf does; nothing
// when no number begins the text or it does not fit the type.
std::optional<std::int32_t> ScanInt(std::string_view text);
// A whole number and nothing else but blanks around it; nothing otherwise (also when it does not
// fit the type).
std::optional<std::int32_t> ScanWholeInt(std::string_view text);
// 'c' gives the character; 0x... is read as hexadecimal; otherwise as ScanInt.
std::optional<std::int32_t> ScanChar(std::string_view text);
std::optional<float> ScanFloat(std::string_view text);
std::optional<double> ScanDouble(std::string_view text);

// The non-empty parts joined by the separator, which is left out where a part already ends with
// it or the next part begins with it.
std::string JoinParts(std::span<const std::string> parts, char separator);

}  // namespace korvel::dal

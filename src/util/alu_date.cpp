#include "util/alu_date.h"

#include <cstdio>
#include <cstring>

namespace korvel {
namespace {

constexpr const char* kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
int Digit(char c) {
  return c - '0';
}

char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

int ParseDate(char* t, std::size_t length) {
  if (length != 7 && length != 9) return 0;
  t[2] = UpperAscii(t[2]);
  t[3] = LowerAscii(t[3]);
  t[4] = LowerAscii(t[4]);
  for (std::size_t i : {0u, 1u, 5u, 6u}) {
    if (!IsDigit(t[i])) return 0;
  }
  if (length == 9 && (!IsDigit(t[7]) || !IsDigit(t[8]))) return 0;

  int month = 0;
  for (int m = 0; m < 12; ++m) {
    if (std::memcmp(t + 2, kMonthNames[m], 3) == 0) month = m + 1;
  }
  if (month == 0) return 0;
  const int day = Digit(t[0]) * 10 + Digit(t[1]);
  if (day > kDaysInMonth[month - 1]) return 0;
  int year = Digit(t[5]) * 10 + Digit(t[6]);
  if (length == 9) {
    year = year * 100 + Digit(t[7]) * 10 + Digit(t[8]);
  } else {
    year += 1900;
  }
  return year * 10000 + month * 100 + day;
}

}  // namespace

int AluParseDate(std::string& text) {
  return ParseDate(text.data(), text.size());
}

int AluParseDate(char* text) {
  return text == nullptr ? 0 : ParseDate(text, std::strlen(text));
}

int AluDateNumber(std::string_view text) {
  if (text.size() != 7 && text.size() != 9) return 0;
  char copy[9];
  text.copy(copy, text.size());
  return ParseDate(copy, text.size());
}

std::string AluFormatDate(int date) {
  if (date <= 0) return {};
  const int year = date / 10000;
  const int month = date / 100 % 100;
  const int day = date % 100;
  if (year >= 10000 || month < 1 || month > 12 || day < 1 || day > 31) return {};
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d%s%04d", day, kMonthNames[month - 1], year);
  return buffer;
}

}  // namespace korvel

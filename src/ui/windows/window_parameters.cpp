#include "ui/windows/window_parameters.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <limits>
#include <optional>

namespace korvel {
namespace {

// Reads up to `count` blank-separated whole numbers from the start of the text, as "%d" would but
// saturating at the limits of int instead of wrapping. Gives how many were read.
int ReadNumbers(const std::string& text, int* values, int count) {
  std::size_t i = 0;
  int read = 0;
  for (; read < count; ++read) {
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) break;
    long long value = 0;
    constexpr long long kLimit = std::numeric_limits<int>::max();
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
      value = std::min(value * 10 + (text[i] - '0'), kLimit + 1);
    }
    value = negative ? -value : value;
    values[read] = static_cast<int>(std::clamp<long long>(value, -kLimit - 1, kLimit));
  }
  return read;
}

}  // namespace

std::string LineSource::Next(std::size_t limit) {
  std::string line;
  int c;
  bool any = false;
  // What a record can use is kept; the rest of a longer line is read past, not stored.
  while ((c = std::fgetc(file_)) != EOF) {
    any = true;
    if (c == '\n') break;
    if (line.size() < limit) line.push_back(static_cast<char>(c));
  }
  if (!any) ended_ = true;
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
  return line;
}

std::string WindowParametersText(const WindowParameters& w) {
  char line[128];
  std::snprintf(line, sizeof line, "%d %d %d %d %d %d %d\n", w.minimised ? 1 : 0, w.maximised ? 1 : 0, w.x,
                w.y, w.width, w.height, static_cast<int>(w.fonts.size()));
  std::string text = line;
  for (const FontSpec& font : w.fonts) {
    std::snprintf(line, sizeof line, "%d %d=", font.bold ? 1 : 0, font.size);
    text += line;
    text += font.face;
    text += '\n';
  }
  return text;
}

bool ReadWindowParameters(LineSource& lines, WindowParameters& w, int fontLimit, bool* fontRefused) {
  const std::string first = lines.Next(LineSource::kMostLineCharacters);
  int numbers[7] = {};
  if (ReadNumbers(first, numbers, 7) != 7) return false;
  const auto [minimised, maximised, x, y, width, height, count] = numbers;
  if (minimised != 0) w.minimised = true;
  if (maximised != 0) w.maximised = true;
  w.x = x;
  w.y = y;
  w.width = width;
  w.height = height;
  bool ok = true;
  // By position: a font line that is refused leaves the window's font at its place as it was.
  std::vector<std::optional<FontSpec>> fonts;
  constexpr int kMostFontLines = 16;  // no window has more; a larger count is a damaged file
  for (int i = 0; i < count && i < kMostFontLines && !lines.Ended(); ++i) {
    const std::string line = lines.Next(LineSource::kMostLineCharacters);
    const std::size_t equals = line.find('=');
    int numbers[2] = {};
    std::optional<FontSpec> font;
    // A font without a face cannot be made: the window keeps its own.
    if (equals == std::string::npos || equals + 1 == line.size() ||
        ReadNumbers(line.substr(0, equals), numbers, 2) != 2) {
      ok = false;
      if (fontRefused != nullptr) *fontRefused = true;
    } else {
      font = FontSpec{numbers[0] != 0, numbers[1], line.substr(equals + 1)};
    }
    // More fonts than the window has: the extra lines are read past, not stored.
    if (static_cast<int>(fonts.size()) < fontLimit) fonts.push_back(std::move(font));
  }
  for (std::size_t i = 0; i < fonts.size(); ++i) {
    if (i < w.fonts.size()) {
      if (fonts[i]) w.fonts[i] = *fonts[i];
    } else {
      w.fonts.push_back(fonts[i].value_or(FontSpec{false, 12, "Courier"}));
    }
  }
  return ok;
}

}  // namespace korvel

#include "ui/windows/window_parameters.h"

#include <cstdio>

namespace korvel {

std::string LineSource::Next() {
  std::string line;
  int c;
  bool any = false;
  while ((c = std::fgetc(file_)) != EOF) {
    any = true;
    if (c == '\n') break;
    line.push_back(static_cast<char>(c));
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

bool ReadWindowParameters(LineSource& lines, WindowParameters& w, int fontLimit) {
  const std::string first = lines.Next();
  int minimised = 0, maximised = 0, x = 0, y = 0, width = 0, height = 0, count = 0;
  if (std::sscanf(first.c_str(), "%d %d %d %d %d %d %d", &minimised, &maximised, &x, &y, &width, &height,
                  &count) != 7) {
    return false;
  }
  if (minimised != 0) w.minimised = true;
  if (maximised != 0) w.maximised = true;
  w.x = x;
  w.y = y;
  w.width = width;
  w.height = height;
  bool ok = true;
  std::vector<FontSpec> fonts;
  constexpr int kMostFontLines = 16;  // no window has more; a larger count is a damaged file
  for (int i = 0; i < count && i < kMostFontLines && !lines.Ended(); ++i) {
    const std::string line = lines.Next();
    const std::size_t equals = line.find('=');
    FontSpec font;
    int bold = 0;
    if (equals == std::string::npos ||
        std::sscanf(line.substr(0, equals).c_str(), "%d %d", &bold, &font.size) != 2) {
      ok = false;
      continue;
    }
    font.bold = bold != 0;
    font.face = line.substr(equals + 1);
    // More fonts than the window has: the extra lines are read past, not stored.
    if (static_cast<int>(fonts.size()) < fontLimit) fonts.push_back(std::move(font));
  }
  for (std::size_t i = 0; i < fonts.size(); ++i) {
    if (i < w.fonts.size()) {
      w.fonts[i] = fonts[i];
    } else {
      w.fonts.push_back(fonts[i]);
    }
  }
  return ok;
}

}  // namespace korvel

// A window's placement and fonts as the settings file keeps them.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace korvel {

struct FontSpec {
  bool bold = false;
  int size = 12;  // points
  std::string face;

  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

struct WindowParameters {
  bool minimised = false;
  bool maximised = false;
  int x = 0;  // normal placement, y up from the bottom of the screen
  int y = 0;
  int width = 0;
  int height = 0;
  std::vector<FontSpec> fonts;

  friend bool operator==(const WindowParameters&, const WindowParameters&) = default;
};

// The record's lines: "%d %d %d %d %d %d %d" (minimised, maximised, x, y, width, height, font
// count), then a line "%d %d=%s" (bold, size, face) per font.
std::string WindowParametersText(const WindowParameters& window);

// Reads a record from the lines given, taking at most `fontLimit` fonts (the window's font table);
// the lines of further fonts are still consumed. Reading sets the minimised and maximised flags but
// never clears them. False when the first line cannot be read.
class LineSource;
bool ReadWindowParameters(LineSource& lines, WindowParameters& window, int fontLimit);

// Lines of a text file, without their line ends; a file that ends early gives empty lines.
class LineSource {
 public:
  explicit LineSource(std::FILE* file) : file_(file) {}
  std::string Next();
  bool Ended() const { return ended_; }

 private:
  std::FILE* file_;
  bool ended_ = false;
};

}  // namespace korvel

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
// never clears them. Numbers saturate at the limits of int. False when a line cannot be read (a
// font line without a face among them; that font is not taken and *fontRefused is set).
class LineSource;
bool ReadWindowParameters(LineSource& lines, WindowParameters& window, int fontLimit,
                          bool* fontRefused = nullptr);

// Lines of a text file, without their line ends, each cut to what its reader can use (the rest of a
// longer line is read past, never held); a file that ends early gives empty lines.
class LineSource {
 public:
  // What a window-parameter line can use.
  static constexpr std::size_t kMostLineCharacters = 254;
  // Any other line: as long as a path may be (directories and criteria texts run longer than a
  // window line), but a damaged file's endless line costs no memory.
  static constexpr std::size_t kMostTextCharacters = 4096;
  explicit LineSource(std::FILE* file) : file_(file) {}
  std::string Next(std::size_t limit = kMostTextCharacters);
  bool Ended() const { return ended_; }

 private:
  std::FILE* file_;
  bool ended_ = false;
};

}  // namespace korvel

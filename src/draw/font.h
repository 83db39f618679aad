// Fonts as the surface sees them: a line height and a character width. Every view is laid out in a
// fixed-pitch font, so a text's width is its number of characters times the character width.
#pragma once

#include <string>
#include <string_view>

namespace korvel::draw {

// One entry of a window's font table. The window frame creates the real font from the face, size and
// weight and fills in the metrics; the device draws with it.
struct Font {
  std::string faceName;
  int pointSize = 0;
  bool bold = false;
  int lineHeight = 0;  // pixels
  int charWidth = 0;   // average character width, pixels
  int descent = 0;
  friend bool operator==(const Font&, const Font&) = default;
};

// Characters as they are shown: a text that is valid UTF-8 counts its code points, anything else
// (Windows-1252) counts bytes.
int CharacterCount(std::string_view text);

inline int TextWidth(std::string_view text, int charWidth) {
  return CharacterCount(text) * charWidth;
}

}  // namespace korvel::draw

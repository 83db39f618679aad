// The program's 16-colour palette. Every drawing names its colours by palette index.
#pragma once

#include <cstdint>
#include <optional>

namespace korvel::draw {

struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

enum PaletteIndex : int {
  kBlack = 0,
  kWhite = 1,
  kRed = 2,
  kMagenta = 3,
  kGreen = 4,
  kOrange = 5,
  kYellow = 6,
  kLightGrey = 7,
  kGrey = 8,
  kBrown = 9,
  kBlue = 10,
  kRose = 11,
  kDarkGreen = 12,
  kMaroon = 13,
  kNavy = 14,
  kNearWhite = 15,
};
inline constexpr int kPaletteSize = 16;

inline constexpr bool IsPaletteIndex(int index) {
  return index >= 0 && index < kPaletteSize;
}

// None for an index outside the palette: colour operations given one do nothing.
std::optional<Rgb> PaletteColour(int index);

// The index of a palette colour, -1 for any other colour (the 16 colours are distinct).
int PaletteIndexOf(Rgb colour);

}  // namespace korvel::draw

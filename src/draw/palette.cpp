#include "draw/palette.h"

namespace korvel::draw {
namespace {

constexpr Rgb kPalette[kPaletteSize] = {
    {0, 0, 0},        // black
    {255, 255, 255},  // white
    {255, 0, 0},      // red
    {255, 0, 255},    // magenta
    {0, 255, 0},      // green
    {255, 128, 0},    // orange
    {255, 255, 0},    // yellow
    {192, 192, 192},  // light grey
    {128, 128, 128},  // grey
    {128, 64, 0},     // brown
    {0, 0, 255},      // blue
    {255, 0, 128},    // rose
    {0, 128, 0},      // dark green
    {128, 0, 0},      // maroon
    {0, 0, 128},      // navy
    {240, 240, 240},  // near white
};

}  // namespace

std::optional<Rgb> PaletteColour(int index) {
  if (!IsPaletteIndex(index)) return std::nullopt;
  return kPalette[index];
}

int PaletteIndexOf(Rgb colour) {
  for (int i = 0; i < kPaletteSize; ++i) {
    if (kPalette[i] == colour) return i;
  }
  return -1;
}

}  // namespace korvel::draw

// Turning a decoded picture upright, as the camera's EXIF orientation says, and bringing it to the
// size it is shown at.
#pragma once

#include <cstddef>
#include <cstdint>

#include "pictures/gal_bitmap.h"

namespace korvel {

// The orientation (1 to 8) that an EXIF block ("Exif\0\0" and its TIFF data, as an APP1 marker of
// a JPEG file holds it) gives; 1 (as stored) when it gives none or one that is not known.
int ExifOrientation(const std::uint8_t* data, std::size_t length);

// Orientations 5 to 8 turn the picture by a quarter: its width becomes its height.
constexpr bool SwapsSides(int orientation) {
  return orientation >= 5 && orientation <= 8;
}

// Writes the 24-bit bottom-up `source` into `target` turned upright by the orientation and brought
// to exactly width x height (upright sides); each target pixel is the average of the source pixels
// it covers, so that a shrunk photo keeps its fine lines. False when the source is not 24-bit or
// the memory cannot be had.
bool OrientAndFit(const GalBitmap& source, GalBitmap& target, int orientation, std::size_t width,
                  std::size_t height);

}  // namespace korvel

// Pictures held as complete BMP file images in memory: loaded from BMP and JPEG files, drawn
// scaled into a rectangle, shrunk, and written as BMP or JPEG.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "draw/surface.h"

namespace korvel {

struct GalBitmap {
  std::int32_t state = -1;                // -1 when empty; not interpreted otherwise
  std::unique_ptr<std::uint8_t[]> image;  // the BMP file image, or none
  std::size_t capacity = 0;               // bytes allocated
  std::size_t size = 0;                   // bytes of the image in use

  bool Loaded() const { return image != nullptr; }
  std::span<const std::uint8_t> Bytes() const { return {image.get(), size}; }
};

constexpr int kBmpHeaderSize = 54;
constexpr int kBmpSpare = 4;  // four bytes after the pixel rows, counted in the file size

// Row bytes of a 24-bit picture: three bytes a pixel, padded to a multiple of four.
constexpr std::size_t GalRowBytes(std::size_t width) {
  return (width * 3 + 3) / 4 * 4;
}

void GalInitBitmap(GalBitmap& bitmap);
void GalFreeBitmap(GalBitmap& bitmap);

// Makes the bitmap's buffer hold n bytes: a buffer of n to 10 n bytes is kept, any other is
// replaced by one of exactly n. False when the memory cannot be had (the bitmap is then empty).
bool GalReserve(GalBitmap& bitmap, std::size_t n);

// The header's width and height; 0 x 0 and the Error "Bad bitmap information." when nothing is
// loaded (or the header is cut short).
bool GalGetBitmapSize(const GalBitmap& bitmap, int& width, int& height);

// Whether the image is a 24-bit uncompressed bottom-up BMP whose rows lie inside the image.
bool GalIs24Bit(const GalBitmap& bitmap);

// Draws the whole bitmap scaled to fit the rectangle, centred: never enlarged except on the printer.
// 1 on success.
int GalDrawBitmap(draw::Surface& surface, const GalBitmap& bitmap, const draw::Rect& rectangle);

// Draws the whole bitmap stretched into exactly the rectangle (placed already). 1 on success.
int GalStretchBitmap(draw::Surface& surface, const GalBitmap& bitmap, const draw::Rect& rectangle);

// Shrinks a 24-bit bitmap by nearest neighbour to scale/1000 of its size (scale 1 to 999).
int GalCompressBitmap(const GalBitmap& source, GalBitmap& target, int scale);

// Loads a .bmp file as it is (top-down rows turned bottom-up) or decodes a .jpg/.jpeg file into a
// 24-bit bitmap, upright as its EXIF orientation says. 1 on success; a missing file, another
// extension or a damaged picture gives 0 without a message.
int GalLoadBitmap(const std::string& fileName, GalBitmap& bitmap);

// What a load tells beside the bitmap.
struct GalPictureFacts {
  int width = 0;  // the picture's own size, upright (0 x 0 when not known)
  int height = 0;
  std::string problem;    // why it cannot be shown, in the user's words; empty when it loaded
  bool tooLarge = false;  // refused for the pixels or memory it claims
  bool missing = false;   // no file of that name (yet)
  int orientation = 1;    // as the camera recorded it (EXIF, 1 to 8); 1 for pictures stored upright
};

// As GalLoadBitmap, shrunk (keeping its proportions) to fit inside fitWidth x fitHeight when it is
// larger; 0 x 0 keeps its own size. A JPEG is decoded at the smallest scale that still fills the
// fit, so a large photo costs no more memory than the place it is shown in. Pictures whose header
// claims more pixels than this program reads, or more than the file could hold, are refused.
int GalLoadPictureToFit(const std::string& fileName, GalBitmap& bitmap, int fitWidth, int fitHeight,
                        GalPictureFacts* facts = nullptr);

// Reads only the picture's header: its upright size, or the problem that keeps it from loading.
GalPictureFacts GalReadPictureFacts(const std::string& fileName);

// The size a width x height picture is shown at inside fitWidth x fitHeight: shrunk keeping its
// proportions, never enlarged (0 x 0: its own size).
void GalFitInside(int width, int height, int fitWidth, int fitHeight, int& fittedWidth, int& fittedHeight);

// Writes the bitmap as a .bmp file (as held) or a .jpg/.jpeg file (quality 75). 1 on success.
int GalWriteBitmap(const std::string& fileName, const GalBitmap& bitmap);

// Copies a picture file into another, shrunk so that its larger side is at most `size` pixels
// (mode 0) or scaled by size/1000 (mode 1); a picture that fits is written at its own size.
int GalCopyPictureFile(const std::string& source, const std::string& target, int mode, int size);

}  // namespace korvel

// Pictures made and read back by tests: a 24-bit bitmap of any colours, saved as .bmp or .jpg by
// the name. For targets that link the picture library.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>

#include "pictures/bmp_header.h"
#include "pictures/gal_bitmap.h"
#include "pictures/picture_registry.h"

namespace korvel::test {

struct Rgb {
  int r, g, b;
};

// A width x height bitmap whose pixel (x, y), y counted from the top, has the colour given.
inline GalBitmap MakeBitmap(int width, int height, const std::function<Rgb(int x, int y)>& colour) {
  GalBitmap bitmap;
  const std::size_t rowBytes = GalRowBytes(width);
  const std::size_t n = rowBytes * height + kBmpHeaderSize + kBmpSpare;
  EXPECT_TRUE(GalReserve(bitmap, n));
  std::memset(bitmap.image.get(), 0, n);
  WriteBmpHeader(bitmap.image.get(), width, height, static_cast<std::uint32_t>(n), 0);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = bitmap.image.get() + kBmpHeaderSize + (height - 1 - y) * rowBytes;
    for (int x = 0; x < width; ++x) {
      const Rgb c = colour(x, y);
      row[x * 3] = static_cast<std::uint8_t>(c.b);
      row[x * 3 + 1] = static_cast<std::uint8_t>(c.g);
      row[x * 3 + 2] = static_cast<std::uint8_t>(c.r);
    }
  }
  return bitmap;
}

inline constexpr Rgb kRed{230, 20, 20}, kGreen{20, 200, 40}, kBlue{20, 40, 230}, kYellow{240, 220, 30};

// A bitmap of four quadrants, given as the letters of top left, top right, bottom left and bottom right.
inline GalBitmap Quadrants(int width, int height, const char* letters) {
  return MakeBitmap(width, height, [&](int x, int y) {
    const char c = letters[(y < height / 2 ? 0 : 2) + (x < width / 2 ? 0 : 1)];
    return c == 'R' ? kRed : c == 'G' ? kGreen : c == 'B' ? kBlue : kYellow;
  });
}

// Pixel (x, y) counted from the top.
inline Rgb PixelAt(const GalBitmap& bitmap, int x, int y) {
  const BmpHeader h = *ReadBmpHeader(bitmap.Bytes());
  const std::uint8_t* p =
      bitmap.image.get() + h.pixelOffset + (h.height - 1 - y) * GalRowBytes(h.width) + x * 3;
  return {p[2], p[1], p[0]};
}

// The width and height as the bitmap or the registry gives them.
inline std::pair<int, int> SizeOf(const GalBitmap& bitmap) {
  int w = 0, h = 0;
  GalGetBitmapSize(bitmap, w, h);
  return {w, h};
}
inline std::pair<int, int> SizeOf(PictureRegistry& registry, int index) {
  int w = 0, h = 0;
  registry.GetSize(index, w, h);
  return {w, h};
}

// Within the error a JPEG round trip may add.
inline ::testing::AssertionResult Near(Rgb actual, Rgb expected) {
  if (std::abs(actual.r - expected.r) <= 12 && std::abs(actual.g - expected.g) <= 12 &&
      std::abs(actual.b - expected.b) <= 12)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "colour " << actual.r << "," << actual.g << "," << actual.b << " where " << expected.r << ","
         << expected.g << "," << expected.b << " belongs";
}

// A width x height picture of one grey shade, its directories made.
inline void WritePicture(const std::string& path, int width, int height, int shade = 0x80) {
  const std::filesystem::path directory = std::filesystem::path(path).parent_path();
  if (!directory.empty()) std::filesystem::create_directories(directory);
  const GalBitmap grey = MakeBitmap(width, height, [&](int, int) { return Rgb{shade, shade, shade}; });
  ASSERT_EQ(GalWriteBitmap(path, grey), 1) << path;
}

}  // namespace korvel::test

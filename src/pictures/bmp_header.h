// Reading and writing the headers of a BMP file image, every field bounds-checked.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace korvel {

struct BmpHeader {
  std::uint32_t fileSize = 0;
  std::uint32_t pixelOffset = 0;
  std::uint32_t infoSize = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t planes = 0;
  std::uint16_t bitsPerPixel = 0;
  std::uint32_t compression = 0;
};

// None when the image is shorter than its headers or does not start with "BM".
std::optional<BmpHeader> ReadBmpHeader(std::span<const std::uint8_t> image);

// Headers that describe a picture whose pixels lie inside `size` bytes: one plane, a known depth,
// a sane size, the pixel offset past the headers and, for uncompressed rows, every row inside.
bool IsSoundBmp(const BmpHeader& header, std::size_t size);
// 24 bits, one plane, no compression, bottom-up rows that all lie inside `size` bytes.
bool Is24BitLayout(const BmpHeader& header, std::size_t size);

// Writes the 54 bytes of headers of a 24-bit bottom-up picture (resolution 3937 per metre).
void WriteBmpHeader(std::uint8_t* out, int width, int height, std::uint32_t fileSize,
                    std::uint32_t imageSize);

}  // namespace korvel

#include "pictures/bmp_header.h"

#include "pictures/gal_bitmap.h"

namespace korvel {
namespace {

std::uint32_t Get32(std::span<const std::uint8_t> b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t Get16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
void Put32(std::uint8_t* out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void Put16(std::uint8_t* out, std::size_t at, std::uint16_t v) {
  out[at] = static_cast<std::uint8_t>(v);
  out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

}  // namespace

std::optional<BmpHeader> ReadBmpHeader(std::span<const std::uint8_t> image) {
  if (image.size() < static_cast<std::size_t>(kBmpHeaderSize) || image[0] != 'B' || image[1] != 'M') {
    return std::nullopt;
  }
  BmpHeader h;
  h.fileSize = Get32(image, 2);
  h.pixelOffset = Get32(image, 10);
  h.infoSize = Get32(image, 14);
  h.width = static_cast<std::int32_t>(Get32(image, 18));
  h.height = static_cast<std::int32_t>(Get32(image, 22));
  h.planes = Get16(image, 26);
  h.bitsPerPixel = Get16(image, 28);
  h.compression = Get32(image, 30);
  return h;
}

bool IsSoundBmp(const BmpHeader& h, std::size_t size) {
  constexpr std::int32_t kLargestSide = 1 << 16;
  constexpr std::uint32_t kFileHeaderSize = 14;
  const std::uint16_t bits = h.bitsPerPixel;
  if (h.planes != 1 || !(bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32)) {
    return false;
  }
  if (h.infoSize < 12 || h.width <= 0 || h.width > kLargestSide || h.height == 0 || h.height > kLargestSide ||
      h.height < -kLargestSide) {
    return false;
  }
  if (h.pixelOffset < kFileHeaderSize + h.infoSize || h.pixelOffset > size) return false;
  switch (h.compression) {
    case 0:  // rows of pixels
    case 3:  // rows of pixels under bit masks
      break;
    case 1:  // run-length encoded: each run is checked as it is decoded
    case 2:
      return bits == (h.compression == 1 ? 8 : 4);
    default:
      return false;
  }
  const unsigned long long rowBytes = (static_cast<unsigned long long>(h.width) * bits + 31) / 32 * 4;
  const unsigned long long height =
      static_cast<unsigned long long>(h.height < 0 ? -static_cast<long long>(h.height) : h.height);
  return rowBytes * height <= size - h.pixelOffset;
}

bool Is24BitLayout(const BmpHeader& h, std::size_t size) {
  if (h.planes != 1 || h.bitsPerPixel != 24 || h.compression != 0) return false;
  if (h.width <= 0 || h.height <= 0 || h.infoSize < 40) return false;
  const unsigned long long rows =
      static_cast<unsigned long long>(GalRowBytes(static_cast<std::size_t>(h.width))) *
      static_cast<unsigned long long>(h.height);
  return h.pixelOffset >= static_cast<std::uint32_t>(kBmpHeaderSize) && h.pixelOffset <= size &&
         rows <= size - h.pixelOffset;
}

void WriteBmpHeader(std::uint8_t* out, int width, int height, std::uint32_t fileSize,
                    std::uint32_t imageSize) {
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, fileSize);
  Put32(out, 6, 0);
  Put32(out, 10, kBmpHeaderSize);
  Put32(out, 14, 40);
  Put32(out, 18, static_cast<std::uint32_t>(width));
  Put32(out, 22, static_cast<std::uint32_t>(height));
  Put16(out, 26, 1);
  Put16(out, 28, 24);
  Put32(out, 30, 0);
  Put32(out, 34, imageSize);
  Put32(out, 38, 3937);
  Put32(out, 42, 3937);
  Put32(out, 46, 0);
  Put32(out, 50, 0);
}

}  // namespace korvel

#include "pictures/picture_orientation.h"

#include <libexif/exif-data.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "pictures/bmp_header.h"

namespace korvel {

int ExifOrientation(const std::uint8_t* data, std::size_t length) {
  if (data == nullptr || length < 6 || length > 0xFFFF) return 1;
  ExifData* exif = exif_data_new_from_data(data, static_cast<unsigned int>(length));
  if (exif == nullptr) return 1;
  int orientation = 1;
  const ExifEntry* entry = exif_content_get_entry(exif->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
  if (entry != nullptr && entry->format == EXIF_FORMAT_SHORT && entry->components >= 1 &&
      entry->data != nullptr && entry->size >= 2) {
    orientation = exif_get_short(entry->data, exif_data_get_byte_order(exif));
  }
  exif_data_unref(exif);
  return orientation >= 1 && orientation <= 8 ? orientation : 1;
}

namespace {

// Where upright pixel (u, v), v counted from the top, lies in the stored picture (x, y from the
// top): x = xu u + xv v + x0, y = yu u + yv v + y0.
struct Mapping {
  long xu, xv, x0, yu, yv, y0;
};

Mapping MappingOf(int orientation, long w, long h) {
  switch (orientation) {
    case 2:
      return {-1, 0, w - 1, 0, 1, 0};  // mirrored left to right
    case 3:
      return {-1, 0, w - 1, 0, -1, h - 1};  // half a turn
    case 4:
      return {1, 0, 0, 0, -1, h - 1};  // mirrored top to bottom
    case 5:
      return {0, 1, 0, 1, 0, 0};  // mirrored across the diagonal
    case 6:
      return {0, 1, 0, -1, 0, h - 1};  // stored a quarter turn anticlockwise
    case 7:
      return {0, -1, w - 1, -1, 0, h - 1};  // mirrored across the other diagonal
    case 8:
      return {0, -1, w - 1, 1, 0, 0};  // stored a quarter turn clockwise
    default:
      return {1, 0, 0, 0, 1, 0};
  }
}

}  // namespace

bool OrientAndFit(const GalBitmap& source, GalBitmap& target, int orientation, std::size_t width,
                  std::size_t height) {
  const std::optional<BmpHeader> header = ReadBmpHeader(source.Bytes());
  if (!header || !Is24BitLayout(*header, source.size) || width == 0 || height == 0) return false;
  const long w = header->width;
  const long h = header->height;
  const long uprightWidth = SwapsSides(orientation) ? h : w;
  const long uprightHeight = SwapsSides(orientation) ? w : h;
  const std::size_t rowBytes = GalRowBytes(width);
  const std::size_t n = rowBytes * height + kBmpHeaderSize + kBmpSpare;
  if (!GalReserve(target, n)) return false;
  std::uint8_t* out = target.image.get();
  std::memset(out, 0, n);
  WriteBmpHeader(out, static_cast<int>(width), static_cast<int>(height), static_cast<std::uint32_t>(n),
                 static_cast<std::uint32_t>(rowBytes * height));
  const std::uint8_t* pixels = source.image.get() + header->pixelOffset;
  const std::size_t sourceRowBytes = GalRowBytes(static_cast<std::size_t>(w));
  const Mapping m = MappingOf(orientation, w, h);
  // The upright columns each target column covers, worked out once for all rows.
  std::vector<long> columnStart(width + 1);
  for (std::size_t x = 0; x <= width; ++x)
    columnStart[x] = static_cast<long>(x * static_cast<std::size_t>(uprightWidth) / width);
  for (std::size_t y = 0; y < height; ++y) {
    const long v0 = static_cast<long>(y * static_cast<std::size_t>(uprightHeight) / height);
    const long v1 =
        std::max(v0 + 1, static_cast<long>((y + 1) * static_cast<std::size_t>(uprightHeight) / height));
    std::uint8_t* row = out + kBmpHeaderSize + (height - 1 - y) * rowBytes;
    for (std::size_t x = 0; x < width; ++x) {
      const long u0 = columnStart[x];
      const long u1 = std::max(u0 + 1, columnStart[x + 1]);
      unsigned long sum[3] = {0, 0, 0};
      for (long v = v0; v < v1; ++v) {
        for (long u = u0; u < u1; ++u) {
          const long sx = m.xu * u + m.xv * v + m.x0;
          const long sy = m.yu * u + m.yv * v + m.y0;
          const std::uint8_t* p = pixels + static_cast<std::size_t>(h - 1 - sy) * sourceRowBytes +
                                  static_cast<std::size_t>(sx) * 3;
          sum[0] += p[0];
          sum[1] += p[1];
          sum[2] += p[2];
        }
      }
      const unsigned long count = static_cast<unsigned long>((v1 - v0) * (u1 - u0));
      for (int c = 0; c < 3; ++c) row[x * 3 + c] = static_cast<std::uint8_t>((sum[c] + count / 2) / count);
    }
  }
  target.state = source.state;
  return true;
}

}  // namespace korvel

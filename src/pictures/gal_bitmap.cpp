#include "pictures/gal_bitmap.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "pictures/bmp_header.h"
#include "util/message.h"

namespace korvel {

void GalInitBitmap(GalBitmap& bitmap) {
  bitmap.state = -1;
  bitmap.image.reset();
  bitmap.capacity = 0;
  bitmap.size = 0;
}

void GalFreeBitmap(GalBitmap& bitmap) {
  GalInitBitmap(bitmap);
}

bool GalReserve(GalBitmap& bitmap, std::size_t n) {
  if (bitmap.image != nullptr && bitmap.capacity >= n && bitmap.capacity / 10 <= n) {
    bitmap.size = n;
    return true;
  }
  bitmap.image.reset(new (std::nothrow) std::uint8_t[n > 0 ? n : 1]);
  bitmap.capacity = bitmap.image != nullptr ? n : 0;
  bitmap.size = bitmap.image != nullptr ? n : 0;
  return bitmap.image != nullptr;
}

bool GalGetBitmapSize(const GalBitmap& bitmap, int& width, int& height) {
  width = height = 0;
  const std::optional<BmpHeader> header = ReadBmpHeader(bitmap.Bytes());
  if (!bitmap.Loaded() || !header) {
    ShowMessage(kError, kButtonsOk, "Bad bitmap information.");
    return false;
  }
  width = header->width;
  height = header->height;
  return true;
}

bool GalIs24Bit(const GalBitmap& bitmap) {
  const std::optional<BmpHeader> header = ReadBmpHeader(bitmap.Bytes());
  return header && Is24BitLayout(*header, bitmap.size);
}

int GalDrawBitmap(draw::Surface& surface, const GalBitmap& bitmap, const draw::Rect& r) {
  const std::optional<BmpHeader> header = ReadBmpHeader(bitmap.Bytes());
  if (!bitmap.Loaded() || !header || header->width <= 0 || header->height == 0) {
    ShowMessage(kError, kButtonsOk, "Bad bitmap information.");
    return 0;
  }
  const int W = r.right - r.left;
  const int H = r.top - r.bottom;
  const float w = static_cast<float>(header->width);
  const float h = static_cast<float>(header->height < 0 ? -header->height : header->height);
  float s = std::min(static_cast<float>(W) / w, static_cast<float>(H) / h);
  // Never enlarged on the screen; on the printer the picture fills the place laid out for it, which
  // is sized for the page, or a picture of screen size would print as a stamp.
  if (s > 1.0f && !surface.onPrinter()) s = 1.0f;
  const int dx = static_cast<int>((static_cast<float>(W) - w * s) / 2);
  const int dy = static_cast<int>((static_cast<float>(H) - h * s) / 2);
  draw::Rect target;
  target.left = r.left + dx;
  target.right = target.left + static_cast<int>(w * s);
  target.bottom = r.bottom + dy;
  target.top = target.bottom + static_cast<int>(h * s);
  const draw::BitmapResult result = surface.DrawBitmap(target, draw::BitmapSource{bitmap.Bytes()});
  if (!result.drawn && !result.error.empty()) {
    ShowMessage(kError, kButtonsOk, "Error drawing bitmap '%s'.", result.error.c_str());
    return 0;
  }
  return 1;
}

int GalStretchBitmap(draw::Surface& surface, const GalBitmap& bitmap, const draw::Rect& rectangle) {
  const std::optional<BmpHeader> header = ReadBmpHeader(bitmap.Bytes());
  if (!bitmap.Loaded() || !header || header->width <= 0 || header->height == 0) {
    ShowMessage(kError, kButtonsOk, "Bad bitmap information.");
    return 0;
  }
  const draw::BitmapResult result = surface.DrawBitmap(rectangle, draw::BitmapSource{bitmap.Bytes()});
  if (!result.drawn && !result.error.empty()) {
    ShowMessage(kError, kButtonsOk, "Error drawing bitmap '%s'.", result.error.c_str());
    return 0;
  }
  return 1;
}

void GalFitInside(int width, int height, int fitWidth, int fitHeight, int& fittedWidth, int& fittedHeight) {
  fittedWidth = width;
  fittedHeight = height;
  if (width <= 0 || height <= 0 || fitWidth <= 0 || fitHeight <= 0) return;
  const double s = std::min(static_cast<double>(fitWidth) / width, static_cast<double>(fitHeight) / height);
  if (s >= 1.0) return;
  fittedWidth = std::max(1, static_cast<int>(width * s + 0.5));
  fittedHeight = std::max(1, static_cast<int>(height * s + 0.5));
}

int GalCompressBitmap(const GalBitmap& source, GalBitmap& target, int scale) {
  const std::optional<BmpHeader> header = ReadBmpHeader(source.Bytes());
  if (!header || !Is24BitLayout(*header, source.size) || scale < 1 || scale > 999) return 0;
  const std::size_t w = static_cast<std::size_t>(header->width) * scale / 1000;
  const std::size_t h = static_cast<std::size_t>(header->height) * scale / 1000;
  const std::size_t rowBytes = GalRowBytes(w);
  const std::size_t n = rowBytes * h + kBmpHeaderSize + kBmpSpare;
  if (!GalReserve(target, n)) {
    ShowMessage(kError, kButtonsOk, "'malloc' failure in 'GalCompressBitmap'.");
    return 0;
  }
  std::uint8_t* out = target.image.get();
  const std::uint8_t* in = source.image.get();
  std::memset(out, 0, kBmpHeaderSize);
  WriteBmpHeader(out, static_cast<int>(w), static_cast<int>(h), static_cast<std::uint32_t>(n),
                 static_cast<std::uint32_t>(rowBytes * h));
  // Planes, bits and compression come from the source, as do resolutions and colour counts.
  std::memcpy(out + 26, in + 26, 8);
  std::memcpy(out + 38, in + 38, 16);
  const std::size_t sourceRowBytes = GalRowBytes(static_cast<std::size_t>(header->width));
  for (std::size_t y = 0; y < h; ++y) {
    const std::uint8_t* sourceRow = in + header->pixelOffset + (y * 1000 / scale) * sourceRowBytes;
    std::uint8_t* row = out + kBmpHeaderSize + y * rowBytes;
    for (std::size_t x = 0; x < w; ++x) std::memcpy(row + x * 3, sourceRow + (x * 1000 / scale) * 3, 3);
    std::memset(row + w * 3, 0, rowBytes - w * 3);
  }
  std::memset(out + kBmpHeaderSize + rowBytes * h, 0, kBmpSpare);
  target.state = source.state;
  return 1;
}

}  // namespace korvel

// Pictures reach the device as complete BMP file images, loaded from disk as they are or decoded from
// JPEG. They are untrusted: every header field is checked against the bytes that are there before a
// pixel is read, and a damaged image is refused with its reason instead of being drawn.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace korvel::ui {

class BmpImage {
 public:
  // Core (OS/2) and Windows info headers up to version 5; 1, 4, 8, 16, 24 and 32 bits per pixel,
  // uncompressed, with bit fields, or run-length encoded (4 and 8 bits). Rows bottom-up or top-down.
  // The image keeps pointing into `file`, which must outlive it.
  static std::optional<BmpImage> Read(std::span<const std::uint8_t> file, std::string* error);

  int width() const { return width_; }
  int height() const { return height_; }
  // The colour of pixel (x, y), y counted from the top row; both must lie inside the picture.
  QRgb Pixel(int x, int y) const;

 private:
  struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
  };
  static Channel MakeChannel(std::uint32_t mask);
  static int ChannelValue(std::uint32_t value, const Channel& channel);
  const std::uint8_t* StoredRow(int y) const;

  std::span<const std::uint8_t> file_;
  int width_ = 0, height_ = 0;
  bool topDown_ = false;
  int bitsPerPixel_ = 0;
  std::size_t pixelOffset_ = 0, stride_ = 0;
  std::vector<QRgb> palette_;
  Channel red_, green_, blue_;
  std::vector<std::uint8_t> expanded_;  // colour indexes of run-length encoded pictures, top row first
};

// The picture stretched to `target` by nearest neighbour (target pixel x shows source column
// x * width / target width, so shrinking drops whole rows and columns); only the part `visible`, in
// target coordinates, is made.
QImage StretchNearest(const BmpImage& source, QSize target, const QRect& visible);

}  // namespace korvel::ui

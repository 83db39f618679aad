// A window-sized device with a surface over it, and the pictures and pixel helpers the tests share.
#pragma once

#include <QImage>
#include <QRect>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "draw/font.h"
#include "draw/palette.h"
#include "draw/surface.h"
#include "ui/painting/qt_device.h"

namespace korvel::ui::test {

// The view windows' font: Courier, 12 points.
draw::Font Courier12(bool bold = false);

// A backing image with the surface over it (bounds 0..width, 0..height), the font made, cleared white.
struct PaintedWindow {
  PaintedWindow(int width, int height, std::vector<draw::Font> fonts = {Courier12()});
  QImage image() const { return device.Snapshot(); }

  QtDevice device;
  draw::Surface surface;
};

draw::Rgb PixelAt(const QImage& image, int x, int y);
draw::Rgb Palette(int index);
bool IsDark(const QImage& image, int x, int y);
// The pixels darker than mid grey within the area (x from left up to right, rows top up to bottom):
// their count and the smallest rectangle holding them (empty when there are none).
int DarkPixels(const QImage& image, int left, int right, int top, int bottom);
QRect DarkBox(const QImage& image, int left, int right, int top, int bottom);

// BMP file images as pictures are kept: a file header, an info header, a colour table and rows.
struct BmpSpec {
  int width = 1, height = 1;  // a negative height stores the rows top-down
  int bitsPerPixel = 24;
  std::uint32_t compression = 0;
  std::vector<draw::Rgb> palette;
  std::vector<std::uint32_t> masks;  // bit fields, written after the header
  std::vector<std::uint8_t> pixels;  // exactly as stored
};
std::vector<std::uint8_t> MakeBmp(const BmpSpec& layout);
// A 24-bit picture, rows stored bottom-up, the colour of (x, y) counted from the top row.
std::vector<std::uint8_t> MakeBmp24(int width, int height,
                                    const std::function<draw::Rgb(int x, int y)>& colour);

}  // namespace korvel::ui::test

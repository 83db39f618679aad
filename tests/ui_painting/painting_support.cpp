#include "painting_support.h"

#include <QColor>
#include <algorithm>

#include "ui/painting/window_fonts.h"

namespace korvel::ui::test {
namespace {

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

draw::Font Courier12(bool bold) {
  draw::Font font;
  font.faceName = "Courier";
  font.pointSize = 12;
  font.bold = bold;
  return font;
}

PaintedWindow::PaintedWindow(int width, int height, std::vector<draw::Font> fonts)
    : device(QSize(width, height)), surface(&device, {0, 0, width, height}) {
  surface.SetFonts(std::move(fonts));
  SelectCurrentFont(surface, device);
  surface.Clear();
}

draw::Rgb PixelAt(const QImage& image, int x, int y) {
  const QColor c = image.pixelColor(x, y);
  return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
          static_cast<std::uint8_t>(c.blue())};
}

draw::Rgb Palette(int index) {
  return *draw::PaletteColour(index);
}

bool IsDark(const QImage& image, int x, int y) {
  return image.valid(x, y) && qGray(image.pixel(x, y)) < 128;
}

int DarkPixels(const QImage& image, int left, int right, int top, int bottom) {
  int count = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) count += IsDark(image, x, y) ? 1 : 0;
  }
  return count;
}

QRect DarkBox(const QImage& image, int left, int right, int top, int bottom) {
  QRect box;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      if (IsDark(image, x, y)) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

std::vector<std::uint8_t> MakeBmp(const BmpSpec& layout) {
  const std::size_t tableStart = 14 + 40 + layout.masks.size() * 4;
  const std::size_t offset = tableStart + layout.palette.size() * 4;
  std::vector<std::uint8_t> out(offset + layout.pixels.size(), 0);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, static_cast<std::uint32_t>(out.size()));
  Put32(out, 10, static_cast<std::uint32_t>(offset));
  Put32(out, 14, 40);
  Put32(out, 18, static_cast<std::uint32_t>(layout.width));
  Put32(out, 22, static_cast<std::uint32_t>(layout.height));
  Put32(out, 26, 1 | static_cast<std::uint32_t>(layout.bitsPerPixel) << 16);  // one plane, then the depth
  Put32(out, 30, layout.compression);
  Put32(out, 34, static_cast<std::uint32_t>(layout.pixels.size()));
  Put32(out, 46, static_cast<std::uint32_t>(layout.palette.size()));
  for (std::size_t i = 0; i < layout.masks.size(); ++i) Put32(out, 54 + 4 * i, layout.masks[i]);
  for (std::size_t i = 0; i < layout.palette.size(); ++i) {
    out[tableStart + 4 * i] = layout.palette[i].blue;
    out[tableStart + 4 * i + 1] = layout.palette[i].green;
    out[tableStart + 4 * i + 2] = layout.palette[i].red;
  }
  std::copy(layout.pixels.begin(), layout.pixels.end(), out.begin() + static_cast<std::ptrdiff_t>(offset));
  return out;
}

std::vector<std::uint8_t> MakeBmp24(int width, int height,
                                    const std::function<draw::Rgb(int x, int y)>& colour) {
  const int stride = (width * 3 + 3) / 4 * 4;
  BmpSpec layout{width, height, 24, 0, {}, {}, {}};
  layout.pixels.assign(static_cast<std::size_t>(stride) * height, 0);
  for (int y = 0; y < height; ++y) {
    const std::size_t row = static_cast<std::size_t>(height - 1 - y) * stride;  // bottom-up
    for (int x = 0; x < width; ++x) {
      const draw::Rgb c = colour(x, y);
      layout.pixels[row + 3 * x] = c.blue;
      layout.pixels[row + 3 * x + 1] = c.green;
      layout.pixels[row + 3 * x + 2] = c.red;
    }
  }
  return MakeBmp(layout);
}

}  // namespace korvel::ui::test

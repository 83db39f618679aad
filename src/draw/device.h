// What a drawing backend implements: primitives in device terms (y grows downwards from the top row,
// colours as RGB). The surface above it keeps the state and does all the arithmetic, so a backend only
// draws: the Qt surface for windows and printers, the recording one for tests.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "draw/font.h"
#include "draw/geometry.h"
#include "draw/palette.h"

namespace korvel::draw {

// Pen styles by their platform numbers; the graphs use solid (0) and dotted (2).
enum LineStyle : int {
  kLineSolid = 0,
  kLineDash = 1,
  kLineDot = 2,
  kLineDashDot = 3,
  kLineDashDotDot = 4,
  kLineInvisible = 5,
};
inline constexpr bool IsLineStyle(int style) {
  return style >= kLineSolid && style <= kLineInvisible;
}

struct Pen {
  int style = kLineSolid;  // never kLineInvisible: invisible lines are not handed to the device
  int width = 1;           // device pixels, at least 1
  Rgb colour;
  friend bool operator==(const Pen&, const Pen&) = default;
};

struct TextStyle {
  int fontIndex = -1;          // in the surface's font table, -1 when it has none
  const Font* font = nullptr;  // that entry
  Rgb colour;
  std::optional<Rgb> background;  // opaque background behind the characters, none: transparent
};

// A closed polygon of a filled path; the device closes it from the last point back to the first.
using Figure = std::vector<DevicePoint>;

// A picture as the picture library holds it: a complete BMP file image (file header, info header,
// colour table, pixel rows bottom-up).
struct BitmapSource {
  std::span<const std::uint8_t> bmpFile;
};

struct BitmapResult {
  bool drawn = false;
  std::string error;  // the platform's reason when it gives one, else empty
};

class Device {
 public:
  virtual ~Device() = default;

  // Fills the area (right column and bottom row excluded).
  virtual void FillArea(const DeviceRect& area, Rgb colour) = 0;
  // A straight line; the end point's pixel is left out, so a polyline sets each pixel once.
  virtual void Line(DevicePoint from, DevicePoint to, const Pen& pen) = 0;
  // Text with its baseline starting at the point; the text is UTF-8, ready to show.
  virtual void Text(DevicePoint baselineStart, std::string_view text, const TextStyle& style) = 0;
  // Fills the figures together, without outline, with the odd-even rule.
  virtual void FillFigures(const std::vector<Figure>& figures, Rgb colour) = 0;
  // Moves the area's contents by dx columns right and dy rows down; what is uncovered waits for a repaint.
  virtual void Scroll(int dx, int dy, const DeviceRect& area) = 0;
  // Copies the whole bitmap stretched into the destination, dropping rows and columns when shrinking.
  virtual BitmapResult StretchBitmap(const DeviceRect& destination, const BitmapSource& source) = 0;
};

}  // namespace korvel::draw

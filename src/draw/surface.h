// The drawing surface that every picture-free drawing goes through: y-up coordinates, the 16-colour
// palette, one current colour for text, lines and fills, the current point, fonts measured by
// character width. It keeps the state and turns each operation into device primitives.
#pragma once

#include <string_view>
#include <vector>

#include "draw/device.h"
#include "draw/font.h"
#include "draw/geometry.h"
#include "draw/palette.h"

namespace korvel::draw {

inline constexpr int kNoBackground = -1;  // text drawn over what is there

class Surface {
 public:
  explicit Surface(Device* device = nullptr, Rect bounds = {});

  // Set up by the window frame; redirecting to the printer swaps device, bounds and fonts.
  Device* device() const { return device_; }
  void SetDevice(Device* device) { device_ = device; }
  // The drawable rectangle; a point (x, y) is at device row bounds().top - y.
  const Rect& bounds() const { return bounds_; }
  void SetBounds(const Rect& bounds) { bounds_ = bounds; }
  bool onPrinter() const { return onPrinter_; }
  void SetOnPrinter(bool onPrinter) { onPrinter_ = onPrinter; }

  // The window's own colours (the main and view windows use white, black and yellow). An index outside
  // the palette leaves that colour as it was.
  int backgroundColour() const { return backgroundColour_; }
  int textColour() const { return textColour_; }
  int highlightColour() const { return highlightColour_; }
  void SetWindowColours(int background, int text, int highlight);

  // The line that each graph part returns to (the windows use solid, width 1).
  int defaultLineStyle() const { return defaultLineStyle_; }
  int defaultLineWidth() const { return defaultLineWidth_; }
  void SetDefaultLine(int style, int width);
  void RestoreDefaultLine();

  // Font table and current font; without fonts, texts measure 0 x 0.
  const std::vector<Font>& fonts() const { return fonts_; }
  void SetFonts(std::vector<Font> fonts);
  int currentFontIndex() const { return currentFont_; }
  void SelectFont(int index);  // an index outside the table is ignored
  const Font* CurrentFont() const;
  int LineHeight() const;
  int CharWidth() const;

  // Fills the whole drawable rectangle with the background colour.
  void Clear();
  // Both corners included, in either order; the current colour is not changed.
  void FillRectangle(int x0, int y0, int x1, int y1, int colour);

  // The current colour, for text, lines and fills alike.
  int colour() const { return colour_; }
  void SetColour(int index);
  // kNoBackground, or a palette index drawn behind the characters (highlighted values).
  int textBackground() const { return textBackground_; }
  void SetTextBackground(int index);

  int lineStyle() const { return lineStyle_; }
  void SetLineStyle(int style);  // styles other than 0 to 5 are ignored
  int lineWidth() const { return lineWidth_; }
  void SetLineWidth(int width);  // 0 is one pixel; negative widths are ignored

  void MoveTo(int x, int y);
  void MoveTo(Point p) { MoveTo(p.x, p.y); }
  // Inside a fill the line only extends the path.
  void LineTo(int x, int y);
  void LineTo(Point p) { LineTo(p.x, p.y); }
  Point CurrentPoint() const { return current_; }

  // Draws the first `length` bytes of the text with its baseline at the position; the current point
  // becomes the end of the text at the same y. A length beyond the text draws the whole text.
  void DrawText(Point position, int length, std::string_view text);
  void DrawText(Point position, std::string_view text);
  // Width = characters x the current font's character width; height = its line height.
  Size TextExtent(std::string_view text) const;

  // Moves and lines between these two build a path, filled with the current colour without outline.
  void BeginFill();
  void EndFill();
  bool insideFill() const { return insideFill_; }

  // Angles in degrees counter-clockwise from the positive x axis.
  void WedgeOutline(Point centre, int radius, double startDegrees, double sweepDegrees);
  void FilledPieWedge(Point centre, int radius, double startDegrees, double sweepDegrees);

  // Moves the contents of the area by dx right and dy up.
  void Scroll(int dx, int dy, const Rect& area);

  // The hook for the picture library: the whole bitmap stretched into the area.
  BitmapResult DrawBitmap(const Rect& destination, const BitmapSource& source);

 private:
  DevicePoint ToDevicePoint(Point p) const { return ToDevice(bounds_.top, p); }
  Pen CurrentPen() const;
  void DrawPiece(Point position, std::string_view piece);

  Device* device_ = nullptr;
  Rect bounds_;
  bool onPrinter_ = false;
  int backgroundColour_ = kWhite, textColour_ = kBlack, highlightColour_ = kYellow;
  int defaultLineStyle_ = kLineSolid, defaultLineWidth_ = 1;
  std::vector<Font> fonts_;
  int currentFont_ = 0;

  int colour_ = kBlack;
  int textBackground_ = kNoBackground;
  int lineStyle_ = kLineSolid, lineWidth_ = 1;
  Point current_;
  bool insideFill_ = false;
  std::vector<Figure> path_;
};

}  // namespace korvel::draw

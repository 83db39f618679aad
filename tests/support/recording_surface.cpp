#include "support/recording_surface.h"

#include <utility>
#include <variant>

namespace korvel::test {

draw::Font RecordingFont() {
  draw::Font font;
  font.faceName = "Courier";
  font.pointSize = 10;
  font.lineHeight = 16;
  font.charWidth = 8;
  font.descent = 3;
  return font;
}

RecordingSurface::RecordingSurface(int width, int height) : surface_(this, {0, 0, width, height}) {
  surface_.SetFonts({RecordingFont()});
}

std::vector<std::string> RecordingSurface::Texts() const {
  std::vector<std::string> texts;
  for (const TextOp& op : OpsOf<TextOp>()) texts.push_back(op.text);
  return texts;
}

void RecordingSurface::FillArea(const draw::DeviceRect& area, draw::Rgb colour) {
  ops_.emplace_back(std::in_place_type<FillAreaOp>, FillAreaOp{area, colour});
}

void RecordingSurface::Line(draw::DevicePoint from, draw::DevicePoint to, const draw::Pen& pen) {
  ops_.emplace_back(std::in_place_type<LineOp>, LineOp{from, to, pen});
}

void RecordingSurface::Text(draw::DevicePoint baselineStart, std::string_view text,
                            const draw::TextStyle& style) {
  ops_.emplace_back(std::in_place_type<TextOp>, TextOp{baselineStart, std::string(text), style.fontIndex,
                                                       style.colour, style.background});
}

void RecordingSurface::FillFigures(const std::vector<draw::Figure>& figures, draw::Rgb colour) {
  ops_.emplace_back(std::in_place_type<FillFiguresOp>, FillFiguresOp{figures, colour});
}

void RecordingSurface::Scroll(int dx, int dy, const draw::DeviceRect& area) {
  ops_.emplace_back(std::in_place_type<ScrollOp>, ScrollOp{dx, dy, area});
}

draw::BitmapResult RecordingSurface::StretchBitmap(const draw::DeviceRect& destination,
                                                   const draw::BitmapSource& source) {
  ops_.emplace_back(std::in_place_type<BitmapOp>,
                    BitmapOp{destination, source.bmpFile.data(), source.bmpFile.size()});
  return bitmapResult_;
}

void PrintTo(const FillAreaOp& op, std::ostream* os) {
  *os << "FillArea ";
  draw::PrintTo(op.area, os);
  *os << " ";
  draw::PrintTo(op.colour, os);
}

void PrintTo(const LineOp& op, std::ostream* os) {
  *os << "Line ";
  draw::PrintTo(op.from, os);
  *os << "-";
  draw::PrintTo(op.to, os);
  *os << " ";
  draw::PrintTo(op.pen, os);
}

void PrintTo(const TextOp& op, std::ostream* os) {
  *os << "Text \"" << op.text << "\" at ";
  draw::PrintTo(op.baselineStart, os);
  *os << " font " << op.fontIndex << " ";
  draw::PrintTo(op.colour, os);
  if (op.background) {
    *os << " on ";
    draw::PrintTo(*op.background, os);
  }
}

void PrintTo(const FillFiguresOp& op, std::ostream* os) {
  *os << "FillFigures ";
  draw::PrintTo(op.colour, os);
  for (const draw::Figure& figure : op.figures) {
    *os << " [";
    for (const draw::DevicePoint& p : figure) draw::PrintTo(p, os);
    *os << "]";
  }
}

void PrintTo(const ScrollOp& op, std::ostream* os) {
  *os << "Scroll " << op.dx << "," << op.dy << " ";
  draw::PrintTo(op.area, os);
}

void PrintTo(const BitmapOp& op, std::ostream* os) {
  *os << "Bitmap of " << op.size << " bytes into ";
  draw::PrintTo(op.destination, os);
}

}  // namespace korvel::test

namespace korvel::draw {

void PrintTo(const Rgb& colour, std::ostream* os) {
  const int index = PaletteIndexOf(colour);
  if (index >= 0) {
    *os << "palette " << index;
  } else {
    *os << "rgb(" << int{colour.red} << "," << int{colour.green} << "," << int{colour.blue} << ")";
  }
}

void PrintTo(const Point& p, std::ostream* os) {
  *os << "(" << p.x << "," << p.y << ")";
}
void PrintTo(const DevicePoint& p, std::ostream* os) {
  *os << "(" << p.x << "," << p.y << ")";
}

void PrintTo(const DeviceRect& r, std::ostream* os) {
  *os << "{left " << r.left << " top " << r.top << " right " << r.right << " bottom " << r.bottom << "}";
}

void PrintTo(const Rect& r, std::ostream* os) {
  *os << "{left " << r.left << " bottom " << r.bottom << " right " << r.right << " top " << r.top << "}";
}

void PrintTo(const Pen& pen, std::ostream* os) {
  *os << "pen style " << pen.style << " width " << pen.width << " ";
  PrintTo(pen.colour, os);
}

}  // namespace korvel::draw

// A drawing device that keeps every primitive as data, with a surface over it, for tests of anything
// that draws. Positions are recorded in device terms (row = surface top - y), as a backend sees them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "draw/device.h"
#include "draw/surface.h"

namespace korvel::test {

struct FillAreaOp {
  draw::DeviceRect area;
  draw::Rgb colour;
  friend bool operator==(const FillAreaOp&, const FillAreaOp&) = default;
};

struct LineOp {
  draw::DevicePoint from, to;
  draw::Pen pen;
  friend bool operator==(const LineOp&, const LineOp&) = default;
};

struct TextOp {
  draw::DevicePoint baselineStart;
  std::string text;  // UTF-8
  int fontIndex = -1;
  draw::Rgb colour;
  std::optional<draw::Rgb> background;
  friend bool operator==(const TextOp&, const TextOp&) = default;
};

struct FillFiguresOp {
  std::vector<draw::Figure> figures;
  draw::Rgb colour;
  friend bool operator==(const FillFiguresOp&, const FillFiguresOp&) = default;
};

struct ScrollOp {
  int dx = 0, dy = 0;
  draw::DeviceRect area;
  friend bool operator==(const ScrollOp&, const ScrollOp&) = default;
};

struct BitmapOp {
  draw::DeviceRect destination;
  const std::uint8_t* data = nullptr;  // the caller's image, identified by address and size
  std::size_t size = 0;
  friend bool operator==(const BitmapOp&, const BitmapOp&) = default;
};

using DrawOp = std::variant<FillAreaOp, LineOp, TextOp, FillFiguresOp, ScrollOp, BitmapOp>;

// The font a recording surface starts with: line height 16, character width 8.
draw::Font RecordingFont();

class RecordingSurface : public draw::Device {
 public:
  // A surface with bounds 0..width, 0..height, the window colours and one font (RecordingFont()).
  explicit RecordingSurface(int width = 640, int height = 480);
  RecordingSurface(const RecordingSurface&) = delete;
  RecordingSurface& operator=(const RecordingSurface&) = delete;

  draw::Surface& surface() { return surface_; }
  const std::vector<DrawOp>& ops() const { return ops_; }
  void ForgetOps() { ops_.clear(); }

  // The recorded operations of one kind, in order.
  template <typename Op>
  std::vector<Op> OpsOf() const {
    std::vector<Op> found;
    for (const DrawOp& op : ops_) {
      if (const Op* match = std::get_if<Op>(&op)) found.push_back(*match);
    }
    return found;
  }
  std::vector<std::string> Texts() const;

  // What StretchBitmap answers (drawn, by default).
  void SetBitmapResult(draw::BitmapResult result) { bitmapResult_ = std::move(result); }

  void FillArea(const draw::DeviceRect& area, draw::Rgb colour) override;
  void Line(draw::DevicePoint from, draw::DevicePoint to, const draw::Pen& pen) override;
  void Text(draw::DevicePoint baselineStart, std::string_view text, const draw::TextStyle& style) override;
  void FillFigures(const std::vector<draw::Figure>& figures, draw::Rgb colour) override;
  void Scroll(int dx, int dy, const draw::DeviceRect& area) override;
  draw::BitmapResult StretchBitmap(const draw::DeviceRect& destination,
                                   const draw::BitmapSource& source) override;

 private:
  draw::Surface surface_;
  std::vector<DrawOp> ops_;
  draw::BitmapResult bitmapResult_{true, {}};
};

// Readable failures: colours print as their palette index where they have one.
void PrintTo(const FillAreaOp& op, std::ostream* os);
void PrintTo(const LineOp& op, std::ostream* os);
void PrintTo(const TextOp& op, std::ostream* os);
void PrintTo(const FillFiguresOp& op, std::ostream* os);
void PrintTo(const ScrollOp& op, std::ostream* os);
void PrintTo(const BitmapOp& op, std::ostream* os);

}  // namespace korvel::test

namespace korvel::draw {
void PrintTo(const Rgb& colour, std::ostream* os);
void PrintTo(const Point& p, std::ostream* os);
void PrintTo(const DevicePoint& p, std::ostream* os);
void PrintTo(const DeviceRect& r, std::ostream* os);
void PrintTo(const Rect& r, std::ostream* os);
void PrintTo(const Pen& pen, std::ostream* os);
}  // namespace korvel::draw

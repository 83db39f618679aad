#include "draw/surface.h"

#include <algorithm>
#include <string>
#include <utility>

#include "draw/wedge.h"
#include "util/alu_encoding.h"

namespace korvel::draw {
namespace {

// The first `length` bytes of the text; a cut inside a UTF-8 character moves back to its start so the
// piece still shows as UTF-8.
std::string_view Prefix(std::string_view text, int length) {
  std::size_t n = static_cast<std::size_t>(std::max(length, 0));
  if (n >= text.size()) return text;
  if (AluIsUtf8(text)) {
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  }
  return text.substr(0, n);
}

}  // namespace

Surface::Surface(Device* device, Rect bounds) : device_(device), bounds_(bounds) {}

void Surface::SetWindowColours(int background, int text, int highlight) {
  if (IsPaletteIndex(background)) backgroundColour_ = background;
  if (IsPaletteIndex(text)) textColour_ = text;
  if (IsPaletteIndex(highlight)) highlightColour_ = highlight;
}

void Surface::SetDefaultLine(int style, int width) {
  if (IsLineStyle(style)) defaultLineStyle_ = style;
  if (width >= 0) defaultLineWidth_ = width;
}

void Surface::RestoreDefaultLine() {
  lineStyle_ = defaultLineStyle_;
  lineWidth_ = defaultLineWidth_;
}

void Surface::SetFonts(std::vector<Font> fonts) {
  fonts_ = std::move(fonts);
  if (currentFont_ >= static_cast<int>(fonts_.size())) currentFont_ = 0;
}

void Surface::SelectFont(int index) {
  if (index >= 0 && index < static_cast<int>(fonts_.size())) currentFont_ = index;
}

const Font* Surface::CurrentFont() const {
  return currentFont_ < static_cast<int>(fonts_.size()) ? &fonts_[currentFont_] : nullptr;
}

int Surface::LineHeight() const {
  const Font* font = CurrentFont();
  return font ? font->lineHeight : 0;
}

int Surface::CharWidth() const {
  const Font* font = CurrentFont();
  return font ? font->charWidth : 0;
}

void Surface::Clear() {
  const auto background = PaletteColour(backgroundColour_);
  if (device_ && background) device_->FillArea(AreaToDevice(bounds_.top, bounds_), *background);
}

void Surface::FillRectangle(int x0, int y0, int x1, int y1, int colour) {
  const auto rgb = PaletteColour(colour);
  if (device_ && rgb) device_->FillArea(FilledRectangleToDevice(bounds_.top, {x0, y0}, {x1, y1}), *rgb);
}

void Surface::SetColour(int index) {
  if (IsPaletteIndex(index)) colour_ = index;
}

void Surface::SetTextBackground(int index) {
  if (index == kNoBackground || IsPaletteIndex(index)) textBackground_ = index;
}

void Surface::SetLineStyle(int style) {
  if (IsLineStyle(style)) lineStyle_ = style;
}

void Surface::SetLineWidth(int width) {
  if (width >= 0) lineWidth_ = width;
}

Pen Surface::CurrentPen() const {
  return {lineStyle_, std::max(lineWidth_, 1), *PaletteColour(colour_)};
}

void Surface::MoveTo(int x, int y) {
  current_ = {x, y};
  if (insideFill_) path_.push_back({ToDevicePoint(current_)});
}

void Surface::LineTo(int x, int y) {
  const Point to{x, y};
  if (insideFill_) {
    if (path_.empty()) path_.push_back({ToDevicePoint(current_)});
    path_.back().push_back(ToDevicePoint(to));
  } else if (device_ && lineStyle_ != kLineInvisible) {
    device_->Line(ToDevicePoint(current_), ToDevicePoint(to), CurrentPen());
  }
  current_ = to;
}

void Surface::DrawText(Point position, int length, std::string_view text) {
  DrawPiece(position, Prefix(text, length));
}

void Surface::DrawText(Point position, std::string_view text) {
  DrawPiece(position, text);
}

void Surface::DrawPiece(Point position, std::string_view piece) {
  if (device_ && !piece.empty()) {
    TextStyle style;
    style.fontIndex = CurrentFont() ? currentFont_ : -1;
    style.font = CurrentFont();
    style.colour = *PaletteColour(colour_);
    if (textBackground_ != kNoBackground) style.background = PaletteColour(textBackground_);
    device_->Text(ToDevicePoint(position), AluDisplayUtf8(piece), style);
  }
  current_ = {position.x + TextWidth(piece, CharWidth()), position.y};
}

Size Surface::TextExtent(std::string_view text) const {
  return {TextWidth(text, CharWidth()), LineHeight()};
}

void Surface::BeginFill() {
  path_.clear();  // a path left open is dropped, as a new path replaces it
  insideFill_ = true;
}

void Surface::EndFill() {
  if (!insideFill_) return;
  insideFill_ = false;
  // Figures of one or two points enclose nothing.
  std::erase_if(path_, [](const Figure& figure) { return figure.size() < 3; });
  if (device_ && !path_.empty()) device_->FillFigures(path_, *PaletteColour(colour_));
  path_.clear();
}

void Surface::WedgeOutline(Point centre, int radius, double startDegrees, double sweepDegrees) {
  for (const PathStep& step : WedgeOutlineSteps(centre, radius, startDegrees, sweepDegrees)) {
    if (step.kind == PathStep::kMove) {
      MoveTo(step.to);
    } else {
      LineTo(step.to);
    }
  }
}

void Surface::FilledPieWedge(Point centre, int radius, double startDegrees, double sweepDegrees) {
  BeginFill();
  WedgeOutline(centre, radius, startDegrees, sweepDegrees);
  EndFill();
}

void Surface::Scroll(int dx, int dy, const Rect& area) {
  if (device_) device_->Scroll(dx, -dy, AreaToDevice(bounds_.top, area));
}

BitmapResult Surface::DrawBitmap(const Rect& destination, const BitmapSource& source) {
  if (!device_) return {};
  return device_->StretchBitmap(AreaToDevice(bounds_.top, destination), source);
}

}  // namespace korvel::draw

#include "ui/painting/qt_device.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QRegion>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "ui/painting/bmp_image.h"

namespace korvel::ui {
namespace {

// A destination beyond this is damage; the visible part is bounded by the device anyway.
constexpr std::int64_t kMaximumStretch = std::int64_t{1} << 28;

QColor ToQColor(draw::Rgb colour) {
  return QColor(colour.red, colour.green, colour.blue);
}

// Device rectangles exclude their right column and bottom row, as QRect's width and height count.
QRect ToQRect(const draw::DeviceRect& area) {
  if (area.right <= area.left || area.bottom <= area.top) return {};
  return QRect(area.left, area.top, area.right - area.left, area.bottom - area.top);
}

// The dash lengths of the platform's thin styled pens, in pen widths.
QList<qreal> DashPattern(int style) {
  switch (style) {
    case draw::kLineDash:
      return {18, 6};
    case draw::kLineDot:
      return {3, 3};
    case draw::kLineDashDot:
      return {9, 6, 3, 6};
    case draw::kLineDashDotDot:
      return {9, 3, 3, 3, 3, 3};
    default:
      return {};
  }
}

// `scale`: a page has many more dots than the window it prints, so its lines grow with its fonts,
// or a grid and a graph's lines would print as hairlines.
QPen ToQPen(const draw::Pen& pen, float scale) {
  const int width = std::max(1, static_cast<int>(std::lround(std::max(pen.width, 1) * scale)));
  // Flat ends stop a line at its end point, so the end pixel is left out and polylines meet exactly.
  QPen result(ToQColor(pen.colour), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
  const QList<qreal> pattern = DashPattern(pen.style);
  if (!pattern.isEmpty()) result.setDashPattern(pattern);
  return result;
}

}  // namespace

QtDevice::QtDevice(QSize size, draw::Rgb fill) {
  Resize(size, fill);
  if (!image_.isNull()) sizing_.logicalDpi = image_.logicalDpiY();
}

QtDevice::QtDevice(QPainter* painter) : painter_(painter) {
  if (painter_ && painter_->device()) sizing_.logicalDpi = painter_->device()->logicalDpiY();
}

QSize QtDevice::size() const {
  std::lock_guard lock(mutex_);
  if (painter_) {
    const QPaintDevice* device = painter_->device();
    return device ? QSize(device->width(), device->height()) : QSize();
  }
  return image_.size();
}

QPaintDevice* QtDevice::paintDevice() {
  return painter_ ? painter_->device() : &image_;
}

void QtDevice::Resize(QSize size, draw::Rgb fill) {
  if (painter_) return;
  QImage next(size.expandedTo(QSize(0, 0)), QImage::Format_RGB32);
  if (!next.isNull()) next.fill(ToQColor(fill));
  std::lock_guard lock(mutex_);
  if (!image_.isNull() && !next.isNull()) {
    QPainter painter(&next);
    painter.drawImage(0, 0, image_);
  }
  image_ = std::move(next);
}

void QtDevice::Blit(QPainter& painter, const QRect& area) const {
  std::lock_guard lock(mutex_);
  const QRect part = area & image_.rect();
  if (!part.isEmpty()) painter.drawImage(part.topLeft(), image_, part);
}

QImage QtDevice::Snapshot() const {
  std::lock_guard lock(mutex_);
  return image_.copy();
}

void QtDevice::SetFont(int index, const QFont& font) {
  if (index < 0) return;
  std::lock_guard lock(mutex_);
  if (static_cast<std::size_t>(index) >= fonts_.size()) fonts_.resize(static_cast<std::size_t>(index) + 1);
  fonts_[static_cast<std::size_t>(index)] = font;
}

bool QtDevice::HasFont(int index) const {
  std::lock_guard lock(mutex_);
  return index >= 0 && static_cast<std::size_t>(index) < fonts_.size() &&
         fonts_[static_cast<std::size_t>(index)].has_value();
}

void QtDevice::ForgetFonts() {
  std::lock_guard lock(mutex_);
  fonts_.clear();
}

void QtDevice::Paint(const std::function<QRect(QPainter&)>& draw) {
  QRect changed;
  {
    std::lock_guard lock(mutex_);
    if (painter_) {
      painter_->save();
      draw(*painter_);
      painter_->restore();
      return;
    }
    if (image_.isNull()) return;
    QPainter painter(&image_);
    changed = draw(painter) & image_.rect();
  }
  Notify(changed, false);
}

void QtDevice::Notify(const QRect& area, bool uncovered) const {
  if (listener_ && !area.isEmpty()) listener_(area, uncovered);
}

void QtDevice::FillArea(const draw::DeviceRect& area, draw::Rgb colour) {
  const QRect rect = ToQRect(area);
  if (rect.isEmpty()) return;
  Paint([&](QPainter& painter) {
    painter.fillRect(rect, ToQColor(colour));
    return rect;
  });
}

void QtDevice::Line(draw::DevicePoint from, draw::DevicePoint to, const draw::Pen& pen) {
  if (from == to || pen.style == draw::kLineInvisible) return;  // no pixel but the end one
  if (!painter_ && pen.width <= 1) {
    ThinLine(from, to, pen);
    return;
  }
  Paint([&](QPainter& painter) {
    const QPen qpen = ToQPen(pen, sizing_.printerScale.value_or(1.0f));
    painter.setPen(qpen);
    painter.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
    const int reach = qpen.width();
    return QRect(QPoint(from.x, from.y), QPoint(to.x, to.y))
        .normalized()
        .adjusted(-reach, -reach, reach, reach);
  });
}

// Qt steps its thin lines in one canonical direction and leaves out whichever end pixel comes last, which
// for lines drawn up or to the left is the start. These are stepped from the start instead: pixel k of
// n along the longer axis, the other axis rounded, the end pixel never set, the dash pattern counted in
// pixels from the start.
void QtDevice::ThinLine(draw::DevicePoint from, draw::DevicePoint to, const draw::Pen& pen) {
  const std::int64_t dx = std::int64_t{to.x} - from.x, dy = std::int64_t{to.y} - from.y;
  const std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const std::int64_t n = std::max(adx, ady);
  const bool alongX = adx >= ady;
  const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
  const QList<qreal> pattern = DashPattern(pen.style);
  std::int64_t period = 0;
  for (const qreal length : pattern) period += static_cast<std::int64_t>(length);
  auto on = [&](std::int64_t k) {
    std::int64_t at = k % period;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
      at -= static_cast<std::int64_t>(pattern[i]);
      if (at < 0) return i % 2 == 0;
    }
    return false;
  };
  const QRgb colour = qRgb(pen.colour.red, pen.colour.green, pen.colour.blue);

  QRect changed;
  {
    std::lock_guard lock(mutex_);
    if (image_.isNull()) return;
    const std::int64_t width = image_.width(), height = image_.height();
    // Only the steps whose column (or row) lies inside the image are visited.
    const std::int64_t start = alongX ? from.x : from.y, limit = alongX ? width : height;
    const int step = alongX ? sx : sy;
    const std::int64_t first =
        step > 0 ? std::max<std::int64_t>(0, -start) : std::max<std::int64_t>(0, start - limit + 1);
    const std::int64_t last = std::min(n, step > 0 ? limit - start : start + 1);
    const std::int64_t minor = alongX ? ady : adx;
    for (std::int64_t k = first; k < last; ++k) {
      // 128 bits: far-off end points make the product exceed 64.
      const auto offset = static_cast<std::int64_t>((__int128{2} * k * minor + n) / (__int128{2} * n));
      const std::int64_t x = from.x + sx * (alongX ? k : offset);
      const std::int64_t y = from.y + sy * (alongX ? offset : k);
      if (x < 0 || y < 0 || x >= width || y >= height || (period > 0 && !on(k))) continue;
      reinterpret_cast<QRgb*>(image_.scanLine(static_cast<int>(y)))[x] = colour;
    }
    changed = QRect(QPoint(from.x, from.y), QPoint(to.x, to.y)).normalized() & image_.rect();
  }
  Notify(changed, false);
}

void QtDevice::Text(draw::DevicePoint baselineStart, std::string_view text, const draw::TextStyle& style) {
  if (text.empty()) return;
  const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  Paint([&](QPainter& painter) {
    const auto index = static_cast<std::size_t>(style.fontIndex);
    if (style.fontIndex >= 0 && index < fonts_.size() && fonts_[index]) painter.setFont(*fonts_[index]);
    const QFontMetrics metrics(painter.font(), painter.device());
    const QRect cell(baselineStart.x, baselineStart.y - metrics.ascent(), metrics.horizontalAdvance(string),
                     metrics.ascent() + metrics.descent());
    if (style.background) painter.fillRect(cell, ToQColor(*style.background));
    painter.setPen(ToQColor(style.colour));
    painter.drawText(QPoint(baselineStart.x, baselineStart.y), string);
    // Some glyphs reach a little beyond their cell.
    const int overhang = metrics.height() / 4 + 1;
    return cell.adjusted(-overhang, -overhang, overhang, overhang);
  });
}

void QtDevice::FillFigures(const std::vector<draw::Figure>& figures, draw::Rgb colour) {
  QPainterPath path;
  path.setFillRule(Qt::OddEvenFill);
  for (const draw::Figure& figure : figures) {
    if (figure.size() < 3) continue;
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(figure.size()));
    for (const draw::DevicePoint& p : figure) polygon.append(QPoint(p.x, p.y));
    path.addPolygon(polygon);
    path.closeSubpath();
  }
  if (path.isEmpty()) return;
  Paint([&](QPainter& painter) {
    painter.fillPath(path, ToQColor(colour));
    return path.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1);
  });
}

void QtDevice::Scroll(int dx, int dy, const draw::DeviceRect& area) {
  if (painter_ || (dx == 0 && dy == 0)) return;  // a page has nothing to scroll
  QRect rect;
  QRect landed;
  {
    std::lock_guard lock(mutex_);
    rect = ToQRect(area) & image_.rect();
    if (rect.isEmpty()) return;
    const QImage contents = image_.copy(rect);
    landed = rect.translated(dx, dy) & rect;
    QPainter painter(&image_);
    painter.setClipRect(rect);
    painter.drawImage(rect.topLeft() + QPoint(dx, dy), contents);
  }
  Notify(rect, false);
  for (const QRect& stale : QRegion(rect).subtracted(QRegion(landed))) Notify(stale, true);
}

draw::BitmapResult QtDevice::StretchBitmap(const draw::DeviceRect& destination,
                                           const draw::BitmapSource& source) {
  std::string error;
  const std::optional<BmpImage> picture = BmpImage::Read(source.bmpFile, &error);
  if (!picture) return {false, error};
  const std::int64_t width = std::int64_t{destination.right} - destination.left;
  const std::int64_t height = std::int64_t{destination.bottom} - destination.top;
  if (width <= 0 || height <= 0) return {true, {}};  // nothing to cover
  if (width > kMaximumStretch || height > kMaximumStretch) {
    return {false, "the destination of the picture is too large"};
  }
  const QRect target(destination.left, destination.top, static_cast<int>(width), static_cast<int>(height));
  Paint([&](QPainter& painter) {
    const QPaintDevice* device = painter.device();
    const QRect visible = target & QRect(0, 0, device->width(), device->height());
    if (visible.isEmpty()) return QRect();
    const std::int64_t sourcePixels = std::int64_t{picture->width()} * picture->height();
    if (painter_ && sourcePixels <= std::int64_t{visible.width()} * visible.height()) {
      // A page takes the picture at its own size and scales it itself: a PDF keeps it small.
      const QRect whole(0, 0, picture->width(), picture->height());
      painter.drawImage(target, StretchNearest(*picture, whole.size(), whole));
    } else {
      painter.drawImage(visible.topLeft(),
                        StretchNearest(*picture, target.size(), visible.translated(-target.topLeft())));
    }
    return visible;
  });
  return {true, {}};
}

}  // namespace korvel::ui

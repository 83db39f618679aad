// The drawing device of the program's windows and of the printer. A window draws into a backing image
// that the widget blits in its paint event; the tour thread draws into the view's image while the GUI
// thread blits it, so the image, its painter and the font table are guarded by one mutex. While
// printing, the device draws with the print job's painter instead.
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>
#include <functional>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "draw/device.h"

class QPainter;
class QPaintDevice;

namespace korvel::ui {

// How an entry's point size becomes pixels on this device (see window_fonts.h).
struct FontSizing {
  int logicalDpi = 96;                // vertical pixels per inch of the screen or page
  std::optional<float> printerScale;  // page height / window height while printing
};

class QtDevice : public draw::Device {
 public:
  // Called after drawing changed an area of the backing image (`uncovered` false: blit it), or after a
  // scroll left an area showing stale contents (`uncovered` true: redraw it). It runs on the drawing
  // thread, so a widget forwards it to the GUI thread.
  using ChangeListener = std::function<void(const QRect& area, bool uncovered)>;

  // A window: a backing image of the size, filled with the colour.
  explicit QtDevice(QSize size, draw::Rgb fill = {255, 255, 255});
  // The printer: draws with a painter that the print job keeps open.
  explicit QtDevice(QPainter* painter);
  QtDevice(const QtDevice&) = delete;
  QtDevice& operator=(const QtDevice&) = delete;

  bool onImage() const { return painter_ == nullptr; }
  // Pixels that can be drawn: the image, or the printable page.
  QSize size() const;
  // Where font metrics are taken: the image or the printer.
  QPaintDevice* paintDevice();

  // A resized window keeps the top-left part of its old picture; the rest is filled.
  void Resize(QSize size, draw::Rgb fill = {255, 255, 255});
  // Paints the area of the backing image at the same place (the widget's paint event).
  void Blit(QPainter& painter, const QRect& area) const;
  // A copy of the backing image as it is now.
  QImage Snapshot() const;
  // Set before drawing starts; not changed while another thread draws.
  void SetChangeListener(ChangeListener listener) { listener_ = std::move(listener); }

  // The created fonts, by index in the surface's font table (the font handles of the window).
  const FontSizing& fontSizing() const { return sizing_; }
  void SetFontSizing(const FontSizing& sizing) { sizing_ = sizing; }
  void SetFont(int index, const QFont& font);
  bool HasFont(int index) const;
  void ForgetFonts();

  void FillArea(const draw::DeviceRect& area, draw::Rgb colour) override;
  void Line(draw::DevicePoint from, draw::DevicePoint to, const draw::Pen& pen) override;
  void Text(draw::DevicePoint baselineStart, std::string_view text, const draw::TextStyle& style) override;
  void FillFigures(const std::vector<draw::Figure>& figures, draw::Rgb colour) override;
  void Scroll(int dx, int dy, const draw::DeviceRect& area) override;
  draw::BitmapResult StretchBitmap(const draw::DeviceRect& destination,
                                   const draw::BitmapSource& source) override;

 private:
  // Runs one drawing under the lock with a painter on the target; `draw` answers the area it changed.
  void Paint(const std::function<QRect(QPainter&)>& draw);
  void Notify(const QRect& area, bool uncovered) const;
  void ThinLine(draw::DevicePoint from, draw::DevicePoint to, const draw::Pen& pen);

  mutable std::mutex mutex_;
  QImage image_;
  QPainter* painter_ = nullptr;
  FontSizing sizing_;
  std::vector<std::optional<QFont>> fonts_;
  ChangeListener listener_;
};

}  // namespace korvel::ui

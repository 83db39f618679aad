#include "ui/painting/window_fonts.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace korvel::ui {
namespace {

FontDialogAnswer& DialogAnswer() {
  static FontDialogAnswer answer;
  return answer;
}

// Fixed-pitch faces of the systems the collections come from; none of them is installed here.
const QStringList& CourierLikeFaces() {
  static const QStringList faces{"Courier",  "Courier New", "Lucida Console",
                                 "Consolas", "Fixedsys",    "Terminal"};
  return faces;
}
const QStringList& MonospacedFaces() {
  static const QStringList faces{"Liberation Mono", "DejaVu Sans Mono"};
  return faces;
}

void InstallSubstitutions() {
  static const bool installed = [] {
    for (const QString& face : CourierLikeFaces()) QFont::insertSubstitutions(face, MonospacedFaces());
    return true;
  }();
  (void)installed;
}

// A Courier-like face goes straight to its metric twin, even where a bitmap Courier is installed.
QString FamilyFor(const std::string& faceName) {
  const QString face = QString::fromStdString(faceName);
  if (CourierLikeFaces().contains(face, Qt::CaseInsensitive)) {
    for (const QString& twin : MonospacedFaces()) {
      if (QFontDatabase::hasFamily(twin)) return twin;
    }
  }
  return face;
}

std::optional<QFont> RunFontDialog(const QFont& initial, QWidget* parent) {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, initial, parent, QStringLiteral("Font"),
                                            QFontDialog::MonospacedFonts | QFontDialog::ScalableFonts);
  if (!ok) return std::nullopt;
  return chosen;
}

}  // namespace

int FontPixelHeight(int pointSize, const FontSizing& sizing) {
  double pixels = 0;
  if (sizing.printerScale) {
    // Single precision, as the page scale has always been kept.
    pixels = std::trunc(static_cast<double>(static_cast<float>(pointSize) * *sizing.printerScale));
  } else {
    pixels = static_cast<double>(std::int64_t{pointSize} * sizing.logicalDpi / 72);
  }
  if (!(pixels >= 1)) return 1;  // also a scale that is not a number
  return static_cast<int>(std::min(pixels, static_cast<double>(kMaximumFontPixels)));
}

std::optional<QFont> CreateEntryFont(draw::Font& entry, const FontSizing& sizing,
                                     QPaintDevice* metricsDevice) {
  if (entry.faceName.empty()) return std::nullopt;
  InstallSubstitutions();
  QFont font(FamilyFor(entry.faceName));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPixelSize(FontPixelHeight(entry.pointSize, sizing));
  font.setWeight(entry.bold ? QFont::Bold : QFont::Normal);
  font.setKerning(false);

  const QFontMetrics metrics = metricsDevice ? QFontMetrics(font, metricsDevice) : QFontMetrics(font);
  const QFontMetricsF exact = metricsDevice ? QFontMetricsF(font, metricsDevice) : QFontMetricsF(font);
  const qreal advance = exact.horizontalAdvance(QLatin1Char('0'));
  int charWidth = metrics.averageCharWidth();
  if (charWidth < 1) charWidth = std::max(1, static_cast<int>(std::lround(advance)));
  // Glyph advances are fractional; spacing them out to the whole character width keeps the text where
  // the layout, which counts characters, expects it.
  if (advance != charWidth) font.setLetterSpacing(QFont::AbsoluteSpacing, charWidth - advance);

  entry.lineHeight = metrics.height();
  entry.charWidth = charWidth;
  entry.descent = metrics.descent();
  entry.faceName = QFontInfo(font).family().toStdString();
  return font;
}

bool SelectCurrentFont(draw::Surface& surface, QtDevice& device) {
  if (surface.fonts().empty()) return true;
  std::vector<draw::Font> fonts = surface.fonts();
  bool made = false;
  for (int i = 0; i < static_cast<int>(fonts.size()); ++i) {
    if (device.HasFont(i)) continue;
    if (std::optional<QFont> font =
            CreateEntryFont(fonts[static_cast<std::size_t>(i)], device.fontSizing(), device.paintDevice())) {
      device.SetFont(i, *font);
      made = true;
    }
  }
  if (made) surface.SetFonts(std::move(fonts));
  return device.HasFont(surface.currentFontIndex());
}

bool ChooseWindowFont(draw::Surface& surface, QtDevice& device, int fontIndex, QWidget* parent) {
  if (fontIndex < 0 || fontIndex >= static_cast<int>(surface.fonts().size())) return false;
  std::vector<draw::Font> fonts = surface.fonts();
  draw::Font& entry = fonts[static_cast<std::size_t>(fontIndex)];

  InstallSubstitutions();
  QFont initial(FamilyFor(entry.faceName.empty() ? std::string("Courier") : entry.faceName));
  initial.setStyleHint(QFont::TypeWriter);
  initial.setFixedPitch(true);
  initial.setPointSize(std::clamp(entry.pointSize, 1, 1000));
  initial.setWeight(entry.bold ? QFont::Bold : QFont::Normal);

  const std::optional<QFont> chosen =
      DialogAnswer() ? DialogAnswer()(initial) : RunFontDialog(initial, parent);
  if (!chosen) return false;

  draw::Font picked = entry;
  picked.faceName = chosen->family().toStdString();
  if (chosen->pointSize() > 0) {
    picked.pointSize = chosen->pointSize();
  } else if (chosen->pointSizeF() > 0) {
    picked.pointSize = static_cast<int>(std::lround(chosen->pointSizeF()));
  } else if (chosen->pixelSize() > 0) {  // a font given in pixels: back to points on this device
    picked.pointSize = std::max(1, chosen->pixelSize() * 72 / std::max(device.fontSizing().logicalDpi, 1));
  }
  picked.bold = chosen->weight() >= QFont::Bold;
  std::optional<QFont> font = CreateEntryFont(picked, device.fontSizing(), device.paintDevice());
  if (!font) return false;
  device.SetFont(fontIndex, *font);
  entry = picked;
  surface.SetFonts(std::move(fonts));
  return true;
}

void SetFontDialogAnswer(FontDialogAnswer answer) {
  DialogAnswer() = std::move(answer);
}

}  // namespace korvel::ui

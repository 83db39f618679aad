// The fonts of a window: each entry of the surface's font table (face, size in points, bold) becomes a
// fixed-pitch QFont on the window's device, and the entry learns the metrics the layout works with.
// The faces the collections were set up with ("Courier" and the like) resolve to Liberation Mono, the
// metric twin of Courier, so the views keep their layout.
#pragma once

#include <QFont>
#include <functional>
#include <optional>

#include "draw/font.h"
#include "draw/surface.h"
#include "ui/painting/qt_device.h"

class QPaintDevice;
class QWidget;

namespace korvel::ui {

// Pixel height of the characters: size x dpi / 72 (integer division) on the screen, trunc(size x
// scale) on the printer; always at least 1 pixel and at most kMaximumFontPixels.
inline constexpr int kMaximumFontPixels = 32767;
int FontPixelHeight(int pointSize, const FontSizing& sizing);

// The fixed-pitch font of an entry: fills in its line height, character width and descent, and
// replaces its face name by the face obtained. Every character advances by exactly the character
// width, so a text is as wide as the layout counts. None for an entry without a face name.
std::optional<QFont> CreateEntryFont(draw::Font& entry, const FontSizing& sizing,
                                     QPaintDevice* metricsDevice);

// Creates the device font of every entry of the surface's table that has none yet (after replacing
// the table, call device.ForgetFonts() first). True when the current entry has its font, or when the
// window has no fonts.
bool SelectCurrentFont(draw::Surface& surface, QtDevice& device);

// The font chooser for one entry (fixed-pitch fonts only), starting from the entry's face, size and
// weight. On OK the entry takes the chosen face, size and weight and its font is made at once.
bool ChooseWindowFont(draw::Surface& surface, QtDevice& device, int fontIndex, QWidget* parent);

// Tests answer the chooser instead of a user: the answer gets the initial font and gives the chosen
// one, or none for Cancel. An empty function restores the dialog.
using FontDialogAnswer = std::function<std::optional<QFont>(const QFont& initial)>;
void SetFontDialogAnswer(FontDialogAnswer answer);

}  // namespace korvel::ui

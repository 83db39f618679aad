// A window's placement and fonts to and from the settings' window-parameter record.
#pragma once

#include "ui/windows/window_parameters.h"
#include "ui/windows/window_descriptor.h"

namespace korvel::ui {

// The state flags, the normal placement and the font table as the settings file keeps them.
WindowParameters WindowParametersOf(const WindowDescriptor& descriptor);

// Before creation: a minimised or maximised record sets the creation flag (never clears it), the
// placement becomes the normal one, and the fonts replace the table's entries (further ones are
// added). A window that exists makes its fonts again.
void ApplyWindowParameters(WindowDescriptor& descriptor, const WindowParameters& parameters);

// Makes the device fonts of the window, remembering the faces asked for. False when the current font
// cannot be made.
bool SelectWindowFonts(WindowDescriptor& descriptor);

}  // namespace korvel::ui

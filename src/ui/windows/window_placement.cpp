#include "ui/windows/window_placement.h"

#include "ui/painting/window_fonts.h"

namespace korvel::ui {

WindowParameters WindowParametersOf(const WindowDescriptor& descriptor) {
  WindowParameters parameters;
  parameters.minimised = (descriptor.state & kStateMinimised) != 0;
  parameters.maximised = (descriptor.state & kStateMaximised) != 0;
  parameters.x = descriptor.normal.x;
  parameters.y = descriptor.normal.y;
  parameters.width = descriptor.normal.width;
  parameters.height = descriptor.normal.height;
  const std::vector<draw::Font>& fonts = descriptor.surface.fonts();
  for (std::size_t i = 0; i < fonts.size(); ++i) {
    std::string face = fonts[i].faceName;
    // A face the user has not changed since it was made is written as it was asked for.
    if (i < descriptor.faceNames.size() && descriptor.faceNames[i].obtained == face) {
      face = descriptor.faceNames[i].asked;
    }
    parameters.fonts.push_back({fonts[i].bold, fonts[i].pointSize, face});
  }
  return parameters;
}

void ApplyWindowParameters(WindowDescriptor& descriptor, const WindowParameters& parameters) {
  if (parameters.minimised) descriptor.flags |= kFlagMinimised;
  if (parameters.maximised) descriptor.flags |= kFlagMaximised;
  descriptor.normal = {parameters.x, parameters.y, parameters.width, parameters.height};
  std::vector<draw::Font> fonts = descriptor.surface.fonts();
  for (std::size_t i = 0; i < parameters.fonts.size(); ++i) {
    draw::Font font;
    font.faceName = parameters.fonts[i].face;
    font.pointSize = parameters.fonts[i].size;
    font.bold = parameters.fonts[i].bold;
    if (i < fonts.size()) {
      fonts[i] = font;
    } else {
      fonts.push_back(font);
    }
  }
  const int current = descriptor.surface.currentFontIndex();
  descriptor.surface.SetFonts(std::move(fonts));
  descriptor.surface.SelectFont(current);
  if (descriptor.device != nullptr) {
    descriptor.device->ForgetFonts();
    SelectWindowFonts(descriptor);
  }
}

bool SelectWindowFonts(WindowDescriptor& descriptor) {
  if (descriptor.device == nullptr) return false;
  std::vector<std::string> asked;
  for (const draw::Font& font : descriptor.surface.fonts()) asked.push_back(font.faceName);
  const bool selected = SelectCurrentFont(descriptor.surface, *descriptor.device);
  const std::vector<draw::Font>& fonts = descriptor.surface.fonts();
  descriptor.faceNames.resize(fonts.size());
  for (std::size_t i = 0; i < fonts.size(); ++i) {
    // An entry made before keeps what it was asked as.
    if (descriptor.faceNames[i].obtained == asked[i] && !descriptor.faceNames[i].asked.empty()) continue;
    descriptor.faceNames[i] = {asked[i], fonts[i].faceName};
  }
  return selected;
}

}  // namespace korvel::ui

// Windows made for the tests, with handlers that record what reaches them.
#pragma once

#include <memory>
#include <vector>

#include "ui/windows/window_descriptor.h"

namespace korvel::ui::test {

// Records every message (dropped files copied, as the handle lives only during the message).
struct Recorder {
  std::vector<WindowMessage> messages;
  std::vector<std::vector<std::string>> drops;
  WindowHandler Handler();
  // The messages of one kind, in order.
  std::vector<WindowMessage> Of(MessageKind kind) const;
};

draw::Font Courier(int size);

// A descriptor with the program's colours and one Courier font.
std::unique_ptr<WindowDescriptor> MakeDescriptor(const char* name, WindowDescriptor* parent, Placement normal,
                                                 int flags = 0);

// Destroys the windows and lets the deleted widgets go; the quit they post is taken back.
void DestroyAll(const std::vector<WindowDescriptor*>& descriptors);

}  // namespace korvel::ui::test

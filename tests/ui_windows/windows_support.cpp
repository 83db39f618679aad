#include "windows_support.h"

#include <QApplication>
#include <QTest>

#include "ui/windows/window_frame.h"

namespace korvel::ui::test {

WindowHandler Recorder::Handler() {
  return [this](WindowDescriptor& descriptor, const WindowMessage& message) -> long {
    messages.push_back(message);
    if (message.message == kMessageDropFiles && message.drop != nullptr) {
      std::vector<std::string> paths;
      for (int i = 0; i < DroppedFileCount(*message.drop); ++i)
        paths.push_back(DroppedFile(*message.drop, i));
      drops.push_back(paths);
    }
    return DefaultWindowProcedure(descriptor, message);
  };
}

std::vector<WindowMessage> Recorder::Of(MessageKind kind) const {
  std::vector<WindowMessage> found;
  for (const WindowMessage& message : messages) {
    if (message.message == kind) found.push_back(message);
  }
  return found;
}

draw::Font Courier(int size) {
  draw::Font font;
  font.faceName = "Courier";
  font.pointSize = size;
  return font;
}

std::unique_ptr<WindowDescriptor> MakeDescriptor(const char* name, WindowDescriptor* parent, Placement normal,
                                                 int flags) {
  auto descriptor = std::make_unique<WindowDescriptor>();
  descriptor->name = name;
  descriptor->caption = name;
  descriptor->parent = parent;
  descriptor->normal = normal;
  descriptor->flags = flags;
  descriptor->surface.SetWindowColours(draw::kWhite, draw::kBlack, draw::kYellow);
  descriptor->surface.SetFonts({Courier(12)});
  return descriptor;
}

void DestroyAll(const std::vector<WindowDescriptor*>& descriptors) {
  for (WindowDescriptor* descriptor : descriptors) DestroyWindow(*descriptor);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  PostQuitMessage();
  RunMessageLoop();  // takes the pending quit at once
}

}  // namespace korvel::ui::test

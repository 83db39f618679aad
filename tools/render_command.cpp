#include "render_command.h"

#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "collection/data_file.h"
#include "graph_command.h"
#include "inventory_command.h"
#include "pictures/picture_cells.h"
#include "pictures/picture_registration.h"
#include "reports/inventory_drawing.h"
#include "reports/radio_description.h"
#include "ui/painting/qt_device.h"
#include "ui/painting/window_fonts.h"
#include "util/message_recorder.h"

namespace korvel::tool {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitNotOpened = 1;
constexpr int kExitUsage = 2;

bool ParseSize(const std::string& text, int& width, int& height) {
  return std::sscanf(text.c_str(), "%dx%d", &width, &height) == 2 && width > 0 && height > 0 &&
         width <= 10000 && height <= 10000;
}

int Fail(const char* format, const std::string& what) {
  std::fprintf(stderr, format, what.c_str());
  std::fputc('\n', stderr);
  return kExitUsage;
}

// Fonts and images need a GUI application; without a display the offscreen platform serves.
std::unique_ptr<QGuiApplication> MakeApplication() {
  if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  }
  static int argc = 1;
  static char name[] = "korvel-tool";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

int RenderCommand(const std::string& directory, const std::vector<std::string>& arguments) {
  if (arguments.size() < 2)
    return Fail("%s", "usage: korvel-tool render DIR VIEW OUT.png [--radio ID] [--size WxH]");
  const std::string& view = arguments[0];
  const std::string& out = arguments[1];
  int radioId = -1;
  int width = 800, height = 600;
  for (std::size_t i = 2; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    if (i + 1 >= arguments.size()) return Fail("render: %s needs a value", option);
    const std::string& value = arguments[++i];
    if (option == "--radio") {
      char* end = nullptr;
      radioId = static_cast<int>(std::strtol(value.c_str(), &end, 10));
      if (end == value.c_str() || *end != '\0') return Fail("render: not a radio identifier: %s", value);
    } else if (option == "--size") {
      if (!ParseSize(value, width, height)) return Fail("render: not a size WxH: %s", value);
    } else {
      return Fail("render: unknown option %s", option);
    }
  }
  const int inventoryKind = InventoryViewKind(view);
  if (view != "description" && inventoryKind < 0 && !IsGraphView(view)) {
    return Fail("render: the %s view is not drawn by this version of korvel-tool", view);
  }

  MessageRecorder messages;
  Collection collection;
  const LoadOutcome load = LoadCollection(directory, collection);
  for (const Message& m : messages.messages())
    std::fprintf(stderr, "%s: %s\n", MessageCaption(m.severity), m.text.c_str());
  const std::size_t shown = messages.messages().size();
  if (!load.opened) return kExitNotOpened;
  RadioRecord* radio = radioId >= 0
                           ? collection.radios.FindById(radioId)
                           : (collection.radios.Count() > 0 ? collection.radios.Records().front() : nullptr);
  if (radioId >= 0 && radio == nullptr)
    return Fail("render: no radio has the identifier %s", std::to_string(radioId));

  const auto application = MakeApplication();
  PictureRegistry registry;
  registry.SetDataDirectory(load.paths.directory);
  RegisterCollectionPictures(collection, registry);
  ui::QtDevice device(QSize(width, height));
  draw::Surface surface(&device, {0, 0, width, height});
  draw::Font font;
  font.faceName = "Courier";
  font.pointSize = 12;
  surface.SetFonts({font});
  ui::SelectCurrentFont(surface, device);
  if (inventoryKind >= 0) {
    DrawInventory(surface, BuildInventoryUsage(collection, inventoryKind));
  } else if (IsGraphView(view)) {
    DrawGraphView(view, collection, surface);
  } else {
    RadioDescription description;
    description.DrawRadioDescription(surface, {collection, radio, registry, false}, false);
    ReportUnshownPictures(registry);
  }
  // What drawing had to say (names leading outside, pictures that cannot be shown) follows the load's.
  for (std::size_t i = shown; i < messages.messages().size(); ++i) {
    const Message& m = messages.messages()[i];
    std::fprintf(stderr, "%s: %s\n", MessageCaption(m.severity), m.text.c_str());
  }
  if (!device.Snapshot().save(QString::fromStdString(out), "PNG")) {
    return Fail("render: cannot write %s", out);
  }
  return kExitOk;
}

}  // namespace korvel::tool

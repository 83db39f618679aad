#include "catalogue_command.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

#include "collection/data_file.h"
#include "collection/macro_text.h"
#include "pictures/picture_registration.h"
#include "reports/catalogue.h"
#include "selection/criteria.h"
#include "ui/painting/catalogue_job.h"
#include "util/message_recorder.h"

namespace korvel::tool {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// The print job's progress dialog is a widget; without a display the offscreen platform serves.
std::unique_ptr<QApplication> MakeApplication() {
  if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  }
  static int argc = 1;
  static char name[] = "korvel-tool";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

int CatalogueCommand(const std::string& directory, const std::vector<std::string>& arguments) {
  if (arguments.empty()) {
    std::fprintf(stderr, "usage: korvel-tool catalogue DIR OUT.pdf [STEP...]\n");
    return kExitUsage;
  }
  const std::string& out = arguments[0];
  MessageRecorder messages;
  Collection collection;
  const LoadOutcome load = LoadCollection(directory, collection);
  for (const Message& m : messages.messages())
    std::fprintf(stderr, "%s: %s\n", MessageCaption(m.severity), m.text.c_str());
  if (!load.opened) return kExitFailed;

  // The selection the steps give, from an empty one; no steps: every radio.
  SelectionState selection;
  if (arguments.size() == 1) selection.current = collection.radios;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::optional<Criterion> criterion = ParseMacroToken(arguments[i], collection.tables);
    if (!criterion) {
      std::fprintf(stderr, "korvel-tool: \"%s\" is not a selection step\n", arguments[i].c_str());
      return kExitUsage;
    }
    ApplyCriterion(*criterion, collection, selection);
  }

  const auto application = MakeApplication();
  PictureRegistry registry;
  registry.SetDataDirectory(load.paths.directory);
  RegisterCollectionPictures(collection, registry);
  ui::PrintingFrame frame;
  if (!frame.StartPrintJobToPdf(out, "Korvel Catalogue")) {
    std::fprintf(stderr, "Error: %s\n", frame.LastErrorText().c_str());
    return kExitFailed;
  }
  const CatalogueInput input{collection, selection.current, registry, CatalogueTitle(load.paths.directory),
                             TodayText()};
  if (ui::PrintCatalogueJob(frame, input) == 0) {
    std::fprintf(stderr, "Error: %s\n", frame.LastErrorText().c_str());
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace korvel::tool

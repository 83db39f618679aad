#include "publish_command.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "collection/data_file.h"
#include "collection/macro_text.h"
#include "pictures/picture_registration.h"
#include "selection/criteria.h"
#include "util/message_recorder.h"
#include "web/web_publish.h"

namespace korvel::tool {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitNotOpened = 1;
constexpr int kExitFailed = 1;  // an Error was reported
constexpr int kExitUsage = 2;

int Usage(const char* format, const std::string& what) {
  std::fprintf(stderr, format, what.c_str());
  std::fputs(
      "\nusage: korvel-tool publish DIR ROOT [--html H] [--pictures P] [--snapshots S] [--list-name L] "
      "[--descriptions] [STEP...]\n",
      stderr);
  return kExitUsage;
}

void PrintMessages(const MessageRecorder& messages) {
  for (const Message& m : messages.messages())
    std::fprintf(stderr, "%s: %s\n", MessageCaption(m.severity), m.text.c_str());
}

}  // namespace

int PublishCommand(const std::string& directory, const std::vector<std::string>& arguments) {
  if (arguments.empty()) return Usage("%s", "publish: the web image root directory is missing");
  WebSettings settings;
  settings.root = arguments[0];
  std::vector<std::string> steps;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--descriptions") {
      settings.descriptions = true;
      continue;
    }
    std::string* value = argument == "--html"        ? &settings.html
                         : argument == "--pictures"  ? &settings.pictures
                         : argument == "--snapshots" ? &settings.snapshots
                         : argument == "--list-name" ? &settings.listName
                                                     : nullptr;
    if (value == nullptr && argument.rfind("--", 0) == 0)
      return Usage("publish: unknown option %s", argument);
    if (value == nullptr) {
      steps.push_back(argument);
      continue;
    }
    if (i + 1 >= arguments.size()) return Usage("publish: %s needs a value", argument);
    *value = arguments[++i];
  }

  MessageRecorder messages;
  Collection collection;
  const LoadOutcome load = LoadCollection(directory, collection);
  if (!load.opened) {
    PrintMessages(messages);
    return kExitNotOpened;
  }
  SelectionState state;
  if (steps.empty()) state.current = collection.radios;
  for (const std::string& step : steps) {
    const std::optional<Criterion> criterion = ParseMacroToken(step, collection.tables);
    if (!criterion) {
      PrintMessages(messages);
      std::fprintf(stderr, "korvel-tool: \"%s\" is not a selection step\n", step.c_str());
      return kExitUsage;
    }
    ApplyCriterion(*criterion, collection, state);
  }
  PictureRegistry registry;
  registry.SetDataDirectory(load.paths.directory);
  RegisterCollectionPictures(collection, registry);
  const int published = PublishWeb(collection, registry, state.current, settings);
  PrintMessages(messages);
  // A site with a page or an image that could not be written is no success for a script.
  const bool failed = std::any_of(messages.messages().begin(), messages.messages().end(),
                                  [](const Message& m) { return m.severity == kError; });
  return published && !failed ? kExitOk : kExitFailed;
}

}  // namespace korvel::tool

#include "inventory_command.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "collection/data_file.h"
#include "collection/inventory_usage.h"
#include "collection/tables.h"
#include "collection/tubes.h"
#include "util/alu_encoding.h"
#include "util/message_recorder.h"

namespace korvel::tool {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitNotOpened = 1;
constexpr int kExitUsage = 2;

int KindOfName(const std::string& name) {
  if (name == "tube") return kTechTube;
  if (name == "transistor") return kTechTransistor;
  return -1;
}

}  // namespace

int InventoryViewKind(const std::string& view) {
  constexpr std::string_view prefix = "inventory-";
  if (view.rfind(prefix, 0) != 0) return -1;
  return KindOfName(view.substr(prefix.size()));
}

int InventoryCommand(const std::string& directory, const std::vector<std::string>& arguments) {
  const int kind = arguments.size() == 1 ? KindOfName(arguments[0]) : -1;
  if (kind < 0) {
    std::fputs("usage: korvel-tool inventory DIR tube|transistor\n", stderr);
    return kExitUsage;
  }
  MessageRecorder messages;
  Collection collection;
  const LoadOutcome load = LoadCollection(directory, collection);
  for (const Message& m : messages.messages())
    std::fprintf(stderr, "%s: %s\n", MessageCaption(m.severity), m.text.c_str());
  if (!load.opened) return kExitNotOpened;

  const InventoryUsage usage = BuildInventoryUsage(collection, kind);
  nlohmann::ordered_json items = nlohmann::ordered_json::array();
  for (const auto& [name, item] : usage.items) {
    items.push_back({{"name", AluDisplayUtf8(UnpaddedName(item.name))},
                     {"used", item.count},
                     {"stock", item.secondCount},
                     {"short", IsShortOfStock(item)}});
  }
  const nlohmann::ordered_json json = {{"title", usage.title}, {"items", items}};
  const std::string text = json.dump(2);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  return messages.SawError() ? kExitNotOpened : kExitOk;  // the list is given all the same
}

}  // namespace korvel::tool

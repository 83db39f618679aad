// korvel-tool: the headless companion. It loads a data directory exactly as the program does and
// prints, checks or re-saves the collection.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "collection/data_file.h"
#include "collection_json.h"
#include "util/message_recorder.h"

namespace korvel::tool {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitNotOpened = 1;
constexpr int kExitUsage = 2;

int Usage() {
  std::fputs(
      "usage: korvel-tool COMMAND DIR\n"
      "  check DIR    load the collection and print a summary line and the messages\n"
      "  dump DIR     load the collection and print it as JSON\n"
      "  resave DIR   load the collection and save it again (radata.new, numbered backup, rename)\n"
      "DIR is the data directory that holds radata.dat.\n",
      stderr);
  return kExitUsage;
}

int Check(const std::string& directory) {
  MessageRecorder messages;
  Collection collection;
  const LoadOutcome load = LoadCollection(directory, collection);
  long long entries = 0;
  for (int kind : UserTableKindsInFileOrder()) entries += collection.tables[kind].Count();
  std::printf("radios %d, tables %lld entries, inventory %zu items, aliases %zu, macros %zu, messages %zu\n",
              collection.radios.Count(), entries, collection.inventory.size(), collection.aliases.size(),
              collection.macros.size(), messages.messages().size());
  for (const Message& m : messages.messages())
    std::printf("%s: %s\n", MessageCaption(m.severity), m.text.c_str());
  return load.opened ? kExitOk : kExitNotOpened;
}

int Dump(const std::string& directory) {
  MessageRecorder messages;
  Collection collection;
  const LoadOutcome load = LoadCollection(directory, collection);
  const std::string json = CollectionJson(collection, load.version, messages.messages()).dump(2);
  std::fwrite(json.data(), 1, json.size(), stdout);
  std::fputc('\n', stdout);
  return load.opened ? kExitOk : kExitNotOpened;
}

int Resave(const std::string& directory) {
  MessageRecorder messages;
  Collection collection;
  const LoadOutcome load = LoadCollection(directory, collection);
  if (!load.opened) {
    for (const Message& m : messages.messages())
      std::fprintf(stderr, "%s: %s\n", MessageCaption(m.severity), m.text.c_str());
    return kExitNotOpened;
  }
  collection.changed = true;
  const bool saved = SaveCollection(load.paths, collection);
  for (const Message& m : messages.messages())
    std::fprintf(stderr, "%s: %s\n", MessageCaption(m.severity), m.text.c_str());
  return saved ? kExitOk : kExitNotOpened;
}

}  // namespace
}  // namespace korvel::tool

int main(int argc, char** argv) {
  using namespace korvel::tool;
  if (argc != 3) return Usage();
  const std::string command = argv[1];
  const std::string directory = argv[2];
  if (command == "check") return Check(directory);
  if (command == "dump") return Dump(directory);
  if (command == "resave") return Resave(directory);
  return Usage();
}

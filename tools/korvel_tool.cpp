// korvel-tool: the headless companion. It loads a data directory exactly as the program does and
// prints, checks or re-saves the collection.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "collection/collection_lock.h"
#include "collection/data_file.h"
#include "collection/macro_text.h"
#include "collection_json.h"
#include "graph_command.h"
#include "import_command.h"
#include "inventory_command.h"
#include "publish_command.h"
#include "reports/csv_file.h"
#include "reports/list_file.h"
#include "search_fill_command.h"
#include "selection/criteria.h"
#include "selection/quick_filter.h"
#include "tool_lock.h"
#include "util/alu_path.h"
#include "util/message_recorder.h"

namespace korvel::tool {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitNotOpened = 1;
constexpr int kExitUsage = 2;
constexpr int kExitRenderMissing = 127;  // as a shell says of a program it cannot find

int Usage(std::FILE* out = stderr) {
  std::fputs(
      "usage: korvel-tool COMMAND DIR\n"
      "  check DIR    load the collection and print a summary line and the messages\n"
      "  dump DIR     load the collection and print it as JSON\n"
      "  resave DIR   load the collection and save it again (radata.new, numbered backup, rename)\n"
      "  backups DIR  list the numbered backups, newest first: name, date and time, bytes, radios\n"
      "  select DIR STEP...   apply selection steps (+Technology=Tube, &Year<1950, push, ||, 12)\n"
      "                       to an empty selection and print the identifiers, one per line\n"
      "  list DIR [STEP...]   print the list file text of that selection (no steps: every radio)\n"
      "  csv DIR [STEP...]    print that selection as comma-separated values, one row per radio\n"
      "  render DIR VIEW OUT.png [--radio ID] [--size WxH]\n"
      "                       draw a view as the program shows it: description (default: the first radio),\n"
      "                       cost-value, history, sales-profit, distribution:FIELD, inventory-tube\n"
      "                       or inventory-transistor\n"
      "  inventory DIR tube|transistor   print the inventory window's list as JSON\n"
      "  publish DIR ROOT [--html H] [--pictures P] [--snapshots S] [--list-name L] [--descriptions]\n"
      "          [STEP...]    publish the selection (no steps: every radio) as File > Publish for Web does\n"
      "  search-fill DIR ID   the radio's tube rows after Search/Fill in the radio notebook, as JSON\n"
      "  graph DIR cost-value|history|sales-profit|distribution:FIELD [STEP...]\n"
      "                       print a graph's data as JSON (FIELD 0 Bands ... 10 Year; steps: over a "
      "selection)\n"
      "  find DIR WORD...     the radios whose texts contain every word, as the search field finds them\n"
      "  import DIR FILE.csv [--dry-run] [--skip-faulty]\n"
      "                       add a spreadsheet's rows as new radios, as File > Import CSV does, and save\n"
      "  catalogue DIR OUT.pdf [STEP...]   write File > Print Catalogue's document for the selection as a "
      "PDF\n"
      "DIR is the data directory that holds radata.dat.\n"
      "Exit status: 0 done, 1 the data file could not be opened or an Error was reported, 2 bad usage,\n"
      "3 the collection is open in another program (nothing written).\n",
      out);
  return out == stderr ? kExitUsage : kExitOk;
}

// The collection of this run. It lives until the process ends and is never freed: handing a
// large collection back to the heap record by record takes longer than loading it.
Collection& RunCollection() {
  static Collection* collection = new Collection;
  return *collection;
}

int Check(const std::string& directory) {
  MessageRecorder messages;
  Collection& collection = RunCollection();
  const LoadOutcome load = LoadCollection(directory, collection);
  long long entries = 0;
  for (int kind : UserTableKindsInFileOrder()) entries += collection.tables[kind].Count();
  std::printf("radios %d, tables %lld entries, inventory %zu items, aliases %zu, macros %zu, messages %zu\n",
              collection.radios.Count(), entries, collection.inventory.size(), collection.aliases.size(),
              collection.macros.size(), messages.messages().size());
  for (const Message& m : messages.messages())
    std::printf("%s: %s\n", MessageCaption(m.severity), m.text.c_str());
  return load.opened && !messages.SawError() ? kExitOk : kExitNotOpened;
}

int Dump(const std::string& directory) {
  MessageRecorder messages;
  Collection& collection = RunCollection();
  const LoadOutcome load = LoadCollection(directory, collection);
  const std::string json = CollectionJson(collection, load.version, messages.messages()).dump(2);
  std::fwrite(json.data(), 1, json.size(), stdout);
  std::fputc('\n', stdout);
  return load.opened && !messages.SawError() ? kExitOk : kExitNotOpened;
}

int Resave(const std::string& directory) {
  MessageRecorder messages;
  const auto finish = [&](int status) {
    for (const Message& m : messages.messages())
      std::fprintf(stderr, "%s: %s\n", MessageCaption(m.severity), m.text.c_str());
    return status;
  };
  Collection& collection = RunCollection();
  const LoadOutcome load = LoadCollection(directory, collection);
  if (!load.opened) return finish(kExitNotOpened);
  CollectionLock lock;
  if (!LockForWriting(lock, load.paths.directory)) return finish(kExitLocked);
  collection.changed = true;
  const bool saved = SaveCollection(load.paths, collection);
  return finish(saved && !messages.SawError() ? kExitOk : kExitNotOpened);
}

// The numbered backups there are, newest first.
int Backups(const std::string& directory) {
  MessageRecorder messages;
  for (const BackupInfo& backup : ListBackups(MakeDataFilePaths(directory))) {
    std::printf("%s\t%s\t%llu\t%d\n", backup.name.c_str(), backup.written.c_str(),
                static_cast<unsigned long long>(backup.bytes), backup.radios);
  }
  return kExitOk;
}

void PrintMessages(const MessageRecorder& messages, std::size_t from) {
  for (std::size_t i = from; i < messages.messages().size(); ++i) {
    const Message& m = messages.messages()[i];
    std::fprintf(stderr, "%s: %s\n", MessageCaption(m.severity), m.text.c_str());
  }
}

// Loads the collection and applies the steps to an empty selection; false when a step does not
// parse (reported) or the data file cannot be opened (`status` says which).
bool Select(const std::string& directory, const std::vector<std::string>& steps, bool allWithoutSteps,
            Collection& collection, SelectionState& state, int& status) {
  MessageRecorder messages;
  const LoadOutcome load = LoadCollection(directory, collection);
  PrintMessages(messages, 0);
  if (!load.opened) {
    status = kExitNotOpened;
    return false;
  }
  std::vector<Criterion> criteria;
  for (const std::string& step : steps) {
    std::optional<Criterion> criterion = ParseMacroToken(step, collection.tables);
    if (!criterion) {
      std::fprintf(stderr, "korvel-tool: \"%s\" is not a selection step\n", step.c_str());
      status = kExitUsage;
      return false;
    }
    criteria.push_back(*criterion);
  }
  if (steps.empty() && allWithoutSteps) state.current = collection.radios;
  const std::size_t before = messages.messages().size();
  for (const Criterion& criterion : criteria) ApplyCriterion(criterion, collection, state);
  PrintMessages(messages, before);
  status = messages.SawError() ? kExitNotOpened : kExitOk;  // the output is given all the same
  return true;
}

int SelectCommand(const std::string& directory, const std::vector<std::string>& steps) {
  Collection& collection = RunCollection();
  SelectionState state;
  int status = kExitOk;
  if (!Select(directory, steps, false, collection, state, status)) return status;
  for (const RadioRecord* r : state.current) std::printf("%d\n", r->id);
  return status;
}

int ListCommand(const std::string& directory, const std::vector<std::string>& steps) {
  Collection& collection = RunCollection();
  SelectionState state;
  int status = kExitOk;
  if (!Select(directory, steps, true, collection, state, status)) return status;
  const std::string text = RadioListText(collection, state.current);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return status;
}

int CsvCommand(const std::string& directory, const std::vector<std::string>& steps) {
  Collection collection;
  SelectionState state;
  int status = kExitOk;
  if (!Select(directory, steps, true, collection, state, status)) return status;
  const std::string text = RadioCsvText(collection, state.current);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return status;
}

int FindCommand(const std::string& directory, const std::vector<std::string>& words) {
  MessageRecorder messages;
  Collection& collection = RunCollection();
  const LoadOutcome load = LoadCollection(directory, collection);
  PrintMessages(messages, 0);
  if (!load.opened) return kExitNotOpened;
  std::string typed;
  for (const std::string& word : words) typed += word + " ";
  QuickFilter filter;
  for (const RadioRecord* r : filter.Narrow(collection.tables, collection.radios, typed))
    std::printf("%d\n", r->id);
  return kExitOk;
}

// render: drawn by korvel-render (it needs Qt, which the other commands do without), found beside
// this program, as in the build tree, or where the installation puts it. Returns only on failure.
int Render(char** argv) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (!error) {
    const fs::path here = self.parent_path();
    for (const fs::path& helper :
         {here / "korvel-render", here / KORVEL_RENDER_FROM_BINDIR / "korvel-render"}) {
      if (::access(helper.c_str(), X_OK) != 0) continue;
      const std::string path = helper.string();
      argv[0] = const_cast<char*>(path.c_str());
      ::execv(path.c_str(), argv);
    }
  }
  std::fprintf(stderr, "korvel-tool: render needs korvel-render, which is not installed with korvel-tool.\n");
  return kExitRenderMissing;
}

}  // namespace
}  // namespace korvel::tool

int main(int argc, char** argv) {
  using namespace korvel::tool;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--help" || argument == "-h") return Usage(stdout);
  }
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  const std::string directory = argv[2];
  const std::vector<std::string> steps(argv + 3, argv + argc);
  if (command == "select" && !steps.empty()) return SelectCommand(directory, steps);
  if (command == "list") return ListCommand(directory, steps);
  if (command == "csv") return CsvCommand(directory, steps);
  if (command == "find" && !steps.empty()) return FindCommand(directory, steps);
  if (command == "render" || command == "catalogue") return Render(argv);
  if (command == "import") return ImportCommand(directory, steps);
  if (command == "inventory") return InventoryCommand(directory, steps);
  if (command == "publish") return PublishCommand(directory, steps);
  if (command == "search-fill") return SearchFillCommand(directory, steps);
  if (command == "graph") return GraphCommand(directory, steps);
  if (argc != 3) return Usage();
  if (command == "check") return Check(directory);
  if (command == "dump") return Dump(directory);
  if (command == "resave") return Resave(directory);
  if (command == "backups") return Backups(directory);
  return Usage();
}

#include "search_fill_command.h"

#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "collection/data_file.h"
#include "collection/radio_ops.h"
#include "collection/tube_rows.h"
#include "util/alu_encoding.h"
#include "util/message_recorder.h"

namespace korvel::tool {

int SearchFillCommand(const std::string& directory, const std::vector<std::string>& arguments) {
  if (arguments.size() != 1) {
    std::fputs("usage: korvel-tool search-fill DIR ID\n", stderr);
    return 2;
  }
  MessageRecorder messages;
  Collection collection;
  RadioRecord* radio = nullptr;
  if (!LoadCollection(directory, collection).opened) return 1;
  char* end = nullptr;
  const long id = std::strtol(arguments[0].c_str(), &end, 10);
  if (end != arguments[0].c_str() && *end == '\0') radio = collection.radios.FindById(static_cast<int>(id));
  if (radio == nullptr) {
    std::fprintf(stderr, "korvel-tool: no radio %s in the collection\n", arguments[0].c_str());
    return 1;
  }
  const bool loadError = messages.SawError();
  messages.Clear();  // the load's own messages are not the notebook's
  RadioRecord work;
  CopyRadio(*radio, work);
  TubeRows rows = FillTubeRows(work);
  rows = SearchFillTubeRows(rows, work, collection);

  nlohmann::ordered_json shownRows = nlohmann::ordered_json::array();
  for (const TubeRow& row : rows) {
    if (!row.type.empty())
      shownRows.push_back({{"function", row.function}, {"type", AluDisplayUtf8(row.type)}});
  }
  nlohmann::ordered_json shown = nlohmann::ordered_json::array();
  for (const Message& m : messages.messages())
    shown.push_back({{"severity", m.severity}, {"text", AluDisplayUtf8(m.text)}});
  nlohmann::ordered_json json = nlohmann::ordered_json::object();
  json["rows"] = shownRows;
  json["messages"] = shown;
  const std::string text = json.dump(2);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  return loadError || messages.SawError() ? 1 : 0;
}

}  // namespace korvel::tool

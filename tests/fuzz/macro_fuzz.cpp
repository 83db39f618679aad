// Feeds arbitrary lines to the macro step reader, with the sample's tables; a step that reads must
// write out as a step that reads back the same, so saving a collection never changes its macros.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "collection/data_file.h"
#include "collection/macro_text.h"
#include "util/message.h"

namespace {

const korvel::TableSet& SampleTables() {
  static const korvel::TableSet tables = [] {
    korvel::Collection collection;
    std::ifstream in(KORVEL_SAMPLE_DATA, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!bytes.empty()) korvel::ReadDataBytes(bytes, "sample", collection);
    return collection.tables;
  }();
  return tables;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvel;
  ResetMessages();
  SetMessageOwner(nullptr);
  const TableSet& tables = SampleTables();
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string_view token = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    const MacroEntry entry = ReadMacroEntry(token, tables);
    const std::string written = MacroEntryText(entry);
    if (!entry.parsed) {
      if (written != token) __builtin_trap();
      continue;
    }
    const std::optional<Criterion> again = ParseMacroToken(written, tables);
    if (!again || again->action != entry.criterion.action || again->field != entry.criterion.field ||
        again->relation != entry.criterion.relation || again->value != entry.criterion.value) {
      __builtin_trap();
    }
  }
  return 0;
}

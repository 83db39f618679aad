// Feeds arbitrary bytes to the data file reader; whatever it loads must write out and read back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "collection/data_file.h"
#include "util/message.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvel;
  ResetMessages();
  SetMessageOwner(nullptr);  // messages are shown to no one: nothing queues up
  Collection collection;
  ReadDataBytes(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz", collection);
  const std::string written = FormatDataFile(collection);
  Collection again;
  ReadDataBytes(written, "again", again);
  if (again.radios.Count() > collection.radios.Count()) __builtin_trap();
  return 0;
}

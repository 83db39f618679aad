// Feeds arbitrary bytes to the settings reader as korvel.ini; what it reads must write out and read
// back to the same settings, so that a damaged file settles after one save.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "app/settings.h"
#include "util/message.h"

namespace {

bool WriteFile(const std::string& path, const char* data, std::size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool ok = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvel;
  ResetMessages();
  SetMessageOwner(nullptr);
  static const std::string path = "/tmp/korvel-settings-fuzz-" + std::to_string(getpid()) + ".ini";
  if (!WriteFile(path, reinterpret_cast<const char*>(data), size)) return 0;
  Settings settings;
  if (ReadSettings(path, settings) >= 0) {
    const std::string written = SettingsText(settings);
    if (WriteFile(path, written.data(), written.size())) {
      Settings again;
      ReadSettings(path, again);
      if (SettingsText(again) != written) __builtin_trap();
    }
  }
  std::remove(path.c_str());
  return 0;
}

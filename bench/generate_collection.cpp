// Writes a generated collection of N radios as a data directory, for timing loads and saves:
//   generate_collection DIR [N]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "collection/data_file.h"
#include "collection_generator.h"

namespace {

constexpr const char* kUsage =
    "usage: generate_collection DIR [RADIOS]\n"
    "  writes DIR/radata.dat with RADIOS generated radios (default 100000), for timing loads and saves\n";

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
  }
  // Nothing is written for arguments that are not a folder and a count: an option mistyped is no
  // folder to fill with a collection.
  char* end = nullptr;
  const long radios = argc == 3 ? std::strtol(argv[2], &end, 10) : 100000;
  if (argc < 2 || argc > 3 || argv[1][0] == '-' ||
      (argc == 3 && (*end != '\0' || radios < 0 || radios > 10000000))) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::string directory = argv[1];
  const int count = static_cast<int>(radios);
  std::filesystem::create_directories(directory);
  const korvel::Collection collection = korvel::bench::GenerateCollection(count);
  if (!korvel::WriteDataFile(directory + "/radata.dat", collection)) return 1;
  std::printf("%s/radata.dat: %d radios, %ju bytes\n", directory.c_str(), collection.radios.Count(),
              static_cast<std::uintmax_t>(std::filesystem::file_size(directory + "/radata.dat")));
  return 0;
}

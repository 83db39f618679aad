// Writes a generated collection of N radios as a data directory, for timing loads and saves, and
// with --csv the same radios as one CSV table:
//   generate_collection DIR [N] [--csv FILE]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "collection/data_file.h"
#include "collection_csv.h"
#include "collection_generator.h"

namespace {

constexpr const char* kUsage =
    "usage: generate_collection DIR [RADIOS] [--csv FILE]\n"
    "  writes DIR/radata.dat with RADIOS generated radios (default 100000), for timing loads and saves,\n"
    "  and with --csv the same radios as one CSV table in FILE\n";

}  // namespace

int main(int argc, char** argv) {
  std::string directory, csv;
  long radios = 100000;
  int positional = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
  }
  // Nothing is written for arguments that are not a folder and a count: an option mistyped is no
  // folder to fill with a collection.
  bool bad = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--csv") == 0 && i + 1 < argc) {
      csv = argv[++i];
    } else if (argv[i][0] == '-') {
      bad = true;
    } else if (positional == 0) {
      directory = argv[i];
      ++positional;
    } else if (positional == 1) {
      char* end = nullptr;
      radios = std::strtol(argv[i], &end, 10);
      bad = bad || *end != '\0' || radios < 0 || radios > 10000000;
      ++positional;
    } else {
      bad = true;
    }
  }
  if (bad || directory.empty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const int count = static_cast<int>(radios);
  std::filesystem::create_directories(directory);
  const korvel::Collection collection = korvel::bench::GenerateCollection(count);
  if (!korvel::WriteDataFile(directory + "/radata.dat", collection)) return 1;
  std::printf("%s/radata.dat: %d radios, %ju bytes\n", directory.c_str(), collection.radios.Count(),
              static_cast<std::uintmax_t>(std::filesystem::file_size(directory + "/radata.dat")));
  if (!csv.empty()) {
    if (!korvel::bench::WriteRadiosCsv(csv, collection)) {
      std::fprintf(stderr, "generate_collection: cannot write %s\n", csv.c_str());
      return 1;
    }
    std::printf("%s: %ju bytes\n", csv.c_str(), static_cast<std::uintmax_t>(std::filesystem::file_size(csv)));
  }
  return 0;
}

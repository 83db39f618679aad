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

int main(int argc, char** argv) {
  std::string directory, csv;
  int count = 100000;
  int positional = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--csv") == 0 && i + 1 < argc) {
      csv = argv[++i];
    } else if (positional++ == 0) {
      directory = argv[i];
    } else {
      count = std::atoi(argv[i]);
    }
  }
  if (directory.empty() || count < 0) {
    std::fputs("usage: generate_collection DIR [RADIOS] [--csv FILE]\n", stderr);
    return 2;
  }
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

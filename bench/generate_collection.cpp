// Writes a generated collection of N radios as a data directory, for timing loads and saves:
//   generate_collection DIR [N]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "collection/data_file.h"
#include "collection_generator.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: generate_collection DIR [RADIOS]\n", stderr);
    return 2;
  }
  const std::string directory = argv[1];
  const int count = argc > 2 ? std::atoi(argv[2]) : 100000;
  std::filesystem::create_directories(directory);
  const korvel::Collection collection = korvel::bench::GenerateCollection(count);
  if (!korvel::WriteDataFile(directory + "/radata.dat", collection)) return 1;
  std::printf("%s/radata.dat: %d radios, %ju bytes\n", directory.c_str(), collection.radios.Count(),
              static_cast<std::uintmax_t>(std::filesystem::file_size(directory + "/radata.dat")));
  return 0;
}

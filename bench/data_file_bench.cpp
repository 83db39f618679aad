// Loading and saving a 100,000-radio data file, beside the floors of reading and writing the same
// number of bytes.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "collection/data_file.h"
#include "collection_generator.h"
#include "util/message.h"

namespace korvel::bench {
namespace {

constexpr int kRadios = 100000;

// One generated directory for every case of this run.
const std::string& DataDirectory() {
  static const std::string directory = [] {
    const std::string dir = (std::filesystem::temp_directory_path() / "korvel-bench-data").string();
    std::filesystem::create_directories(dir);
    WriteDataFile(dir + "/radata.dat", GenerateCollection(kRadios));
    return dir;
  }();
  return directory;
}

void Quiet() {
  ResetMessages();
  SetMessageOwner(nullptr);
}

void BM_LoadCollection(benchmark::State& state) {
  Quiet();
  const std::string& dir = DataDirectory();
  for (auto _ : state) {
    Collection c;
    LoadOutcome load = LoadCollection(dir, c);
    benchmark::DoNotOptimize(load.opened);
    state.PauseTiming();
    c = Collection{};  // freeing is not part of loading
    state.ResumeTiming();
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(dir + "/radata.dat"));
}
BENCHMARK(BM_LoadCollection)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SaveCollection(benchmark::State& state) {
  Quiet();
  const std::string dir = DataDirectory() + "-save";
  std::filesystem::create_directories(dir);
  std::filesystem::copy_file(DataDirectory() + "/radata.dat", dir + "/radata.dat",
                             std::filesystem::copy_options::overwrite_existing);
  Collection c;
  const LoadOutcome load = LoadCollection(dir, c);
  for (auto _ : state) {
    c.changed = true;
    benchmark::DoNotOptimize(SaveCollection(load.paths, c));
  }
}
BENCHMARK(BM_SaveCollection)->Unit(benchmark::kMillisecond)->Iterations(5);

// Floors: the same bytes read in 1 MiB chunks, and written through a 1 MiB buffer and synced.
void BM_FloorReadBytes(benchmark::State& state) {
  const std::string path = DataDirectory() + "/radata.dat";
  std::string chunk(1 << 20, '\0');
  for (auto _ : state) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    std::size_t total = 0, n;
    while ((n = std::fread(chunk.data(), 1, chunk.size(), f)) > 0) total += n;
    std::fclose(f);
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_FloorReadBytes)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_FloorWriteAndSync(benchmark::State& state) {
  const std::uintmax_t size = std::filesystem::file_size(DataDirectory() + "/radata.dat");
  const std::string path = DataDirectory() + "/floor.tmp";
  const std::string chunk(1 << 20, 'x');
  for (auto _ : state) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    for (std::uintmax_t left = size; left > 0;) {
      const std::size_t n = left < chunk.size() ? static_cast<std::size_t>(left) : chunk.size();
      if (::write(fd, chunk.data(), n) < 0) break;
      left -= n;
    }
    ::fsync(fd);
    ::close(fd);
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_FloorWriteAndSync)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace korvel::bench

BENCHMARK_MAIN();

// Loading and saving a 100,000-radio data file, beside the floors of reading and writing the same
// number of bytes. Each load runs in a child process of its own, as a user's load does: a fresh
// heap whose pages are touched for the first time. The child times itself; its peak memory comes
// from the kernel's accounting of the finished child.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
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
    // Generated in a child, so that this process's heap never holds a large collection.
    const pid_t child = ::fork();
    if (child == 0) _exit(WriteDataFile(dir + "/radata.dat", GenerateCollection(kRadios)) ? 0 : 1);
    int status = 0;
    ::waitpid(child, &status, 0);
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
  double peak = 0;
  for (auto _ : state) {
    int pipe[2];
    if (::pipe(pipe) != 0) {
      state.SkipWithError("no pipe");
      break;
    }
    const pid_t child = ::fork();
    if (child == 0) {
      ::close(pipe[0]);
      const auto start = std::chrono::steady_clock::now();
      Collection* c = new Collection;  // left for the process's end to take back
      const bool opened = LoadCollection(dir, *c).opened;
      const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      const bool sent = ::write(pipe[1], &seconds, sizeof seconds) == sizeof seconds;
      _exit(opened && sent ? 0 : 1);
    }
    ::close(pipe[1]);
    double seconds = 0;
    const bool read = ::read(pipe[0], &seconds, sizeof seconds) == sizeof seconds;
    ::close(pipe[0]);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    if (!read || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the load failed");
      break;
    }
    state.SetIterationTime(seconds);
    peak = std::max(peak, static_cast<double>(usage.ru_maxrss) * 1024);
  }
  const double bytes = static_cast<double>(std::filesystem::file_size(dir + "/radata.dat"));
  state.counters["bytes"] = bytes;
  state.counters["peak_per_byte"] = peak / bytes;
}
BENCHMARK(BM_LoadCollection)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

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

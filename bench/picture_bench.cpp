// Loading a 4000 x 3000 JPEG and copying it to a 500-pixel web image and a 100-pixel thumbnail,
// beside libjpeg doing the same work in-process (DCT-scaled decode, encode at quality 75) and, when
// the IJG command-line tools are installed, `djpeg -scale 1/8 | cjpeg -quality 75` as a whole.
#include <benchmark/benchmark.h>
#include <jpeglib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "pictures/bmp_header.h"
#include "pictures/gal_bitmap.h"
#include "pictures/picture_registry.h"
#include "util/message.h"

namespace korvel::bench {
namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

const std::string& Directory() {
  static const std::string directory = [] {
    const std::string dir = (std::filesystem::temp_directory_path() / "korvel-bench-pictures").string();
    std::filesystem::create_directories(dir);
    return dir;
  }();
  return directory;
}

// A photograph stand-in: smooth gradients with noise, so the encoder has detail to keep.
const std::string& BigJpeg() {
  static const std::string path = [] {
    const std::string file = Directory() + "/big.jpg";
    GalBitmap bitmap;
    const std::size_t rowBytes = GalRowBytes(kWidth);
    const std::size_t n = rowBytes * kHeight + kBmpHeaderSize + kBmpSpare;
    GalReserve(bitmap, n);
    std::memset(bitmap.image.get(), 0, n);
    WriteBmpHeader(bitmap.image.get(), kWidth, kHeight, static_cast<std::uint32_t>(n), 0);
    std::mt19937 random(42);
    std::uniform_int_distribution<int> noise(-24, 24);
    for (int y = 0; y < kHeight; ++y) {
      std::uint8_t* row = bitmap.image.get() + kBmpHeaderSize + static_cast<std::size_t>(y) * rowBytes;
      for (int x = 0; x < kWidth; ++x) {
        const int base[3] = {x * 255 / kWidth, y * 255 / kHeight, (x + y) * 255 / (kWidth + kHeight)};
        for (int c = 0; c < 3; ++c)
          row[x * 3 + c] = static_cast<std::uint8_t>(std::clamp(base[c] + noise(random), 0, 255));
      }
    }
    if (!GalWriteBitmap(file, bitmap)) std::fprintf(stderr, "could not write %s\n", file.c_str());
    return file;
  }();
  return path;
}

void Quiet() {
  ResetMessages();
  SetMessageOwner(nullptr);
}

// A fresh bitmap each time, as for a picture seen for the first time.
void BM_LoadJpeg(benchmark::State& state) {
  Quiet();
  const std::string& file = BigJpeg();
  for (auto _ : state) {
    GalBitmap bitmap;
    benchmark::DoNotOptimize(GalLoadBitmap(file, bitmap));
  }
}
BENCHMARK(BM_LoadJpeg)->Unit(benchmark::kMillisecond)->Iterations(10);

// Into a buffer already the right size, as the bitmap cache reuses its slots.
void BM_LoadJpegReusingBuffer(benchmark::State& state) {
  Quiet();
  const std::string& file = BigJpeg();
  GalBitmap bitmap;
  GalLoadBitmap(file, bitmap);
  for (auto _ : state) benchmark::DoNotOptimize(GalLoadBitmap(file, bitmap));
}
BENCHMARK(BM_LoadJpegReusingBuffer)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_CopyPictureFile(benchmark::State& state) {
  Quiet();
  const std::string& file = BigJpeg();
  const std::string out = Directory() + "/copy.jpg";
  for (auto _ : state) {
    if (!GalCopyPictureFile(file, out, 0, static_cast<int>(state.range(0))))
      state.SkipWithError("copy failed");
  }
}
BENCHMARK(BM_CopyPictureFile)->Arg(500)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(20);

// The same result the plain way: full decode, nearest-neighbour shrink, encode.
void BM_CopyByFullDecode(benchmark::State& state) {
  Quiet();
  const std::string& file = BigJpeg();
  const std::string out = Directory() + "/full.jpg";
  const int size = static_cast<int>(state.range(0));
  for (auto _ : state) {
    GalBitmap picture, shrunk;
    GalLoadBitmap(file, picture);
    GalCompressBitmap(picture, shrunk, size * 1000 / kWidth);
    if (!GalWriteBitmap(out, shrunk)) state.SkipWithError("write failed");
  }
}
BENCHMARK(BM_CopyByFullDecode)->Arg(500)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(10);

// What djpeg and cjpeg do, without their processes and the pipe: decode at 1/8 and encode at 75.
void BM_LibjpegScaledReference(benchmark::State& state) {
  const std::string& file = BigJpeg();
  const std::string out = Directory() + "/reference.jpg";
  for (auto _ : state) {
    std::FILE* in = std::fopen(file.c_str(), "rb");
    jpeg_decompress_struct d;
    jpeg_error_mgr de;
    d.err = jpeg_std_error(&de);
    jpeg_create_decompress(&d);
    jpeg_stdio_src(&d, in);
    jpeg_read_header(&d, TRUE);
    d.scale_num = 1;
    d.scale_denom = 8;
    jpeg_start_decompress(&d);
    const int w = static_cast<int>(d.output_width), h = static_cast<int>(d.output_height);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(w) * h * 3);
    while (d.output_scanline < d.output_height) {
      JSAMPROW row = pixels.data() + static_cast<std::size_t>(d.output_scanline) * w * 3;
      jpeg_read_scanlines(&d, &row, 1);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    std::fclose(in);

    std::FILE* o = std::fopen(out.c_str(), "wb");
    jpeg_compress_struct c;
    jpeg_error_mgr ce;
    c.err = jpeg_std_error(&ce);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, o);
    c.image_width = static_cast<JDIMENSION>(w);
    c.image_height = static_cast<JDIMENSION>(h);
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 75, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
      JSAMPROW row = pixels.data() + static_cast<std::size_t>(c.next_scanline) * w * 3;
      jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::fclose(o);
  }
}
BENCHMARK(BM_LibjpegScaledReference)->Unit(benchmark::kMillisecond)->Iterations(20);

// Resident memory of this process, in megabytes (Linux).
double ResidentMegabytes(const char* field) {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return 0;
  char line[256];
  double kb = 0;
  const std::size_t length = std::strlen(field);
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::strncmp(line, field, length) == 0) kb = std::atof(line + length + 1);
  }
  std::fclose(status);
  return kb / 1024;
}

// The view's picture area: the top right quarter of a 1600 x 1000 view window.
constexpr int kViewCellWidth = 800;
constexpr int kViewCellHeight = 500;

// A 4000 x 3000 photo made ready for the view as the view asks for it: read into its cache slot at
// the size of the picture area. BM_LoadJpeg is what the same step cost when the whole photo was
// decoded and cached.
void BM_PhotoReadyForView(benchmark::State& state) {
  Quiet();
  PictureRegistry registry;
  registry.SetDataDirectory(Directory());
  const int index = registry.Register("big.jpg");
  BigJpeg();
  for (auto _ : state) {
    registry.ForgetBitmap(index);
    if (registry.GetBitmap(index, false, kViewCellWidth, kViewCellHeight) < 0)
      state.SkipWithError("no picture");
  }
}
BENCHMARK(BM_PhotoReadyForView)->Unit(benchmark::kMillisecond)->Iterations(20);

// Every cache slot filled with a different 4000 x 3000 photo shown in the view; the counters give
// this process's resident memory afterwards and at its peak (nothing else of the program is loaded).
void BM_HundredCachedPhotos(benchmark::State& state) {
  Quiet();
  const std::string dir = Directory() + "/hundred";
  std::filesystem::create_directories(dir);
  for (int i = 0; i < kPictureCacheSlots; ++i) {
    const std::string link = dir + "/p" + std::to_string(i) + ".jpg";
    std::error_code ec;
    if (!std::filesystem::exists(link)) std::filesystem::create_symlink(BigJpeg(), link, ec);
  }
  const double before = ResidentMegabytes("VmRSS:");
  for (auto _ : state) {
    PictureRegistry registry;
    registry.SetDataDirectory(dir);
    for (int i = 0; i < kPictureCacheSlots; ++i) {
      const int index = registry.Register("p" + std::to_string(i) + ".jpg");
      if (registry.GetBitmap(index, false, kViewCellWidth, kViewCellHeight) < 0)
        state.SkipWithError("no picture");
    }
    state.counters["cached_MB"] = ResidentMegabytes("VmRSS:") - before;
    state.counters["rss_MB"] = ResidentMegabytes("VmRSS:");
  }
  state.counters["peak_rss_MB"] = ResidentMegabytes("VmHWM:");
}
BENCHMARK(BM_HundredCachedPhotos)->Unit(benchmark::kMillisecond)->Iterations(1);

// The command-line tools as a whole, processes included (skipped where they are not installed).
void BM_DjpegCjpeg(benchmark::State& state) {
  if (std::system("command -v djpeg >/dev/null 2>&1 && command -v cjpeg >/dev/null 2>&1") != 0) {
    state.SkipWithError("djpeg/cjpeg not installed (libjpeg-turbo-progs)");
    return;
  }
  const std::string command =
      "djpeg -scale 1/8 '" + BigJpeg() + "' | cjpeg -quality 75 > '" + Directory() + "/tools.jpg'";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("djpeg | cjpeg failed");
  }
}
BENCHMARK(BM_DjpegCjpeg)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace korvel::bench

BENCHMARK_MAIN();

#include <gtest/gtest.h>

#include <jpeglib.h>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "pictures/gal_bitmap.h"
#include "support/recording_surface.h"
#include "support/temp_dir.h"
#include "support/test_pictures.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

using test::TempDir;

using Colour = test::Rgb;
using test::MakeBitmap;
using test::PixelAt;

Colour Quadrants(int x, int y) {
  if (y < 50) return x < 100 ? Colour{220, 30, 30} : Colour{30, 200, 40};
  return x < 100 ? Colour{20, 40, 230} : Colour{240, 220, 30};
}

TEST(Bitmaps, ShrinkingTakesTheNearestSourcePixel) {
  GalBitmap source = MakeBitmap(3, 3, [](int x, int y) {
    return Colour{static_cast<std::uint8_t>(x * 50), static_cast<std::uint8_t>(y * 50), 7};
  });
  GalBitmap target;
  ASSERT_EQ(GalCompressBitmap(source, target, 500), 1);
  int w = 0, h = 0;
  GalGetBitmapSize(target, w, h);
  EXPECT_EQ(w, 1);
  EXPECT_EQ(h, 1);
  // Stored row 0 is the bottom row: source stored row 0 is picture row 2.
  const Colour c = PixelAt(target, 0, 0);
  EXPECT_EQ(c.r, 0);
  EXPECT_EQ(c.g, 100);

  // Not 24-bit, or a header that promises more rows than the image holds: refused quietly.
  MessageRecorder messages;
  source.image[28] = 8;
  EXPECT_EQ(GalCompressBitmap(source, target, 500), 0);
  source.image[28] = 24;
  source.size = 60;
  EXPECT_EQ(GalCompressBitmap(source, target, 500), 0);
  EXPECT_TRUE(messages.messages().empty());
}

TEST(Bitmaps, JpegRoundTripKeepsColoursAndSizes) {
  TempDir dir;
  const GalBitmap original = MakeBitmap(200, 100, Quadrants);
  ASSERT_EQ(GalWriteBitmap(dir / "quad.jpg", original), 1);
  GalBitmap back;
  ASSERT_EQ(GalLoadBitmap(dir / "quad.jpg", back), 1);
  int w = 0, h = 0;
  ASSERT_TRUE(GalGetBitmapSize(back, w, h));
  EXPECT_EQ(w, 200);
  EXPECT_EQ(h, 100);
  for (const auto& [x, y] : {std::pair{20, 20}, {180, 20}, {20, 80}, {180, 80}}) {
    const Colour want = Quadrants(x, y);
    const Colour got = PixelAt(back, x, y);
    EXPECT_NEAR(got.r, want.r, 12) << x << "," << y;
    EXPECT_NEAR(got.g, want.g, 12) << x << "," << y;
    EXPECT_NEAR(got.b, want.b, 12) << x << "," << y;
  }

  // BMP files are kept byte for byte.
  ASSERT_EQ(GalWriteBitmap(dir.path().string() + "\\sub\\quad.bmp", original), 1);
  GalBitmap bmp;
  ASSERT_EQ(GalLoadBitmap(dir / "sub/quad.bmp", bmp), 1);
  ASSERT_EQ(bmp.size, original.size);
  EXPECT_EQ(std::memcmp(bmp.image.get(), original.image.get(), bmp.size), 0);
}

Colour Halves(int x, int) {
  return x < 800 ? Colour{230, 20, 20} : Colour{20, 20, 230};
}

TEST(Bitmaps, ShrunkJpegCopiesHaveTheSizeOfAFullDecode) {
  TempDir dir;
  ASSERT_EQ(GalWriteBitmap(dir / "odd.jpg", MakeBitmap(1601, 1203, Halves)), 1);
  struct Case {
    int mode, size, width, height;
  };
  // Mode 0 fits the larger side (scale = size * 1000 / 1601); mode 1 is the scale itself.
  for (const Case c : {Case{0, 100, 99, 74}, Case{0, 500, 499, 375}, Case{0, 2000, 1601, 1203},
                       Case{1, 333, 533, 400}, Case{1, 999, 1599, 1201}, Case{1, 1000, 1601, 1203}}) {
    ASSERT_EQ(GalCopyPictureFile(dir / "odd.jpg", dir / "out.bmp", c.mode, c.size), 1) << c.size;
    GalBitmap b;
    ASSERT_EQ(GalLoadBitmap(dir / "out.bmp", b), 1);
    int w = 0, h = 0;
    GalGetBitmapSize(b, w, h);
    EXPECT_EQ(w, c.width) << c.mode << " " << c.size;
    EXPECT_EQ(h, c.height) << c.mode << " " << c.size;
    EXPECT_GT(PixelAt(b, w / 4, h / 2).r, 180);
    EXPECT_GT(PixelAt(b, w * 3 / 4, h / 2).b, 180);
    EXPECT_TRUE(GalIs24Bit(b));
  }
  // No directories are made for a copy, and only pictures are copied.
  EXPECT_EQ(GalCopyPictureFile(dir / "odd.jpg", dir / "web/odd.jpg", 0, 500), 0);
  EXPECT_EQ(GalCopyPictureFile(dir / "missing.jpg", dir / "x.jpg", 0, 500), 0);
  EXPECT_EQ(GalCopyPictureFile(dir / "odd.jpg", dir / "x.htm", 0, 500), 0);
}

TEST(Bitmaps, AFailedWriteLeavesTheOldFile) {
  TempDir dir;
  ASSERT_EQ(GalWriteBitmap(dir / "keep.jpg", MakeBitmap(20, 10, Quadrants)), 1);
  const std::string before = test::ReadFile(dir / "keep.jpg");
  std::filesystem::create_directories(dir / "keep.jpg.part");  // nowhere to write the new picture
  EXPECT_EQ(GalWriteBitmap(dir / "keep.jpg", MakeBitmap(40, 10, Quadrants)), 0);
  EXPECT_EQ(test::ReadFile(dir / "keep.jpg"), before);
  GalBitmap notTwentyFour = MakeBitmap(4, 4, Quadrants);
  notTwentyFour.image[28] = 8;
  EXPECT_EQ(GalWriteBitmap(dir / "bad.jpg", notTwentyFour), 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "bad.jpg.part"));
  EXPECT_FALSE(std::filesystem::exists(dir / "bad.jpg"));
}

TEST(Bitmaps, BmpFilesWhoseHeadersDoNotHoldFailToLoad) {
  TempDir dir;
  ASSERT_EQ(GalWriteBitmap(dir / "good.bmp", MakeBitmap(30, 20, Quadrants)), 1);
  const std::string good = test::ReadFile(dir / "good.bmp");
  GalBitmap b;
  ASSERT_EQ(GalLoadBitmap(dir / "good.bmp", b), 1);
  auto put32 = [](std::string& bytes, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(v >> (8 * i));
  };
  std::vector<std::pair<const char*, std::string>> bad;
  bad.emplace_back("cut in the rows", good.substr(0, good.size() / 2));
  bad.emplace_back("cut in the headers", good.substr(0, 40));
  std::string tall = good;
  put32(tall, 22, 5000);  // more rows than the file holds
  bad.emplace_back("too tall", tall);
  std::string offset = good;
  put32(offset, 10, 0x7fffffff);  // pixels past the end
  bad.emplace_back("offset past the end", offset);
  std::string depth = good;
  depth[28] = 7;
  bad.emplace_back("no such depth", depth);
  std::string wide = good;
  put32(wide, 18, 0x80000000u);  // a negative width
  bad.emplace_back("negative width", wide);
  for (const auto& [what, bytes] : bad) {
    test::WriteFile(dir / "bad.bmp", bytes);
    EXPECT_EQ(GalLoadBitmap(dir / "bad.bmp", b), 0) << what;
    EXPECT_EQ(b.size, 0u) << what;
  }
}

TEST(Bitmaps, DamagedAndUnusualJpegsFailOrLoadWithoutCrashing) {
  TempDir dir;
  MessageRecorder messages;
  GalWriteBitmap(dir / "good.jpg", MakeBitmap(64, 48, Quadrants));
  const std::string good = test::ReadFile(dir / "good.jpg");
  GalBitmap b;
  for (std::size_t cut : {0u, 2u, 100u, 300u}) {
    test::WriteFile(dir / "cut.jpg", good.substr(0, cut));
    EXPECT_EQ(GalLoadBitmap(dir / "cut.jpg", b), 0) << cut;
  }
  std::string garbled = good;
  for (std::size_t i = 200; i < garbled.size(); i += 7) garbled[i] = static_cast<char>(garbled[i] ^ 0x5A);
  test::WriteFile(dir / "garbled.jpg", garbled);
  GalLoadBitmap(dir / "garbled.jpg", b);  // may decode to noise; must not end the program
  test::WriteFile(dir / "text.jpg", "not a picture at all");
  EXPECT_EQ(GalLoadBitmap(dir / "text.jpg", b), 0);

  // A greyscale JPEG comes in as three components of the same value.
  {
    std::FILE* file = std::fopen((dir / "grey.jpg").c_str(), "wb");
    jpeg_compress_struct info;
    jpeg_error_mgr err;
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = 5;
    info.image_height = 3;
    info.input_components = 1;
    info.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    std::uint8_t row[5] = {128, 128, 128, 128, 128};
    for (int y = 0; y < 3; ++y) {
      JSAMPROW rows[1] = {row};
      jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
  }
  ASSERT_EQ(GalLoadBitmap(dir / "grey.jpg", b), 1);
  EXPECT_TRUE(GalIs24Bit(b));
  const Colour grey = PixelAt(b, 2, 1);
  EXPECT_NEAR(grey.r, 128, 3);
  EXPECT_EQ(grey.r, grey.b);
  EXPECT_TRUE(messages.messages().empty());
}

TEST(Bitmaps, DrawingFitsAndCentresEnlargingOnlyOnThePrinter) {
  test::RecordingSurface recording(800, 600);
  const GalBitmap bitmap = MakeBitmap(100, 50, Quadrants);
  ASSERT_EQ(GalDrawBitmap(recording.surface(), bitmap, {0, 0, 400, 400}), 1);
  ASSERT_EQ(GalDrawBitmap(recording.surface(), bitmap, {0, 0, 50, 50}), 1);
  const auto draws = recording.OpsOf<test::BitmapOp>();
  ASSERT_EQ(draws.size(), 2u);
  // Device rows count down from the top of the 600-pixel surface.
  EXPECT_EQ(draws[0].destination.left, 150);
  EXPECT_EQ(draws[0].destination.right - draws[0].destination.left, 100);
  EXPECT_EQ(draws[0].destination.bottom - draws[0].destination.top, 50);
  EXPECT_EQ(draws[0].destination.bottom, 600 - 175);
  EXPECT_EQ(draws[1].destination.right - draws[1].destination.left, 50);
  EXPECT_EQ(draws[1].destination.bottom - draws[1].destination.top, 25);
  EXPECT_EQ(draws[1].destination.bottom, 600 - 12);

  // The printer's page is laid out for the page: there the picture fills its place.
  recording.surface().SetOnPrinter(true);
  ASSERT_EQ(GalDrawBitmap(recording.surface(), bitmap, {0, 0, 400, 400}), 1);
  const test::BitmapOp printed = recording.OpsOf<test::BitmapOp>().back();
  EXPECT_EQ(printed.destination.right - printed.destination.left, 400);
  EXPECT_EQ(printed.destination.bottom - printed.destination.top, 200);
  recording.surface().SetOnPrinter(false);

  MessageRecorder messages;
  GalBitmap empty;
  EXPECT_EQ(GalDrawBitmap(recording.surface(), empty, {0, 0, 50, 50}), 0);
  int w = 1, h = 1;
  EXPECT_FALSE(GalGetBitmapSize(empty, w, h));
  EXPECT_EQ(w + h, 0);
  EXPECT_EQ(messages.Texts(),
            (std::vector<std::string>{"Bad bitmap information.", "Bad bitmap information."}));
}

}  // namespace
}  // namespace korvel

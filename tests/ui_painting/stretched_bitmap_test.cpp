// Pictures given as BMP file images, stretched into device areas by nearest neighbour, and damaged
// pictures refused with a reason.
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "draw/palette.h"
#include "painting_support.h"
#include "ui/painting/bmp_image.h"

namespace korvel::ui::test {
namespace {

using draw::Rgb;

// A 4 x 2 picture with eight different colours, so every source pixel can be recognised.
Rgb Checker(int x, int y) {
  return {static_cast<std::uint8_t>(40 * x + 10), static_cast<std::uint8_t>(y ? 200 : 50),
          static_cast<std::uint8_t>(255 - 30 * x)};
}

draw::BitmapResult Draw(PaintedWindow& window, const std::vector<std::uint8_t>& bmp, draw::Rect where) {
  return window.surface.DrawBitmap(where, {bmp});
}

// Whatever the two sizes, every pixel of the area shows the picture's pixel at its place scaled
// down (the nearest neighbour), the picture's top row on top, and nothing is drawn beside the area.
RC_GTEST_PROP(StretchedBitmap, EveryPixelIsThePicturesPixelAtItsScaledPlace, ()) {
  const int width = *rc::gen::inRange(1, 7), height = *rc::gen::inRange(1, 7);
  const int across = *rc::gen::inRange(1, 15), down = *rc::gen::inRange(1, 15);
  const auto colour = [](int x, int y) {
    return Rgb{static_cast<std::uint8_t>(30 * x + 5), static_cast<std::uint8_t>(30 * y + 5), 77};
  };
  PaintedWindow window(16, 16);
  // Surface y from 16 - down up to 16 is device rows 0 .. down - 1.
  RC_ASSERT(Draw(window, MakeBmp24(width, height, colour), {0, 16 - down, across, 16}).drawn);
  const QImage image = window.image();
  for (int y = 0; y < down; ++y) {
    for (int x = 0; x < across; ++x)
      RC_ASSERT(PixelAt(image, x, y) == colour(x * width / across, y * height / down));
  }
  RC_ASSERT(PixelAt(image, across, 0) == Palette(draw::kWhite));
  RC_ASSERT(PixelAt(image, 0, down) == Palette(draw::kWhite));
}

TEST(StretchedBitmap, StoredLayoutsAllShowTheSamePicture) {
  // Top-left red, top-right green, bottom-left blue, bottom-right white, in every layout; the
  // two-colour picture shows white and red over red and white.
  const Rgb red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255}, white{255, 255, 255};
  const std::vector<Rgb> palette{red, green, blue, white};
  // An OS/2 core header: 16-bit sizes and three-byte colours.
  std::vector<std::uint8_t> core = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 14 + 12 + 12, 0, 0, 0, 12, 0,
                                    0,   0,   2, 0, 2, 0, 1, 0, 8, 0};
  for (const Rgb& c : palette) core.insert(core.end(), {c.blue, c.green, c.red});
  core.insert(core.end(), {2, 3, 0, 0, 0, 1, 0, 0});
  // Rows are stored bottom row first unless the height is negative.
  const struct {
    const char* name;
    std::vector<std::uint8_t> bmp;
    std::vector<Rgb> shown = {};  // the four colours unless given
  } pictures[] = {
      {"24-bit top-down", MakeBmp({2, -2, 24, 0, {}, {}, {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0}})},
      {"8-bit", MakeBmp({2, 2, 8, 0, palette, {}, {2, 3, 0, 0, 0, 1, 0, 0}})},
      {"4-bit", MakeBmp({2, 2, 4, 0, palette, {}, {0x23, 0, 0, 0, 0x01, 0, 0, 0}})},
      // Runs, ends of lines, the end of the picture.
      {"8-bit run-length", MakeBmp({2, 2, 8, 1, palette, {}, {1, 2, 1, 3, 0, 0, 1, 0, 1, 1, 0, 0, 0, 1}})},
      {"4-bit run-length", MakeBmp({2, 2, 4, 2, palette, {}, {2, 0x23, 0, 0, 2, 0x01, 0, 1}})},
      {"16-bit 5-5-5", MakeBmp({2, 2, 16, 0, {}, {}, {0x1F, 0x00, 0xFF, 0x7F, 0x00, 0x7C, 0xE0, 0x03}})},
      {"16-bit 5-6-5 bit fields",
       MakeBmp({2, 2, 16, 3, {}, {0xF800, 0x07E0, 0x001F}, {0x1F, 0x00, 0xFF, 0xFF, 0x00, 0xF8, 0xE0, 0x07}})},
      {"32-bit", MakeBmp({2, 2, 32, 0, {}, {}, {255, 0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 0, 0, 255, 0, 0}})},
      {"1-bit", MakeBmp({2, 2, 1, 0, {red, white}, {}, {0x40, 0, 0, 0, 0x80, 0, 0, 0}}), {white, red, red, white}},
      {"core header", core},
  };
  for (const auto& [name, bmp, shown] : pictures) {
    PaintedWindow window(10, 10);
    const draw::BitmapResult result = Draw(window, bmp, {0, 8, 2, 10});
    EXPECT_TRUE(result.drawn) << name << ": " << result.error;
    const QImage image = window.image();
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(PixelAt(image, i % 2, i / 2), (shown.empty() ? palette : shown)[i]) << name << ": the pixel at " << i % 2 << "," << i / 2;
  }
}

// A 7 x 5 run-length picture: runs, a literal, a jump, a run past the row's end, missing rows.
BmpSpec RunLengthPicture() {
  return {7, 5, 8, 1, {{0, 0, 0}, {255, 0, 0}, {0, 0, 255}}, {},
          {3, 1, 0, 3, 2, 1, 2, 0, 0, 0, 0, 2, 3, 1, 7, 2, 0, 0, 5, 1, 0, 0, 0, 1}};
}

TEST(StretchedBitmap, RunLengthEscapesPlacePixelsWhereTheyBelong) {
  PaintedWindow window(10, 10);
  ASSERT_TRUE(Draw(window, MakeBmp(RunLengthPicture()), {0, 5, 7, 10}).drawn);
  const QImage image = window.image();
  auto row = [&](int y) {
    std::string pixels;
    for (int x = 0; x < 7; ++x) {
      const Rgb c = PixelAt(image, x, y);
      pixels += c == Rgb{255, 0, 0} ? 'r' : c == Rgb{0, 0, 255} ? 'b' : c == Rgb{0, 0, 0} ? '.' : '?';
    }
    return pixels;
  };
  EXPECT_EQ(row(4), "rrrbrb.");  // the first stored row is the bottom one
  EXPECT_EQ(row(3), ".......");  // jumped over
  EXPECT_EQ(row(2), "...bbbb");  // the jump's column; the run is cut at the row's end
  EXPECT_EQ(row(1), "rrrrr..");
  EXPECT_EQ(row(0), ".......");  // ended before this row
}

TEST(StretchedBitmap, PartsOutsideTheWindowAreCutOff) {
  PaintedWindow window(20, 20);
  const auto bmp = MakeBmp24(4, 4, [](int, int) { return Rgb{9, 99, 199}; });
  EXPECT_TRUE(Draw(window, bmp, {-2000, -3000, 2010, 2010}).drawn);  // covers the window and far beyond
  EXPECT_EQ(PixelAt(window.image(), 19, 19), (Rgb{9, 99, 199}));
  EXPECT_TRUE(Draw(window, bmp, {30, 30, 40, 40}).drawn);  // wholly outside
  EXPECT_TRUE(Draw(window, bmp, {5, 5, 5, 9}).drawn);      // no width: nothing to cover
}

TEST(StretchedBitmap, DamagedPicturesGiveAReasonAndDrawNothing) {
  const auto good = MakeBmp24(4, 3, Checker);  // rows of 12 bytes: no padding to forgive
  struct Case {
    std::string name;
    std::vector<std::uint8_t> bmp;
    std::string reason;
  };
  std::vector<Case> cases;
  cases.push_back({"empty", {}, "not a BMP"});
  cases.push_back({"JPEG data",
                   {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1},
                   "not a BMP"});
  cases.push_back({"truncated rows", {good.begin(), good.end() - 1}, "truncated"});
  cases.push_back({"truncated header", {good.begin(), good.begin() + 30}, "truncated"});
  auto patched = [&](std::size_t at, std::vector<std::uint8_t> bytes) {
    auto bmp = good;
    std::copy(bytes.begin(), bytes.end(), bmp.begin() + static_cast<std::ptrdiff_t>(at));
    return bmp;
  };
  cases.push_back({"huge width", patched(18, {0xFF, 0xFF, 0xFF, 0x7F}), "not usable"});
  cases.push_back({"zero height", patched(22, {0, 0, 0, 0}), "not usable"});
  cases.push_back({"most negative height", patched(22, {0, 0, 0, 0x80}), "not usable"});
  cases.push_back({"7 bits per pixel", patched(28, {7, 0}), "bits per pixel"});
  cases.push_back({"JPEG compression", patched(30, {4, 0, 0, 0}), "compression"});
  cases.push_back({"header size", patched(14, {41, 0, 0, 0}), "header size"});
  cases.push_back({"pixel offset", patched(10, {0xF0, 0xFF, 0, 0}), "offset"});
  cases.push_back({"rows claimed but absent", patched(22, {0, 1, 0, 0}), "truncated"});
  const BmpSpec table{2, 2, 8, 0, {{1, 2, 3}}, {}, {}};
  auto shortTable = MakeBmp(table);
  shortTable[46] = 200;  // claims 200 colours
  cases.push_back({"colour table", shortTable, "colour table"});
  BmpSpec runs = table;
  runs.compression = 1;
  runs.pixels = {2, 0, 0, 0};  // one row, then the data ends
  cases.push_back({"run-length data ends early", MakeBmp(runs), "compressed pixel data ends"});

  for (const Case& c : cases) {
    PaintedWindow window(10, 10);
    const draw::BitmapResult result = Draw(window, c.bmp, {0, 0, 10, 10});
    EXPECT_FALSE(result.drawn) << c.name;
    EXPECT_NE(result.error.find(c.reason), std::string::npos) << c.name << ": " << result.error;
    EXPECT_EQ(DarkPixels(window.image(), 0, 10, 0, 10), 0) << c.name;
  }
}

TEST(StretchedBitmap, EveryCutAndRandomDamageIsRefusedOrDrawnSafely) {
  const std::vector<std::vector<std::uint8_t>> originals = {MakeBmp24(4, 3, Checker),
                                                            MakeBmp(RunLengthPicture())};
  std::mt19937 random(1937);
  for (const auto& original : originals) {
    for (std::size_t length = 0; length + 2 < original.size(); ++length) {
      PaintedWindow window(12, 12);
      const std::vector<std::uint8_t> cut(original.begin(),
                                          original.begin() + static_cast<std::ptrdiff_t>(length));
      const draw::BitmapResult result = Draw(window, cut, {0, 0, 12, 12});
      EXPECT_FALSE(result.drawn) << "cut at " << length;
      EXPECT_FALSE(result.error.empty()) << "cut at " << length;
    }
    for (int round = 0; round < 2000; ++round) {
      auto damaged = original;
      for (int i = 0; i < 3; ++i) damaged[random() % damaged.size()] = static_cast<std::uint8_t>(random());
      PaintedWindow window(12, 12);
      const draw::BitmapResult result = Draw(window, damaged, {0, 0, 12, 12});
      EXPECT_EQ(result.drawn, result.error.empty());
    }
  }
}

}  // namespace
}  // namespace korvel::ui::test

// Pixels in a window's backing image: what the surface draws and the pictures stretched into it.
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <QImage>
#include <QPainter>
#include <atomic>
#include <cstdint>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "draw/palette.h"
#include "draw/surface.h"
#include "painting_support.h"
#include "ui/painting/bmp_image.h"

namespace korvel::ui::test {
namespace {

using draw::Rgb;

// Drawing through the surface into a window's backing image, checked pixel by pixel.
const Rgb kWhitePixel = Palette(draw::kWhite);

// A filled rectangle takes both corners, given in either order; a closed outline sets every corner;
// two figures of one fill leave their overlap as a hole, and the fill leaves out its far column; a
// filled wedge from the x axis counter-clockwise covers its quarter only.
TEST(SurfacePixels, RectanglesOutlinesFillsAndWedgesCoverTheirPixels) {
  PaintedWindow window(200, 200);
  draw::Surface& s = window.surface;
  s.FillRectangle(19, 129, 10, 110, draw::kRed);  // surface y 110..129 are device rows 71..90
  s.SetColour(draw::kBlue);
  s.MoveTo(50, 110);
  for (const auto& [x, y] : {std::pair{70, 110}, {70, 130}, {50, 130}, {50, 110}}) s.LineTo(x, y);
  s.SetColour(draw::kMaroon);
  s.BeginFill();
  s.MoveTo(110, 110);
  for (const auto& [x, y] : {std::pair{160, 110}, {160, 160}, {110, 160}}) s.LineTo(x, y);
  s.MoveTo(140, 140);
  for (const auto& [x, y] : {std::pair{190, 140}, {190, 190}, {140, 190}}) s.LineTo(x, y);
  s.EndFill();
  s.SetColour(draw::kGreen);
  s.FilledPieWedge({100, 50}, 50, 0, 90);  // device rows 150 up to 100
  const QImage image = window.image();
  const Rgb red = Palette(draw::kRed), blue = Palette(draw::kBlue), maroon = Palette(draw::kMaroon);
  const Rgb green = Palette(draw::kGreen);
  const struct {
    int x, row;
    Rgb colour;
    const char* what;
  } pixels[] = {
      {10, 71, red, "the rectangle's top left"},       {19, 90, red, "the rectangle's bottom right"},
      {20, 80, kWhitePixel, "right of the rectangle"}, {9, 80, kWhitePixel, "left of the rectangle"},
      {15, 70, kWhitePixel, "above the rectangle"},    {15, 91, kWhitePixel, "below the rectangle"},
      {50, 90, blue, "the outline's first corner"},    {70, 90, blue, "the outline's second corner"},
      {70, 70, blue, "the outline's third corner"},    {50, 70, blue, "the outline's last corner"},
      {60, 80, kWhitePixel, "inside the outline"},     {120, 80, maroon, "the first filled square"},
      {180, 20, maroon, "the second filled square"},   {150, 50, kWhitePixel, "the squares' overlap"},
      {110, 89, maroon, "the fill's first column"},    {160, 80, kWhitePixel, "the fill's far column"},
      {120, 130, green, "inside the wedge"},           {101, 149, green, "the wedge's corner"},
      {133, 117, green, "the arc at 45 degrees"},      {138, 112, kWhitePixel, "beyond the arc"},
      {80, 130, kWhitePixel, "left of the wedge"},     {120, 170, kWhitePixel, "below the wedge"},
      {149, 149, green, "the wedge's edge"},           {151, 149, kWhitePixel, "right of the wedge"}};
  for (const auto& p : pixels)
    EXPECT_EQ(PixelAt(image, p.x, p.row), p.colour) << p.what << ", device pixel " << p.x << "," << p.row;
}

TEST(SurfacePixels, ClearCoversTheBoundsAndEveryPaletteColourIsExact) {
  PaintedWindow window(160, 20);
  window.surface.SetWindowColours(draw::kNearWhite, draw::kBlack, draw::kYellow);
  window.surface.Clear();
  EXPECT_EQ(PixelAt(window.image(), 0, 0), Palette(draw::kNearWhite));
  EXPECT_EQ(PixelAt(window.image(), 159, 19), Palette(draw::kNearWhite));

  for (int i = 0; i < draw::kPaletteSize; ++i) window.surface.FillRectangle(i * 10, 0, i * 10 + 9, 19, i);
  window.surface.FillRectangle(0, 0, 5, 5, 16);  // outside the palette: nothing
  const QImage image = window.image();
  for (int i = 0; i < draw::kPaletteSize; ++i) {
    EXPECT_EQ(PixelAt(image, i * 10 + 5, 10), Palette(i)) << "palette index " << i;
  }
  EXPECT_EQ(PixelAt(image, 2, 18), Palette(draw::kBlack));
}

TEST(SurfacePixels, LinesLeaveOutTheirEndPixelInEveryDirection) {
  PaintedWindow window(60, 60);
  draw::Surface& s = window.surface;
  // Right, down, diagonally down, up, left, and steeply up and right; device row = 60 - y.
  for (const auto& [from, to] : {std::pair{draw::Point{5, 50}, draw::Point{15, 50}},
                                 {{30, 50}, {30, 40}},
                                 {{40, 30}, {50, 20}},
                                 {{20, 5}, {20, 15}},
                                 {{15, 2}, {5, 2}},
                                 {{40, 5}, {42, 15}}}) {
    s.MoveTo(from.x, from.y);
    s.LineTo(to.x, to.y);
  }
  const QImage image = window.image();
  // Device pixels: each line's first and last pixel are set, the end point and its neighbours not.
  const struct {
    int x, y;
    bool dark;
  } pixels[] = {{20, 55, true}, {20, 46, true},  {20, 45, false}, {15, 58, true},  {6, 58, true},
                {5, 58, false}, {40, 55, true},  {42, 46, true},  {42, 45, false}, {5, 10, true},
                {14, 10, true}, {15, 10, false}, {14, 9, false},  {14, 11, false}, {30, 10, true},
                {30, 19, true}, {30, 20, false}, {40, 30, true},  {49, 39, true},  {50, 40, false}};
  for (const auto& p : pixels) EXPECT_EQ(IsDark(image, p.x, p.y), p.dark) << p.x << "," << p.y;
  EXPECT_EQ(DarkPixels(image, 38, 45, 44, 57), 10);
}

TEST(SurfacePixels, FarOffLinesAreCutToTheWindow) {
  PaintedWindow window(50, 50);
  draw::Surface& s = window.surface;
  s.MoveTo(-1000000000, -1000000000);
  s.LineTo(1000000000, 1000000000);  // y = x: device row 50 - x
  s.MoveTo(-2000000000, 2000000000);
  s.LineTo(2000000000, 2000000000);  // far above the window
  const QImage image = window.image();
  EXPECT_TRUE(IsDark(image, 10, 40));
  EXPECT_TRUE(IsDark(image, 49, 1));
  EXPECT_EQ(DarkPixels(image, 0, 50, 0, 50), 49);
}

// The pixels of a horizontal line as '#' and '.'.
std::string Pattern(const QImage& image, int row, int from, int to) {
  std::string pattern;
  for (int x = from; x < to; ++x) pattern += IsDark(image, x, row) ? '#' : '.';
  return pattern;
}

TEST(SurfacePixels, PenStylesDashAndWidthsThicken) {
  PaintedWindow window(100, 100);
  draw::Surface& s = window.surface;
  const int styles[] = {draw::kLineSolid,   draw::kLineDash,       draw::kLineDot,
                        draw::kLineDashDot, draw::kLineDashDotDot, draw::kLineInvisible};
  for (int i = 0; i < 6; ++i) {
    s.SetLineStyle(styles[i]);
    s.MoveTo(0, 90 - 10 * i);
    s.LineTo(60, 90 - 10 * i);
  }
  s.SetLineStyle(draw::kLineSolid);
  s.SetLineWidth(3);
  s.MoveTo(70, 50);
  s.LineTo(90, 50);
  const QImage image = window.image();
  EXPECT_EQ(Pattern(image, 10, 0, 61), std::string(60, '#') + ".");
  EXPECT_EQ(Pattern(image, 20, 0, 30), std::string(18, '#') + "......" + "######");
  EXPECT_EQ(Pattern(image, 30, 0, 14), "###...###...##");
  EXPECT_EQ(Pattern(image, 40, 0, 30), "#########......###......######");
  EXPECT_EQ(Pattern(image, 50, 0, 27), "#########...###...###...###");
  EXPECT_EQ(Pattern(image, 60, 0, 60), std::string(60, '.'));
  // Width 3: three rows around the line, still ending before its end point.
  std::string column;
  for (int row = 48; row <= 52; ++row) column += IsDark(image, 80, row) ? '#' : '.';
  EXPECT_EQ(column, ".###.");
  EXPECT_EQ(Pattern(image, 50, 88, 91), "##.");
}

TEST(SurfacePixels, TextSitsOnItsBaselineAndAdvancesByTheCharacterWidth) {
  PaintedWindow window(300, 100);
  draw::Surface& s = window.surface;
  ASSERT_EQ(s.CharWidth(), 10);  // Liberation Mono at 16 pixels
  const std::string text(20, 'H');
  s.DrawText({10, 50}, text);  // baseline on device row 50
  EXPECT_EQ(s.CurrentPoint(), (draw::Point{10 + 20 * 10, 50}));
  const QImage image = window.image();

  // 'H' stands on the baseline: ink down to the row above it, none below.
  EXPECT_EQ(DarkBox(image, 0, 300, 0, 100).bottom(), 49);
  // Every character is exactly one character width further on: the 20th H is drawn as the first,
  // 19 widths to the right, and the text ends within its 20 widths.
  const int first = DarkBox(image, 10, 20, 30, 50).left();
  const int last = DarkBox(image, 10 + 19 * 10, 10 + 20 * 10, 30, 50).left();
  ASSERT_GE(first, 10);
  EXPECT_EQ(last - first, 19 * 10);
  EXPECT_LT(DarkBox(image, 0, 300, 30, 50).right(), 10 + 20 * 10);
}

TEST(SurfacePixels, TextBackgroundFillsTheCharacterCells) {
  PaintedWindow window(200, 100);
  draw::Surface& s = window.surface;
  const draw::Font font = s.fonts()[0];
  const int ascent = font.lineHeight - font.descent;
  s.SetTextBackground(draw::kYellow);
  s.SetColour(draw::kBlue);
  s.DrawText({20, 40}, "  ");  // blanks show only the background
  s.SetTextBackground(draw::kNoBackground);
  s.DrawText({100, 40}, "  ");
  const QImage image = window.image();
  const int baseline = 60;
  EXPECT_EQ(PixelAt(image, 20, baseline - ascent), Palette(draw::kYellow));
  EXPECT_EQ(PixelAt(image, 20 + 2 * font.charWidth - 1, baseline + font.descent - 1), Palette(draw::kYellow));
  EXPECT_EQ(PixelAt(image, 20 + 2 * font.charWidth, baseline), kWhitePixel);
  EXPECT_EQ(PixelAt(image, 20, baseline - ascent - 1), kWhitePixel);
  EXPECT_EQ(PixelAt(image, 20, baseline + font.descent), kWhitePixel);
  EXPECT_EQ(DarkPixels(image, 90, 130, 30, 80), 0);
  EXPECT_EQ(PixelAt(image, 105, baseline - 2), kWhitePixel);
}

TEST(SurfacePixels, TextIsShownAsUtf8) {
  PaintedWindow window(200, 60);
  window.surface.DrawText({10, 30}, "\xC3\xA9\xC3\xA9");  // two e-acute in UTF-8: two cells
  window.surface.DrawText({100, 30}, "\xE9\xE9");         // the same in Windows-1252
  const QImage image = window.image();
  const int utf8Ink = DarkPixels(image, 0, 60, 0, 60);
  const int latinInk = DarkPixels(image, 90, 150, 0, 60);
  EXPECT_GT(utf8Ink, 0);
  EXPECT_EQ(utf8Ink, latinInk);
  EXPECT_LT(DarkBox(image, 0, 60, 0, 60).right(), 10 + 2 * 10);
}

TEST(SurfacePixels, ScrollMovesContentsAndReportsWhatIsLeftStale) {
  PaintedWindow window(100, 40);
  std::vector<std::pair<QRect, bool>> reports;
  window.device.SetChangeListener(
      [&](const QRect& area, bool uncovered) { reports.emplace_back(area, uncovered); });
  window.surface.FillRectangle(0, 0, 9, 39, draw::kRed);
  reports.clear();
  window.surface.Scroll(20, 0, {0, 0, 50, 40});  // right by 20 within the left half
  const QImage image = window.image();
  EXPECT_EQ(PixelAt(image, 25, 10), Palette(draw::kRed));
  EXPECT_EQ(PixelAt(image, 30, 10), kWhitePixel);
  EXPECT_EQ(PixelAt(image, 5, 10), Palette(draw::kRed));  // uncovered: old contents until redrawn
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0], std::make_pair(QRect(0, 0, 50, 40), false));
  EXPECT_EQ(reports[1], std::make_pair(QRect(0, 0, 20, 40), true));

  reports.clear();
  window.surface.Scroll(0, 10, {50, 0, 100, 40});  // up by 10: the bottom rows are left stale
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[1], std::make_pair(QRect(50, 30, 50, 10), true));
}

TEST(BackingImage, ResizeKeepsThePictureAndBlitCopiesAnArea) {
  PaintedWindow window(40, 40);
  window.surface.FillRectangle(0, 0, 39, 39, draw::kNavy);
  window.device.Resize(QSize(60, 30), Palette(draw::kYellow));
  QImage image = window.image();
  EXPECT_EQ(image.size(), QSize(60, 30));
  EXPECT_EQ(PixelAt(image, 39, 29), Palette(draw::kNavy));
  EXPECT_EQ(PixelAt(image, 40, 0), Palette(draw::kYellow));

  QImage screen(60, 30, QImage::Format_RGB32);
  screen.fill(Qt::black);
  {
    QPainter painter(&screen);
    window.device.Blit(painter, QRect(30, 0, 100, 100));  // clipped to the image
  }
  EXPECT_EQ(PixelAt(screen, 10, 10), Palette(draw::kBlack));
  EXPECT_EQ(PixelAt(screen, 35, 10), Palette(draw::kNavy));
  EXPECT_EQ(PixelAt(screen, 45, 10), Palette(draw::kYellow));
}

TEST(BackingImage, ASecondThreadDrawsWhileTheFirstBlits) {
  PaintedWindow window(120, 120);
  std::atomic<bool> done{false};
  std::atomic<int> blits{0};
  std::thread tour([&] {
    // Start once the first thread is blitting, so that the two really overlap.
    while (blits == 0) std::this_thread::yield();
    for (int i = 0; i < 300; ++i) {
      window.surface.FillRectangle(0, 0, 119, 119, i % 2 ? draw::kRed : draw::kBlue);
      window.surface.DrawText({5, 60}, "Philco");
    }
    done = true;
  });
  QImage screen(120, 120, QImage::Format_RGB32);
  while (!done) {
    QPainter painter(&screen);
    window.device.Blit(painter, screen.rect());
    ++blits;
  }
  tour.join();
  {
    QPainter painter(&screen);
    window.device.Blit(painter, screen.rect());
  }
  EXPECT_EQ(screen, window.image().convertToFormat(screen.format()));
  EXPECT_EQ(PixelAt(screen, 110, 110), Palette(draw::kRed));  // the last fill, whole
}

// Pictures given as BMP file images, stretched into device areas by nearest neighbour, and damaged
// pictures refused with a reason.
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
      {"24-bit top-down",
       MakeBmp({2, -2, 24, 0, {}, {}, {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0}})},
      {"8-bit", MakeBmp({2, 2, 8, 0, palette, {}, {2, 3, 0, 0, 0, 1, 0, 0}})},
      {"4-bit", MakeBmp({2, 2, 4, 0, palette, {}, {0x23, 0, 0, 0, 0x01, 0, 0, 0}})},
      // Runs, ends of lines, the end of the picture.
      {"8-bit run-length", MakeBmp({2, 2, 8, 1, palette, {}, {1, 2, 1, 3, 0, 0, 1, 0, 1, 1, 0, 0, 0, 1}})},
      {"4-bit run-length", MakeBmp({2, 2, 4, 2, palette, {}, {2, 0x23, 0, 0, 2, 0x01, 0, 1}})},
      {"16-bit 5-5-5", MakeBmp({2, 2, 16, 0, {}, {}, {0x1F, 0x00, 0xFF, 0x7F, 0x00, 0x7C, 0xE0, 0x03}})},
      {"16-bit 5-6-5 bit fields",
       MakeBmp(
           {2, 2, 16, 3, {}, {0xF800, 0x07E0, 0x001F}, {0x1F, 0x00, 0xFF, 0xFF, 0x00, 0xF8, 0xE0, 0x07}})},
      {"32-bit",
       MakeBmp({2, 2, 32, 0, {}, {}, {255, 0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 0, 0, 255, 0, 0}})},
      {"1-bit",
       MakeBmp({2, 2, 1, 0, {red, white}, {}, {0x40, 0, 0, 0, 0x80, 0, 0, 0}}),
       {white, red, red, white}},
      {"core header", core},
  };
  for (const auto& [name, bmp, shown] : pictures) {
    PaintedWindow window(10, 10);
    const draw::BitmapResult result = Draw(window, bmp, {0, 8, 2, 10});
    EXPECT_TRUE(result.drawn) << name << ": " << result.error;
    const QImage image = window.image();
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(PixelAt(image, i % 2, i / 2), (shown.empty() ? palette : shown)[i])
          << name << ": the pixel at " << i % 2 << "," << i / 2;
  }
}

// A 7 x 5 run-length picture: runs, a literal, a jump, a run past the row's end, missing rows.
BmpSpec RunLengthPicture() {
  return {7, 5, 8, 1, {{0, 0, 0}, {255, 0, 0}, {0, 0, 255}}, {}, {3, 1, 0, 3, 2, 1, 2, 0, 0, 0, 0, 2,
                                                                  3, 1, 7, 2, 0, 0, 5, 1, 0, 0, 0, 1}};
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

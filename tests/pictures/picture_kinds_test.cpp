// Pictures read, written, shrunk and drawn, and pictures as cameras, phones and scanners write them:
// turned by EXIF, in inks, top-down, damaged on purpose, or named outside the collection.
#include <gtest/gtest.h>

#include <jpeglib.h>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <tuple>

#include "pictures/bmp_header.h"
#include "pictures/gal_bitmap.h"
#include "pictures/picture_add.h"
#include "pictures/picture_cells.h"
#include "pictures/picture_registration.h"
#include "support/collection_builder.h"
#include "support/recording_surface.h"
#include "support/temp_dir.h"
#include "support/test_pictures.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

using test::TempDir;

using test::kBlue;
using test::kGreen;
using test::kRed;
using test::kYellow;
using test::MakeBitmap;
using test::Near;
using test::PixelAt;
using test::Quadrants;
using test::Rgb;
using test::SizeOf;

TEST(Bitmaps, ShrinkingTakesTheNearestSourcePixel) {
  GalBitmap source = MakeBitmap(3, 3, [](int x, int y) {
    return Rgb{static_cast<std::uint8_t>(x * 50), static_cast<std::uint8_t>(y * 50), 7};
  });
  GalBitmap target;
  ASSERT_EQ(GalCompressBitmap(source, target, 500), 1);
  EXPECT_EQ(SizeOf(target), (std::pair{1, 1}));
  // Stored row 0 is the bottom row: source stored row 0 is picture row 2.
  const Rgb c = PixelAt(target, 0, 0);
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

// A JPEG keeps its colours and size, a bitmap file its bytes; a failed write leaves the old file.
TEST(Bitmaps, WrittenPicturesReadBackAndAFailedWriteLeavesTheOldFile) {
  TempDir dir;
  const GalBitmap original = Quadrants(200, 100, "RGBY");
  ASSERT_EQ(GalWriteBitmap(dir / "quad.jpg", original), 1);
  GalBitmap back;
  ASSERT_EQ(GalLoadBitmap(dir / "quad.jpg", back), 1);
  EXPECT_EQ(SizeOf(back), (std::pair{200, 100}));
  for (const auto& [x, y, colour] :
       {std::tuple{20, 20, kRed}, {180, 20, kGreen}, {20, 80, kBlue}, {180, 80, kYellow}})
    EXPECT_TRUE(Near(PixelAt(back, x, y), colour)) << x << "," << y;

  // BMP files are kept byte for byte.
  ASSERT_EQ(GalWriteBitmap(dir.path().string() + "\\sub\\quad.bmp", original), 1);
  GalBitmap bmp;
  ASSERT_EQ(GalLoadBitmap(dir / "sub/quad.bmp", bmp), 1);
  ASSERT_EQ(bmp.size, original.size);
  EXPECT_EQ(std::memcmp(bmp.image.get(), original.image.get(), bmp.size), 0);

  // A failed write leaves the old file, and nothing half-written.
  ASSERT_EQ(GalWriteBitmap(dir / "keep.jpg", Quadrants(20, 10, "RGBY")), 1);
  const std::string before = test::ReadFile(dir / "keep.jpg");
  std::filesystem::create_directories(dir / "keep.jpg.part");  // nowhere to write the new picture
  EXPECT_EQ(GalWriteBitmap(dir / "keep.jpg", Quadrants(40, 10, "RGBY")), 0);
  EXPECT_EQ(test::ReadFile(dir / "keep.jpg"), before);
  GalBitmap notTwentyFour = Quadrants(4, 4, "RGBY");
  notTwentyFour.image[28] = 8;
  EXPECT_EQ(GalWriteBitmap(dir / "bad.jpg", notTwentyFour), 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "bad.jpg.part"));
  EXPECT_FALSE(std::filesystem::exists(dir / "bad.jpg"));
}

TEST(Bitmaps, ShrunkJpegCopiesHaveTheSizeOfAFullDecode) {
  TempDir dir;
  ASSERT_EQ(GalWriteBitmap(dir / "odd.jpg", Quadrants(1601, 1203, "RBRB")), 1);
  struct Case {
    int mode, size, width, height;
  };
  // Mode 0 fits the larger side (scale = size * 1000 / 1601); mode 1 is the scale itself.
  for (const Case c : {Case{0, 100, 99, 74}, Case{0, 500, 499, 375}, Case{0, 2000, 1601, 1203},
                       Case{1, 333, 533, 400}, Case{1, 999, 1599, 1201}, Case{1, 1000, 1601, 1203}}) {
    ASSERT_EQ(GalCopyPictureFile(dir / "odd.jpg", dir / "out.bmp", c.mode, c.size), 1) << c.size;
    GalBitmap b;
    ASSERT_EQ(GalLoadBitmap(dir / "out.bmp", b), 1);
    const auto [w, h] = SizeOf(b);
    EXPECT_EQ((std::pair{w, h}), (std::pair{c.width, c.height})) << "mode " << c.mode << ", size " << c.size;
    EXPECT_GT(PixelAt(b, w / 4, h / 2).r, 180);
    EXPECT_GT(PixelAt(b, w * 3 / 4, h / 2).b, 180);
    EXPECT_TRUE(GalIs24Bit(b));
  }
  // No directories are made for a copy, and only pictures are copied.
  EXPECT_EQ(GalCopyPictureFile(dir / "odd.jpg", dir / "web/odd.jpg", 0, 500), 0);
  EXPECT_EQ(GalCopyPictureFile(dir / "missing.jpg", dir / "x.jpg", 0, 500), 0);
  EXPECT_EQ(GalCopyPictureFile(dir / "odd.jpg", dir / "x.htm", 0, 500), 0);
}

// Files cut short or whose headers do not hold fail to load, quietly, and leave no half-read bitmap
// behind; a garbled JPEG may decode to noise but must not end the program; a picture too large for
// what the file holds is refused.
TEST(Bitmaps, DamagedFilesFailToLoadQuietly) {
  TempDir dir;
  MessageRecorder messages;
  ASSERT_EQ(GalWriteBitmap(dir / "good.bmp", Quadrants(30, 20, "RGBY")), 1);
  ASSERT_EQ(GalWriteBitmap(dir / "good.jpg", Quadrants(64, 48, "RGBY")), 1);
  const std::string bmp = test::ReadFile(dir / "good.bmp"), jpg = test::ReadFile(dir / "good.jpg");
  const auto patched = [&](std::size_t at, std::uint32_t value, int bytes = 4) {
    std::string damaged = bmp;
    for (int i = 0; i < bytes; ++i) damaged[at + i] = static_cast<char>(value >> (8 * i));
    return damaged;
  };
  const struct {
    const char* what;
    const char* name;
    std::string bytes;
  } cases[] = {{"a bitmap cut in the rows", "bad.bmp", bmp.substr(0, bmp.size() / 2)},
               {"a bitmap cut in the headers", "bad.bmp", bmp.substr(0, 40)},
               {"a bitmap taller than the file", "bad.bmp", patched(22, 5000)},
               {"a bitmap whose pixels start past the end", "bad.bmp", patched(10, 0x7fffffff)},
               {"a bitmap of no such depth", "bad.bmp", patched(28, 7, 1)},
               {"a bitmap of negative width", "bad.bmp", patched(18, 0x80000000u)},
               {"an empty JPEG", "bad.jpg", ""},
               {"a JPEG cut after its start marker", "bad.jpg", jpg.substr(0, 2)},
               {"a JPEG cut in its headers", "bad.jpg", jpg.substr(0, 100)},
               {"a JPEG cut in its data", "bad.jpg", jpg.substr(0, 300)},
               {"a text named as a JPEG", "bad.jpg", "not a picture at all"}};
  GalBitmap b;
  for (const auto& c : cases) {
    ASSERT_EQ(GalLoadBitmap(dir / "good.bmp", b), 1);
    test::WriteFile(dir / c.name, c.bytes);
    EXPECT_EQ(GalLoadBitmap(dir / c.name, b), 0) << c.what;
    EXPECT_EQ(b.size, 0u) << c.what;
  }
  std::string garbled = jpg;
  for (std::size_t i = 200; i < garbled.size(); i += 7) garbled[i] = static_cast<char>(garbled[i] ^ 0x5A);
  test::WriteFile(dir / "garbled.jpg", garbled);
  GalLoadBitmap(dir / "garbled.jpg", b);
  EXPECT_TRUE(messages.messages().empty());

  // A frame header whose height and width claim more pixels than the file holds, as a damaged or
  // hostile file does: refused, and a copy is refused by the file's name.
  const std::size_t frame = jpg.find("\xff\xc0");
  ASSERT_NE(frame, std::string::npos);
  for (const auto& [width, height] : {std::pair{12000, 12000}, std::pair{65000, 65000}}) {
    std::string bomb = jpg;
    bomb[frame + 5] = static_cast<char>(height >> 8);
    bomb[frame + 6] = static_cast<char>(height & 0xff);
    bomb[frame + 7] = static_cast<char>(width >> 8);
    bomb[frame + 8] = static_cast<char>(width & 0xff);
    test::WriteFile(dir / "bomb.jpg", bomb);
    GalBitmap big;
    GalPictureFacts facts;
    EXPECT_EQ(GalLoadPictureToFit(dir / "bomb.jpg", big, 800, 600, &facts), 0) << width;
    EXPECT_TRUE(facts.tooLarge) << facts.problem;
    EXPECT_FALSE(big.Loaded());
    messages.Clear();
    EXPECT_EQ(GalCopyPictureFile(dir / "bomb.jpg", dir / "copy.jpg", 0, 500), 0);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_NE(messages.messages()[0].text.find(dir / "bomb.jpg"), std::string::npos)
        << messages.messages()[0].text;
  }
}

TEST(Bitmaps, DrawingFitsAndCentresEnlargingOnlyOnThePrinter) {
  test::RecordingSurface recording(800, 600);
  const GalBitmap bitmap = Quadrants(100, 50, "RGBY");
  ASSERT_EQ(GalDrawBitmap(recording.surface(), bitmap, {0, 0, 400, 400}), 1);
  ASSERT_EQ(GalDrawBitmap(recording.surface(), bitmap, {0, 0, 50, 50}), 1);
  const auto draws = recording.OpsOf<test::BitmapOp>();
  ASSERT_EQ(draws.size(), 2u);
  // Device rows count down from the top of the 600-pixel surface.
  EXPECT_EQ(draws[0].destination, (draw::DeviceRect{150, 600 - 225, 250, 600 - 175}));
  EXPECT_EQ(draws[1].destination, (draw::DeviceRect{0, 600 - 37, 50, 600 - 12}));

  // The printer's page is laid out for the page: there the picture fills its place.
  recording.surface().SetOnPrinter(true);
  ASSERT_EQ(GalDrawBitmap(recording.surface(), bitmap, {0, 0, 400, 400}), 1);
  EXPECT_EQ(recording.OpsOf<test::BitmapOp>().back().destination,
            (draw::DeviceRect{0, 600 - 300, 400, 600 - 100}));
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

// The JPEG file with an EXIF block giving the orientation put right after its start marker.
void AddOrientation(const std::string& path, int orientation) {
  const std::string exif = std::string("Exif\0\0MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0", 25) +
                           static_cast<char>(orientation) + std::string(6, '\0');
  const std::size_t length = exif.size() + 2;
  std::string file = test::ReadFile(path);
  file.insert(
      2, "\xff\xe1" + std::string{static_cast<char>(length >> 8), static_cast<char>(length & 0xff)} + exif);
  test::WriteFile(path, file);
}

TEST(PictureKinds, EveryExifOrientationComesUpright) {
  TempDir dir;
  // What the camera stored for an upright picture of red, green / blue, yellow quadrants, 32 x 16.
  const struct {
    int orientation;
    const char* stored;
  } cases[] = {{1, "RGBY"}, {2, "GRYB"}, {3, "YBGR"}, {4, "BYRG"},
               {5, "RBGY"}, {6, "GYRB"}, {7, "YGBR"}, {8, "BRYG"}};
  for (const auto& c : cases) {
    const bool turned = c.orientation >= 5;
    const std::string path = dir / ("o" + std::to_string(c.orientation) + ".jpg");
    ASSERT_EQ(GalWriteBitmap(path, Quadrants(turned ? 16 : 32, turned ? 32 : 16, c.stored)), 1);
    AddOrientation(path, c.orientation);
    // At its own size, and shrunk to half as the cache holds it for a small cell.
    for (const int fit : {0, 16}) {
      GalBitmap b;
      GalPictureFacts facts;
      ASSERT_EQ(GalLoadPictureToFit(path, b, fit, fit, &facts), 1) << c.orientation;
      EXPECT_EQ(facts.width, 32);
      EXPECT_EQ(facts.height, 16);
      const int s = fit == 0 ? 1 : 2;
      const BmpHeader h = *ReadBmpHeader(b.Bytes());
      ASSERT_EQ(h.width * s, 32) << "orientation " << c.orientation << " kept the stored sides";
      ASSERT_EQ(h.height * s, 16);
      for (const auto& [x, y, colour] :
           {std::tuple{8, 4, kRed}, {24, 4, kGreen}, {8, 12, kBlue}, {24, 12, kYellow}})
        EXPECT_TRUE(Near(PixelAt(b, x / s, y / s), colour))
            << "orientation " << c.orientation << ", fit " << fit;
    }
  }
}

// A 16 x 16 JPEG of one colour, written as the given colour space stores it: inks (four components)
// or grey (one).
void WriteSolidJpeg(const std::string& path, J_COLOR_SPACE space, bool adobe, const std::uint8_t* pixel) {
  const int components = space == JCS_GRAYSCALE ? 1 : 4;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  jpeg_compress_struct info;
  jpeg_error_mgr err;
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = info.image_height = 16;
  info.input_components = components;
  info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_CMYK;
  jpeg_set_defaults(&info);
  jpeg_set_colorspace(&info, space);
  info.write_Adobe_marker = adobe ? TRUE : FALSE;
  jpeg_start_compress(&info, TRUE);
  std::uint8_t row[16 * 4];
  for (int x = 0; x < 16; ++x) std::memcpy(row + x * components, pixel, components);
  for (int y = 0; y < 16; ++y) {
    JSAMPROW rows[1] = {row};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::fclose(file);
}

TEST(PictureKinds, InkAndGreyJpegsAndTopDownBmpsShowTheirColours) {
  TempDir dir;
  MessageRecorder messages;
  // No cyan, half magenta, full yellow, a quarter black: an orange brown.
  const std::uint8_t amounts[4] = {0, 128, 255, 64};
  const std::uint8_t inverted[4] = {255, 127, 0, 191};
  const std::uint8_t grey[1] = {128};
  const struct {
    const char* kind;
    J_COLOR_SPACE space;
    bool adobe;
    const std::uint8_t* stored;
    Rgb shown;
  } cases[] = {{"CMYK", JCS_CMYK, false, amounts, {191, 95, 0}},
               {"inverted CMYK (Adobe)", JCS_CMYK, true, inverted, {191, 95, 0}},
               {"YCCK", JCS_YCCK, true, inverted, {191, 95, 0}},
               {"greyscale", JCS_GRAYSCALE, false, grey, {128, 128, 128}}};
  for (const auto& c : cases) {
    WriteSolidJpeg(dir / "solid.jpg", c.space, c.adobe, c.stored);
    GalBitmap b;
    ASSERT_EQ(GalLoadBitmap(dir / "solid.jpg", b), 1) << c.kind << " is not shown";
    EXPECT_TRUE(GalIs24Bit(b)) << c.kind;
    EXPECT_TRUE(Near(PixelAt(b, 8, 8), c.shown)) << c.kind;
  }

  // A top-down BMP: rows stored from the top, its height negative.
  GalBitmap upright = Quadrants(8, 4, "RGBY");
  const std::size_t rowBytes = GalRowBytes(8);
  GalBitmap topDown = Quadrants(8, 4, "BYRG");  // bottom-up rows of the picture upside down
  for (int i = 0; i < 4; ++i) topDown.image[22 + i] = static_cast<std::uint8_t>((-4 >> (8 * i)) & 0xff);
  ASSERT_EQ(GalWriteBitmap(dir / "top.bmp", topDown), 1);
  GalBitmap b;
  ASSERT_EQ(GalLoadBitmap(dir / "top.bmp", b), 1);
  EXPECT_EQ(std::memcmp(b.image.get() + kBmpHeaderSize, upright.image.get() + kBmpHeaderSize, rowBytes * 4),
            0);
  EXPECT_EQ(ReadBmpHeader(b.Bytes())->height, 4);
  EXPECT_TRUE(messages.messages().empty());
}

TEST(PictureKinds, NamesLeadingOutsideTheCollectionAreKeptButNeverOpened) {
  TempDir dir;
  std::filesystem::create_directories(dir.path() / "data");
  ASSERT_EQ(GalWriteBitmap(dir / "secret.jpg", Quadrants(16, 16, "RGBY")), 1);
  ASSERT_EQ(GalWriteBitmap(dir / "data/inside.jpg", Quadrants(16, 16, "RGBY")), 1);
  for (const char* name : {"..\\secret.jpg", "../secret.jpg", "a\\..\\..\\secret.jpg", "/etc/passwd.jpg",
                           "\\secret.jpg", "C:\\secret.jpg", "c:secret.jpg"})
    EXPECT_FALSE(PictureNameStaysInside(name)) << name;
  for (const char* name : {"", "inside.jpg", "Zenith\\7S363.jpg", "a..b\\c.jpg", "..x.jpg"})
    EXPECT_TRUE(PictureNameStaysInside(name)) << name;

  MessageRecorder messages;
  Collection collection = test::MakeCollection();
  RadioRecord* radio = AddRadio(collection, test::MakeRadio(collection, {.id = 1, .model = "7S363"}));
  radio->pictureFile = "..\\secret.jpg";
  radio->thumbnailFile = "inside.jpg";
  PictureRegistry registry;
  registry.SetDataDirectory((dir.path() / "data").string());
  RegisterCollectionPictures(collection, registry);
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_NE(messages.messages()[0].text.find("7S363: '..\\secret.jpg'"), std::string::npos);
  EXPECT_EQ(radio->pictureFile, "..\\secret.jpg");  // kept, so that saving loses nothing

  EXPECT_EQ(registry.GetBitmap(radio->pictureIndex), -1);
  EXPECT_EQ(registry.Path(radio->pictureIndex), "");
  EXPECT_EQ(registry.CopyByIndex(radio->pictureIndex, radio->thumbnailIndex, 1, 1000), 0);
  EXPECT_GE(registry.GetBitmap(radio->thumbnailIndex), 0);

  // The view draws a card saying why, and says so once however often it is drawn.
  messages.Clear();
  test::RecordingSurface recording(400, 400);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(DrawPictureInCell(recording.surface(), registry, radio->pictureIndex, 1, 0, 2, 2,
                                kCellTopRight | kCellPlaceholder, 1.0f),
              0);
    ReportUnshownPictures(registry);
  }
  EXPECT_EQ(messages.messages().size(), 1u);
  EXPECT_FALSE(recording.OpsOf<test::FillAreaOp>().empty());
}

TEST(PictureKinds, AddedPicturesAreCopiedInUprightUnderTheRadiosNames) {
  TempDir dir;
  MessageRecorder messages;
  const std::string phone = dir / "phone.jpg", scan = dir / "scan.bmp", note = dir / "note.txt";
  ASSERT_EQ(GalWriteBitmap(phone, Quadrants(16, 32, "GYRB")), 1);
  AddOrientation(phone, 6);
  ASSERT_EQ(GalWriteBitmap(scan, Quadrants(8, 8, "RGBY")), 1);
  test::WriteFile(note, "not a picture");
  const std::string phoneBytes = test::ReadFile(phone);

  Collection collection = test::MakeCollection();
  RadioRecord* radio = AddRadio(collection, test::MakeRadio(collection, {.id = 1, .model = "90"}));
  radio->pictureFile = "pictures\\philco\\90.jpg";
  radio->thumbnailFile = "pictures\\philco\\smallpix\\90.jpg";
  PictureRegistry registry;
  registry.SetDataDirectory(dir.path().string());
  RegisterRadioPictures(registry, *radio);
  const std::string files[] = {phone, scan, note};
  ASSERT_TRUE(AddPicturesToRadio(collection, registry, *radio, files));

  EXPECT_EQ(messages.messages().size(), 1u);  // the text file
  EXPECT_EQ(test::ReadFile(phone), phoneBytes) << "the chosen file was changed";
  GalBitmap b;
  ASSERT_EQ(GalLoadBitmap(dir / "pictures/philco/90.jpg", b), 1);
  EXPECT_EQ(ReadBmpHeader(b.Bytes())->width, 32) << "the phone photo was not stored upright";
  EXPECT_TRUE(Near(PixelAt(b, 8, 4), kRed));
  ASSERT_EQ(radio->extraPictureCount, 1);
  EXPECT_EQ(radio->extraPictureFiles[0], "pictures\\philco\\90_1.jpg");
  EXPECT_EQ(GalLoadBitmap(dir / "pictures/philco/90_1.jpg", b), 1);
  EXPECT_TRUE(std::filesystem::exists(dir / "pictures/philco/smallpix/90.jpg")) << "no snapshot made";
  EXPECT_TRUE(collection.changed);
}

}  // namespace
}  // namespace korvel

// One drawing kept as a picture in the build folder, to be looked at after changes to the device.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <string>

#include "painting_support.h"
#include "ui/painting/window_fonts.h"

namespace korvel::ui::test {
namespace {

TEST(SamplePicture, TheSampleViewIsSavedAndHasItsParts) {
  PaintedWindow window(480, 360, {Courier12(), Courier12(true)});
  DrawSampleView(window.surface);
  const QImage image = window.image();
  const std::string path = std::string(KORVEL_PAINTING_OUTPUT) + "/painting_sample.png";
  EXPECT_TRUE(image.save(QString::fromStdString(path)));

  EXPECT_EQ(PixelAt(image, 110 + 30, 360 - 110 - 20), Palette(draw::kRed));    // first wedge
  EXPECT_EQ(PixelAt(image, 110 - 30, 360 - 110 + 20), Palette(draw::kGreen));  // third wedge
  EXPECT_EQ(PixelAt(image, 321, 360 - 279), (draw::Rgb{128, 64, 0}));          // picture frame
  EXPECT_GT(DarkPixels(image, 0, 480, 0, 60), 100);                            // the texts
}

TEST(SamplePicture, ThePrinterPathDrawsTheSameViewAtPageScale) {
  // A page of US Letter at 120 dpi drawn with an open painter, as the print job draws; the view's
  // window was 500 pixels high, so its fonts grow by 1320 / 500.
  QImage sheet(1020, 1320, QImage::Format_RGB32);
  sheet.fill(Qt::black);
  {
    QPainter painter(&sheet);
    QtDevice page(&painter);
    EXPECT_EQ(page.size(), QSize(1020, 1320));
    page.SetFontSizing({120, 1320.0f / 500.0f});
    draw::Surface surface(&page, {0, 0, 1020, 1320});
    surface.SetFonts({Courier12(), Courier12(true)});
    ASSERT_TRUE(SelectCurrentFont(surface, page));
    EXPECT_EQ(surface.CharWidth(), 19);  // trunc(12 x 2.64) = 31 pixels high
    DrawSampleView(surface);
  }
  EXPECT_TRUE(sheet.save(QString::fromStdString(std::string(KORVEL_PAINTING_OUTPUT) + "/painting_page.png")));
  const auto X = [](int x) { return x * 1020 / 480; };
  const auto Y = [](int y) { return 1320 - y * 1320 / 360; };
  EXPECT_EQ(PixelAt(sheet, 0, 0), Palette(draw::kWhite));
  EXPECT_EQ(PixelAt(sheet, X(140), Y(130)), Palette(draw::kRed));
  EXPECT_EQ(PixelAt(sheet, X(80), Y(90)), Palette(draw::kGreen));
  EXPECT_EQ(PixelAt(sheet, X(320) + 1, Y(280)), (draw::Rgb{128, 64, 0}));
  EXPECT_GT(DarkPixels(sheet, 0, 1020, 0, 220), 1000);
}

}  // namespace
}  // namespace korvel::ui::test

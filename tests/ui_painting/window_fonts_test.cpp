// Fonts of a window: sizes in pixels, the fixed-pitch face Courier resolves to, metrics, the chooser.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <cmath>
#include <limits>

#include "painting_support.h"
#include "ui/painting/window_fonts.h"

namespace korvel::ui::test {
namespace {

TEST(FontPixelHeight, PointsAtTheScreenResolutionOrScaledOnThePage) {
  EXPECT_EQ(FontPixelHeight(12, {96, {}}), 16);
  EXPECT_EQ(FontPixelHeight(10, {96, {}}), 13);  // 13.3, integer division
  EXPECT_EQ(FontPixelHeight(12, {120, {}}), 20);
  EXPECT_EQ(FontPixelHeight(12, {600, 13.2f}), 158);  // trunc(158.4): the printer ignores its dpi
  EXPECT_EQ(FontPixelHeight(10, {600, 2.99f}), 29);
  // Sizes read from a damaged settings file still make a font.
  EXPECT_EQ(FontPixelHeight(0, {96, {}}), 1);
  EXPECT_EQ(FontPixelHeight(-12, {96, {}}), 1);
  EXPECT_EQ(FontPixelHeight(std::numeric_limits<int>::max(), {96, {}}), kMaximumFontPixels);
  EXPECT_EQ(FontPixelHeight(12, {600, std::numeric_limits<float>::quiet_NaN()}), 1);
  EXPECT_EQ(FontPixelHeight(12, {600, std::numeric_limits<float>::infinity()}), kMaximumFontPixels);
}

TEST(WindowFonts, CourierIsLiberationMonoWithAFixedPitchAndBoldDrawsHeavierAtThatPitch) {
  draw::Font entry = Courier12();
  const std::optional<QFont> font = CreateEntryFont(entry, {96, {}}, nullptr);
  ASSERT_TRUE(font.has_value());
  EXPECT_EQ(entry.faceName, "Liberation Mono");
  EXPECT_EQ(entry.pointSize, 12);
  EXPECT_EQ(font->pixelSize(), 16);
  EXPECT_EQ(entry.charWidth, 10);
  EXPECT_GE(entry.lineHeight, 16);
  EXPECT_LE(entry.lineHeight, 20);
  EXPECT_GT(entry.descent, 0);
  EXPECT_LT(entry.descent, entry.lineHeight / 2);
  // Every character advances by the character width, narrow and wide ones alike.
  const QFontMetrics metrics(*font);
  EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("iiiiiiiiii")), 100);
  EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("WWWWWWWWWW")), 100);
  EXPECT_TRUE(QFontInfo(*font).fixedPitch());

  for (const char* face : {"Courier New", "courier"}) {
    draw::Font other = Courier12();
    other.faceName = face;
    ASSERT_TRUE(CreateEntryFont(other, {96, {}}, nullptr));
    EXPECT_EQ(other.faceName, "Liberation Mono") << face;
  }

  // Bold keeps the pitch but draws heavier.
  PaintedWindow window(400, 60, {Courier12(false), Courier12(true)});
  const draw::Font& normal = window.surface.fonts()[0];
  const draw::Font& bold = window.surface.fonts()[1];
  EXPECT_EQ(bold.charWidth, normal.charWidth);
  EXPECT_EQ(bold.lineHeight, normal.lineHeight);
  EXPECT_TRUE(bold.bold);

  window.surface.DrawText({0, 30}, "Zenith Trans-Oceanic");
  window.surface.SelectFont(1);
  window.surface.DrawText({200, 30}, "Zenith Trans-Oceanic");
  const QImage image = window.image();
  const int normalInk = DarkPixels(image, 0, 200, 0, 60);
  const int boldInk = DarkPixels(image, 200, 400, 0, 60);
  EXPECT_GT(normalInk, 0);
  EXPECT_GT(boldInk, normalInk * 11 / 10);
  EXPECT_LT(DarkBox(image, 200, 400, 0, 60).right(), 200 + 20 * bold.charWidth);
}

TEST(WindowFonts, SelectCurrentFontMakesEveryEntryAndFailsWithoutAFace) {
  QtDevice device(QSize(100, 100));
  draw::Surface surface(&device, {0, 0, 100, 100});
  EXPECT_TRUE(SelectCurrentFont(surface, device));  // no fonts: nothing to make

  draw::Font large = Courier12();
  large.pointSize = 24;
  draw::Font unnamed = Courier12();
  unnamed.faceName.clear();
  surface.SetFonts({Courier12(), large, unnamed});
  EXPECT_TRUE(SelectCurrentFont(surface, device));
  EXPECT_EQ(surface.fonts()[0].charWidth, 10);
  EXPECT_EQ(surface.fonts()[1].charWidth, 19);  // 32 pixels
  EXPECT_EQ(surface.TextExtent("Zenith"), (draw::Size{60, surface.fonts()[0].lineHeight}));
  EXPECT_TRUE(device.HasFont(1));
  EXPECT_FALSE(device.HasFont(2));
  surface.SelectFont(2);
  EXPECT_FALSE(SelectCurrentFont(surface, device));
  EXPECT_EQ(surface.fonts()[2].charWidth, 0);
}

TEST(WindowFonts, ChooseWindowFontTakesTheAnswerOrLeavesTheEntryOnCancel) {
  PaintedWindow window(100, 100, {Courier12(), Courier12()});
  QFont offered;
  SetFontDialogAnswer([&](const QFont& initial) -> std::optional<QFont> {
    offered = initial;
    return std::nullopt;
  });
  const draw::Font before = window.surface.fonts()[1];
  EXPECT_FALSE(ChooseWindowFont(window.surface, window.device, 1, nullptr));
  EXPECT_EQ(window.surface.fonts()[1], before);
  EXPECT_EQ(offered.family(), QStringLiteral("Liberation Mono"));
  EXPECT_EQ(offered.pointSize(), 12);
  EXPECT_FALSE(offered.bold());

  SetFontDialogAnswer([](const QFont&) -> std::optional<QFont> {
    QFont chosen(QStringLiteral("DejaVu Sans Mono"));
    chosen.setPointSize(15);
    chosen.setBold(true);
    return chosen;
  });
  EXPECT_TRUE(ChooseWindowFont(window.surface, window.device, 1, nullptr));
  const draw::Font& after = window.surface.fonts()[1];
  EXPECT_EQ(after.faceName, "DejaVu Sans Mono");
  EXPECT_EQ(after.pointSize, 15);
  EXPECT_TRUE(after.bold);
  EXPECT_EQ(after.charWidth, 12);                // 20 pixels x 0.6
  EXPECT_EQ(window.surface.fonts()[0], before);  // the other entry is untouched
  EXPECT_FALSE(ChooseWindowFont(window.surface, window.device, 2, nullptr));
  SetFontDialogAnswer({});
}

}  // namespace
}  // namespace korvel::ui::test

// Window fonts on the screen and on the page, and printing a window.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <cmath>
#include <filesystem>
#include <limits>
#include <string>

#include "painting_support.h"
#include "support/temp_dir.h"
#include "ui/painting/printing_frame.h"
#include "ui/painting/window_fonts.h"

namespace korvel::ui::test {
namespace {

using korvel::test::ReadFile;
using korvel::test::TempDir;

// The printing frame: jobs, pages, redirecting a window's surface onto the page, and cancelling.
bool IsPdf(const std::string& path) {
  const std::string bytes = std::filesystem::exists(path) ? ReadFile(path) : std::string();
  return bytes.rfind("%PDF", 0) == 0 && bytes.find("%%EOF") != std::string::npos;
}

// Something on every part of the page: a filled area and a line of text.
void DrawPage(draw::Surface& s) {
  s.FillRectangle(10, 10, s.bounds().right / 2, s.bounds().top / 2, draw::kRed);
  s.DrawText({10, s.bounds().top - s.LineHeight()}, "Zenith 7S529 \"Shutter Dial\" 1938");
}

TEST(Printing, AWindowIsRedrawnOnAPdfPageWithItsFontsScaled) {
  TempDir dir;
  const std::string path = dir / "view.pdf";
  PaintedWindow window(400, 500, {Courier12(), Courier12(true)});
  const draw::Font screenFont = window.surface.fonts()[0];
  PrintingFrame frame;

  ASSERT_TRUE(frame.StartPrintJobToPdf(path, "Korvel Print Job")) << frame.LastErrorText();
  ASSERT_NE(frame.printingDialog(), nullptr);
  EXPECT_TRUE(frame.printingDialog()->isVisible());
  EXPECT_NE(frame.printingDialog()->findChild<QLabel*>("documentName"), nullptr);
  EXPECT_EQ(frame.printingDialog()->findChild<QLabel*>("documentName")->text(), "Korvel Print Job");
  ASSERT_TRUE(frame.StartPrintPage());
  ASSERT_TRUE(frame.RedirectToPrinter(window.surface, 500)) << frame.LastErrorText();

  // The page: US Letter at 600 dpi; a window 500 high on a page 6600 high scales its fonts by 13.2.
  draw::Surface& page = window.surface;
  EXPECT_EQ(page.bounds(), (draw::Rect{0, 0, 5100, 6600}));
  EXPECT_TRUE(page.onPrinter());
  auto* printerDevice = dynamic_cast<QtDevice*>(page.device());
  ASSERT_NE(printerDevice, nullptr);
  EXPECT_NE(printerDevice, &window.device);
  EXPECT_EQ(printerDevice->fontSizing().printerScale, 13.2f);
  EXPECT_EQ(page.fonts()[0].faceName, "Liberation Mono");
  EXPECT_EQ(page.fonts()[0].pointSize, 12);
  EXPECT_EQ(page.fonts()[0].charWidth, 95);  // trunc(12 x 13.2) = 158 pixels high
  EXPECT_GT(page.fonts()[0].lineHeight, 158);
  EXPECT_LT(page.fonts()[0].lineHeight, 200);
  EXPECT_TRUE(page.fonts()[1].bold);
  DrawPage(page);

  frame.RestoreFromPrinter(window.surface);
  EXPECT_EQ(window.surface.device(), &window.device);
  EXPECT_EQ(window.surface.bounds(), (draw::Rect{0, 0, 400, 500}));
  EXPECT_EQ(window.surface.fonts()[0], screenFont);
  EXPECT_FALSE(window.surface.onPrinter());
  ASSERT_TRUE(frame.EndPrintPage());
  ASSERT_TRUE(frame.EndPrintJob()) << frame.LastErrorText();

  EXPECT_FALSE(frame.printing());
  EXPECT_EQ(frame.printingDialog(), nullptr);
  EXPECT_TRUE(IsPdf(path));
  EXPECT_EQ(DarkPixels(window.image(), 0, 400, 0, 500), 0);  // the window itself was not drawn on
}

// Redirection needs a job, a window height and a font; ending the job gives the window back, and a
// job cancelled in its dialog ends at the next page.
TEST(Printing, RedirectionNeedsAJobAWindowHeightAndAFontAndCancelEndsTheJob) {
  TempDir dir;
  PaintedWindow window(300, 200);
  PrintingFrame frame;
  EXPECT_FALSE(frame.RedirectToPrinter(window.surface, 200));
  EXPECT_FALSE(frame.LastErrorText().empty());

  ASSERT_TRUE(frame.StartPrintJobToPdf(dir / "a.pdf"));
  ASSERT_TRUE(frame.StartPrintPage());
  EXPECT_FALSE(frame.RedirectToPrinter(window.surface, 0));
  EXPECT_EQ(window.surface.device(), &window.device);

  PaintedWindow unnamed(300, 200, {draw::Font{}});
  EXPECT_FALSE(frame.RedirectToPrinter(unnamed.surface, 200));
  EXPECT_EQ(unnamed.surface.device(), &unnamed.device);
  EXPECT_EQ(unnamed.surface.bounds(), (draw::Rect{0, 0, 300, 200}));

  ASSERT_TRUE(frame.RedirectToPrinter(window.surface, 200));
  draw::Device* const printerDevice = window.surface.device();
  EXPECT_TRUE(frame.RedirectToPrinter(window.surface, 100));  // already there: nothing changes
  EXPECT_EQ(window.surface.device(), printerDevice);
  EXPECT_EQ(dynamic_cast<QtDevice*>(printerDevice)->fontSizing().printerScale, 33.0f);

  // Ending the job while still redirected gives the window its surface back.
  ASSERT_TRUE(frame.EndPrintPage());
  ASSERT_TRUE(frame.EndPrintJob());
  EXPECT_EQ(window.surface.device(), &window.device);
  EXPECT_EQ(window.surface.fonts()[0].charWidth, 10);
  EXPECT_TRUE(IsPdf(dir / "a.pdf"));

  // Cancel in the printing dialog aborts the job at the next page and leaves no file.
  const std::string cancelled = dir / "cancelled.pdf";
  ASSERT_TRUE(frame.StartPrintJobToPdf(cancelled));
  ASSERT_TRUE(frame.StartPrintPage());
  ASSERT_TRUE(frame.RedirectToPrinter(window.surface, 200));
  DrawPage(window.surface);
  QPushButton* cancel = frame.printingDialog()->cancelButton();
  EXPECT_EQ(cancel->text(), "Cancel");
  cancel->click();
  EXPECT_FALSE(frame.EndPrintPage());
  EXPECT_EQ(frame.LastErrorText(), "The print job was cancelled.");
  EXPECT_FALSE(frame.printing());
  EXPECT_EQ(frame.printingDialog(), nullptr);
  EXPECT_EQ(window.surface.device(), &window.device);
  EXPECT_FALSE(std::filesystem::exists(cancelled));
  EXPECT_FALSE(frame.EndPrintJob());
}

// Pages follow one another; a job without pages prints nothing, and one whose file cannot be written
// does not start.
TEST(Printing, PagesFollowOneAnotherAndAJobWithoutPagesPrintsNothing) {
  TempDir dir;
  PrintingFrame frame;
  ASSERT_TRUE(frame.StartPrintJobToPdf(dir / "two.pdf"));
  for (int page = 0; page < 2; ++page) {
    ASSERT_TRUE(frame.StartPrintPage());
    ASSERT_TRUE(frame.EndPrintPage());
  }
  EXPECT_FALSE(frame.EndPrintPage());  // no page is open
  ASSERT_TRUE(frame.EndPrintJob());
  EXPECT_TRUE(IsPdf(dir / "two.pdf"));
  EXPECT_NE(ReadFile(dir / "two.pdf").find("/Count 2"), std::string::npos);

  ASSERT_TRUE(frame.StartPrintJobToPdf(dir / "none.pdf"));
  EXPECT_TRUE(frame.EndPrintJob());
  EXPECT_FALSE(std::filesystem::exists(dir / "none.pdf"));

  const std::string path = dir / "missing/folder/out.pdf";
  EXPECT_FALSE(frame.StartPrintJobToPdf(path));
  EXPECT_NE(frame.LastErrorText().find(path), std::string::npos) << frame.LastErrorText();
  EXPECT_FALSE(frame.printing());
  EXPECT_EQ(frame.printingDialog(), nullptr);
  EXPECT_FALSE(frame.StartPrintPage());
}

// Fonts of a window: sizes in pixels, the fixed-pitch face Courier resolves to, metrics, the chooser.
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

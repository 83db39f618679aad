#include <gtest/gtest.h>

#include <string>

#include "draw/font.h"
#include "draw/surface.h"
#include "support/recording_surface.h"

namespace korvel::draw {
namespace {

using test::RecordingSurface;
using test::TextOp;

TEST(Text, PlacedByBaselineAndTheCurrentPointFollowsItsWidth) {
  RecordingSurface recording(640, 480);
  Surface& surface = recording.surface();
  surface.DrawText({10, 50}, "Brand: ");
  EXPECT_EQ(surface.CurrentPoint(), (Point{10 + 7 * 8, 50}));
  // The value continues at the current point, as the description draws label and value.
  surface.SetColour(kBlue);
  surface.DrawText(surface.CurrentPoint(), "Zenith");
  EXPECT_EQ(surface.CurrentPoint(), (Point{10 + 13 * 8, 50}));

  const auto texts = recording.OpsOf<TextOp>();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], (TextOp{{10, 430}, "Brand: ", 0, *PaletteColour(kBlack), {}}));
  EXPECT_EQ(texts[1], (TextOp{{66, 430}, "Zenith", 0, *PaletteColour(kBlue), {}}));
}

TEST(Text, LengthLimitsWhatIsDrawnAndNeverReadsPastTheText) {
  RecordingSurface recording;
  Surface& surface = recording.surface();
  surface.DrawText({0, 100}, 5, "Crosley Pup");
  EXPECT_EQ(surface.CurrentPoint(), (Point{40, 100}));
  surface.DrawText({0, 80}, 50, "RCA");  // longer than the text: the whole text
  EXPECT_EQ(surface.CurrentPoint(), (Point{24, 80}));
  surface.DrawText({7, 60}, 0, "Atwater Kent");  // nothing drawn, but the point moves there
  EXPECT_EQ(surface.CurrentPoint(), (Point{7, 60}));
  surface.DrawText({9, 40}, -4, "Atwater Kent");
  EXPECT_EQ(surface.CurrentPoint(), (Point{9, 40}));
  EXPECT_EQ(recording.Texts(), (std::vector<std::string>{"Crosl", "RCA"}));
}

TEST(Text, WidthCountsCharactersAsShown) {
  EXPECT_EQ(CharacterCount(""), 0);
  EXPECT_EQ(CharacterCount("Philco 90"), 9);
  EXPECT_EQ(CharacterCount("Caf\xC3\xA9"), 4);        // UTF-8: é is one character
  EXPECT_EQ(CharacterCount("Caf\xE9"), 4);            // Windows-1252
  EXPECT_EQ(CharacterCount("\xC3\xA9t\xE9"), 4);      // not UTF-8 as a whole: every byte is a character
  EXPECT_EQ(CharacterCount("\xE2\x80\x94 1936"), 6);  // em dash

  RecordingSurface recording;
  Surface& surface = recording.surface();
  EXPECT_EQ(surface.TextExtent("Caf\xC3\xA9"), (Size{32, 16}));
  surface.DrawText({0, 100}, "Caf\xE9");
  EXPECT_EQ(surface.CurrentPoint(), (Point{32, 100}));
  // A cut inside a UTF-8 character keeps the piece whole characters.
  surface.DrawText({0, 80}, 4, "Caf\xC3\xA9s");
  EXPECT_EQ(surface.CurrentPoint(), (Point{24, 80}));
  // The device always gets text ready to show.
  EXPECT_EQ(recording.Texts(), (std::vector<std::string>{"Caf\xC3\xA9", "Caf"}));
}

TEST(Text, MetricsComeFromTheCurrentFont) {
  RecordingSurface recording;
  Surface& surface = recording.surface();
  Font large = test::RecordingFont();
  large.lineHeight = 40;
  large.charWidth = 20;
  surface.SetFonts({test::RecordingFont(), large});
  surface.SelectFont(1);
  surface.SelectFont(2);  // no such font
  EXPECT_EQ(surface.currentFontIndex(), 1);
  EXPECT_EQ(surface.TextExtent("Model 40"), (Size{160, 40}));
  surface.DrawText({0, 100}, "Model 40");
  EXPECT_EQ(recording.OpsOf<TextOp>().at(0).fontIndex, 1);

  // A window without fonts measures nothing; text still goes to the device.
  surface.SetFonts({});
  EXPECT_EQ(surface.TextExtent("Model 40"), (Size{0, 0}));
  surface.DrawText({30, 20}, "Model 40");
  EXPECT_EQ(surface.CurrentPoint(), (Point{30, 20}));
  EXPECT_EQ(recording.OpsOf<TextOp>().at(1).fontIndex, -1);
}

TEST(Text, HighlightedValuesHaveAnOpaqueBackground) {
  RecordingSurface recording;
  Surface& surface = recording.surface();
  surface.SetTextBackground(surface.highlightColour());
  surface.DrawText({0, 100}, "Restored");
  surface.SetTextBackground(kNoBackground);
  surface.DrawText({0, 80}, "Original");
  const auto texts = recording.OpsOf<TextOp>();
  EXPECT_EQ(texts.at(0).background, PaletteColour(kYellow));
  EXPECT_EQ(texts.at(1).background, std::nullopt);
}

}  // namespace
}  // namespace korvel::draw

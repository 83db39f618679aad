#include "reports/radio_description.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/collection_builder.h"
#include "support/recording_surface.h"
#include "support/temp_dir.h"
#include "support/test_pictures.h"
#include "util/message_recorder.h"

namespace korvel {
namespace {

using test::RecordingSurface;

const draw::Rgb kBlue = *draw::PaletteColour(draw::kBlue);
const draw::Rgb kYellow = *draw::PaletteColour(draw::kYellow);

// A text as drawn, back in view coordinates (y up); labels are the blue ones.
struct Drawn {
  std::string text;
  int x = 0, y = 0;
  bool label = false, highlighted = false;
};

std::vector<Drawn> DrawnTexts(const RecordingSurface& recording, int height) {
  std::vector<Drawn> drawn;
  for (const test::TextOp& op : recording.OpsOf<test::TextOp>()) {
    drawn.push_back({op.text, op.baselineStart.x, height - op.baselineStart.y, op.colour == kBlue,
                     op.background == kYellow});
  }
  return drawn;
}

const Drawn* Find(const std::vector<Drawn>& drawn, std::string_view text) {
  auto it = std::find_if(drawn.begin(), drawn.end(), [&](const Drawn& d) { return d.text == text; });
  return it == drawn.end() ? nullptr : &*it;
}

using test::WritePicture;

// The composition shows the trim only when there is one; the tuning ends in what helps it.
TEST(DescriptionPhrases, EachPhraseNamesOnlyWhatTheRadioHas) {
  Collection c = test::MakeCollection();
  auto radio = test::MakeRadio(c, {.cabinetColour = "Brown", .trim = "Chrome"});
  radio->cabinetComposition = test::Position(c, kTableCabinetComposition, "Bakelite");
  EXPECT_EQ(CompositionPhrase(c, *radio), "Bakelite (Brown) with Chrome");
  radio->trimColour = "Silver";
  EXPECT_EQ(CompositionPhrase(c, *radio), "Bakelite (Brown) with Chrome (Silver)");
  radio->cabinetTrim = test::Position(c, kTableCabinetTrim, "No Trim");
  EXPECT_EQ(CompositionPhrase(c, *radio), "Bakelite (Brown)");

  radio->dialPosition = test::Position(c, kTablePosition, "Front");
  radio->tuningDial = test::Position(c, kTableTuningDial, "Slide Rule");
  const struct {
    int push, phone;
    bool eye;
    const char* ending;
  } cases[] = {
      {1, 0, false, " with Push Buttons"},
      {1, 0, true, " with Push Buttons and 'Magic Eye'"},
      {1, 1, false, " with Push Buttons and Telephone Dial"},
      {1, 1, true, " with Push Buttons, Telephone Dial, and 'Magic Eye'"},
      {0, 1, false, " with Telephone Dial"},
      {0, 1, true, " with Telephone Dial and 'Magic Eye'"},
      {0, 0, true, " with 'Magic Eye'"},
      {0, 0, false, ""},
      {2, 2, false, ""},  // only Yes (1) counts
  };
  for (const auto& k : cases) {
    radio->pushButtons = k.push;
    radio->telephoneDial = k.phone;
    radio->tubes.ClearAll();
    if (k.eye) radio->tubes.Set(7, kFunctionTuningIndicator, "6E5");
    EXPECT_EQ(TuningPhrase(c, *radio), std::string("Front Slide Rule Dial").append(k.ending));
  }

  // Push-pull output only from the first power amplifier.
  radio->circuitType = test::Position(c, kTableCircuitType, "Superheterodyne");
  radio->tubes.Set(3, kFunctionPowerAmplifier, "2*6V6");
  EXPECT_EQ(CircuitPhrase(c, *radio), "Superheterodyne with Push-Pull Output");
  radio->tubes.Set(3, kFunctionPowerAmplifier, "2x6V6");
  EXPECT_EQ(CircuitPhrase(c, *radio), "Superheterodyne");
  radio->tubes.Set(3, kFunctionPowerAmplifier, "6F6");
  radio->tubes.Set(9, kFunctionPowerAmplifier, "2*6V6");  // a later slot does not count
  EXPECT_EQ(CircuitPhrase(c, *radio), "Superheterodyne");
  EXPECT_EQ(TechnologyLabel(kTechHybrid), "Tubes and Transistors:");
  EXPECT_EQ(TechnologyLabel(7), "");
}

// A layout on a 200 x 480 window (characters 8 x 16, left margin 8) with no picture in the way.
class Layout : public ::testing::Test {
 protected:
  std::vector<Drawn> Texts() const { return DrawnTexts(recording, 480); }
  RecordingSurface recording{200, 480};
  DescriptionLayout layout{recording.surface(), {200, 480, 200, 480}};
};

// Values wrap under their first character, labels drop their leading blanks at the start of a line.
TEST_F(Layout, ValuesWrapUnderTheirFirstCharacterAndLabelsMoveDownWhenThereIsNoRoom) {
  layout.DrawLabelValue("   Comments: ", "alpha beta gamma delta  epsilon", true);
  const auto texts = Texts();
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ((std::tuple{texts[0].text, texts[0].x, texts[0].y}), (std::tuple{"Comments: ", 8, 464}));
  EXPECT_TRUE(texts[0].label && !texts[0].highlighted);
  // Cut at the last blank that fits; the blanks after it are skipped.
  const std::pair<const char*, int> lines[] = {{"alpha beta", 464}, {"gamma delta ", 448}, {"epsilon", 432}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ((std::tuple{texts[i + 1].text, texts[i + 1].x, texts[i + 1].y}),
              (std::tuple{lines[i].first, 88, lines[i].second}));
    EXPECT_TRUE(texts[i + 1].highlighted && !texts[i + 1].label);
  }
  EXPECT_EQ(layout.position, (draw::Point{88 + 7 * 8, 432}));
  EXPECT_EQ(recording.surface().textBackground(), draw::kNoBackground);
  EXPECT_EQ(recording.surface().colour(), draw::kBlack);

  // A long word overruns; a label without room moves down.
  recording.ForgetOps();
  layout.position = {8, 464};
  layout.DrawLabelValue("Comments: ", "Supercalifragilisticexpialidocious", false);
  EXPECT_EQ(Texts().back().text, "Supercalifragilisticexpialidocious");
  EXPECT_EQ(layout.position, (draw::Point{88 + 34 * 8, 464}));

  recording.ForgetOps();
  layout.position = {120, 464};
  layout.DrawLabelValue("   Model: ", "5A", false);
  EXPECT_EQ((std::tuple{Texts()[0].text, Texts()[0].x, Texts()[0].y}), (std::tuple{"Model: ", 8, 448}));

  // Near the bottom, a label that fits on no line is not drawn at all.
  recording.ForgetOps();
  layout.position = {8, 20};
  layout.DrawLabelValue("A label far too long for this: ", "value", false);
  EXPECT_TRUE(recording.ops().empty());
  EXPECT_LT(layout.position.y, 0);
}

// Whole drawings on a 640 x 480 view, pictures in a scratch data directory.
class Description : public ::testing::Test {
 protected:
  void SetUp() override {
    registry.SetDataDirectory(dir.path().string());
    WritePicture(dir / "wide.bmp", 800, 300);
    WritePicture(dir / "small.bmp", 100, 80);
  }
  RadioRecord* Add(bool loaded, int id = 7) {
    auto r = test::MakeRadio(c, {.id = id,
                                 .model = "90",
                                 .status = kStatusRestoredAndSold,
                                 .tubes = {{kFunctionRectifier, "80"},
                                           {kFunctionPowerAmplifier, "2*47"},
                                           {kFunctionConverter, "24"},
                                           {kFunctionMixer, ""},
                                           {kFunctionDetector, "6B7GT"},
                                           {kFunctionNone, "27"}}});
    r->circuitType = test::Position(c, kTableCircuitType, "Superheterodyne");
    r->serialNumber = r->dateRestored = r->dateDisposed = r->whereDisposed = r->comments = "x";
    r->pictureIndex = registry.Register("small.bmp");
    auto copy = std::make_unique<RadioRecord>(*r);
    RadioRecord* added = AddRadio(c, std::move(r));
    if (loaded) AddAsLoadedRadio(c, std::move(copy));
    return added;
  }
  std::vector<Drawn> Draw(const RadioRecord* radio, bool maximised = false, bool reload = false) {
    recording.ForgetOps();
    view.DrawRadioDescription(recording.surface(), {c, radio, registry, maximised}, reload);
    return DrawnTexts(recording, 480);
  }
  bool HasLabel(const std::vector<Drawn>& drawn, std::string_view label) {
    return std::any_of(drawn.begin(), drawn.end(), [&](const Drawn& d) { return d.text.ends_with(label); });
  }

  test::TempDir dir;
  MessageRecorder messages;
  PictureRegistry registry;
  Collection c = test::MakeCollection();
  RecordingSurface recording{640, 480};
  RadioDescription view;
};

TEST_F(Description, ALoadedRadioIsDrawnInOrderWithoutHighlight) {
  const auto drawn = Draw(Add(true));
  std::vector<std::string> labels;
  for (const Drawn& d : drawn)
    if (d.label) labels.push_back(d.text);
  labels.resize(std::min<std::size_t>(labels.size(), 14));
  // The fifth label no longer fits beside the picture and opens a line without its blanks.
  EXPECT_EQ(labels, (std::vector<std::string>{
                        "ID: ", "   Brand: ", "   Model: ", "   Serial Number: ", "Year: ",
                        "   Manufacturer: ", "   Cabinet Style: ", "Cabinet Composition: ", "   Tuning: ",
                        "Grill: ", "   Power: ", "   Bands: ", "Circuit: ", "Tubes:"}));
  EXPECT_NE(Find(drawn, "Superheterodyne with Push-Pull Output"), nullptr);
  // Two short entries ("Converter: 24") share a line, the second 15 characters in; a longer one
  // ("Power Amplifier: 2*47") and one that began in the second column end their line.
  const int y = Find(drawn, "Tubes:")->y;
  const auto at = [&](std::string_view text) {
    return std::pair{Find(drawn, text)->x, Find(drawn, text)->y};
  };
  EXPECT_EQ(at("Converter: "), (std::pair{8, y - 16}));
  EXPECT_EQ(at("Detector: "), (std::pair{128, y - 16}));
  EXPECT_EQ(at("Power Amplifier: "), (std::pair{8, y - 32}));
  EXPECT_EQ(at("Rectifier: "), (std::pair{8, y - 48}));
  EXPECT_EQ(Find(drawn, "Mixer: "), nullptr);
  EXPECT_EQ(at("Date Acquired: "), (std::pair{8, y - 64}));  // no Extras line
  EXPECT_TRUE(std::none_of(drawn.begin(), drawn.end(), [](const Drawn& d) { return d.highlighted; }));
  EXPECT_TRUE(recording.OpsOf<test::LineOp>().empty());  // no frame
}

TEST_F(Description, StatusDecidesTheRestorationAndDisposalBlocks) {
  RadioRecord* radio = Add(true);
  // Repairs notes are shown whenever there are some, whatever the status.
  const struct {
    int status;
    const char* repairs;
    bool restored, sold, donated;
  } cases[] = {{kStatusRestoredAndSold, "", true, true, false},
               {kStatusSold, "", false, true, false},
               {kStatusDonated, "", false, false, true},
               {kStatusToBeRestored, "", false, false, false},
               {kStatusToBeRestored, "Recap", false, false, false},
               {kStatusSold, "Recap", false, true, false}};
  for (const auto& k : cases) {
    radio->status = k.status;
    radio->repairsNeeded = k.repairs;
    const auto drawn = Draw(radio);
    EXPECT_EQ(HasLabel(drawn, "Date Restored: "), k.restored) << k.status;
    EXPECT_EQ(HasLabel(drawn, "Repairs Needed: "), k.restored || *k.repairs != '\0')
        << "status " << k.status << " with repairs notes '" << k.repairs << "'";
    EXPECT_EQ(HasLabel(drawn, "Where Sold: "), k.sold) << k.status;
    EXPECT_EQ(HasLabel(drawn, "Where Donated: "), k.donated) << k.status;
    EXPECT_TRUE(HasLabel(drawn, "Schematic: "));
  }
}

TEST_F(Description, HighlightFollowsTheChangesSinceLoading) {
  RadioRecord* radio = Add(true);
  radio->model = "90B";
  radio->tubes.Set(1, kFunctionPowerAmplifier, "47");  // the circuit phrase follows its tubes
  std::vector<std::string> highlighted;
  for (const Drawn& d : Draw(radio))
    if (d.highlighted) highlighted.push_back(d.text);
  EXPECT_EQ(highlighted, (std::vector<std::string>{"90B", "Superheterodyne", "47"}));

  // A radio that was not in the file: everything but the identifier, and its picture framed.
  RadioRecord* added = Add(false, 8);
  added->extras = "Manual";
  const auto drawn = Draw(added);
  EXPECT_NE(Find(drawn, "Manual"), nullptr);
  for (const Drawn& d : drawn) EXPECT_EQ(d.highlighted, !d.label && d.text != "8") << d.text;
  const auto lines = recording.OpsOf<test::LineOp>();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].pen, (draw::Pen{draw::kLineSolid, 2, kYellow}));
}

TEST_F(Description, PictureCaptionHitsAndPlacement) {
  EXPECT_FALSE(view.PictureHit(600, 450));  // nothing drawn yet
  RadioRecord* radio = Add(true);
  auto drawn = Draw(radio);
  // Smaller than its quarter, the picture keeps its size in the top right corner; no caption.
  EXPECT_EQ(view.pictureRect(), (draw::Rect{540, 400, 640, 480}));
  EXPECT_EQ(Find(drawn, "1 of 1"), nullptr);
  EXPECT_TRUE(view.PictureHit(540, 400) && view.PictureHit(640, 480));
  EXPECT_FALSE(view.PictureHit(539, 450) || view.PictureHit(600, 399));

  // Reloading reads a changed file again; otherwise the cached picture stays.
  WritePicture(dir / "small.bmp", 50, 40);
  Draw(radio);
  EXPECT_EQ(view.pictureRect(), (draw::Rect{540, 400, 640, 480}));
  Draw(radio, false, true);
  EXPECT_EQ(view.pictureRect(), (draw::Rect{590, 440, 640, 480}));

  radio->extraPictureCount = 2;
  radio->extraPictureFiles[0] = "wide.bmp";
  radio->extraPictureIndex[0] = registry.Register("wide.bmp");
  radio->currentPicture = 0;
  drawn = Draw(radio);
  EXPECT_EQ(view.pictureRect(), (draw::Rect{320, 360, 640, 480}));  // 800 x 300 scaled by 0.4
  const Drawn* caption = Find(drawn, "2 of 3");
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ((std::tuple{caption->label, caption->x, caption->y}), (std::tuple{true, 320, 360}));
  // Maximised, the picture may take the whole top half, and the text starts below it.
  drawn = Draw(radio, true);
  EXPECT_EQ(view.pictureRect(), (draw::Rect{0, 240, 640, 480}));
  EXPECT_EQ(Find(drawn, "ID: ")->y, 192);

  // Without a picture the text takes the whole width; one that cannot be read leaves a card saying
  // why at the picture's corner, and a click on it still steps on.
  radio->currentPicture = -1;
  radio->pictureIndex = -1;
  drawn = Draw(radio);
  EXPECT_TRUE(recording.OpsOf<test::BitmapOp>().empty());
  EXPECT_EQ(Find(drawn, "   Year: ")->y, 464);
  EXPECT_FALSE(view.PictureHit(600, 450));
  radio->pictureIndex = registry.Register("missing.bmp");
  Draw(radio);
  EXPECT_EQ(view.pictureRect()->right, 640);
  EXPECT_EQ(view.pictureRect()->top, 480);
  EXPECT_TRUE(view.PictureHit(630, 470));

  Draw(nullptr);
  EXPECT_EQ(recording.ops().size(), 1u);  // only cleared
  EXPECT_FALSE(view.PictureHit(600, 450));
}

}  // namespace
}  // namespace korvel

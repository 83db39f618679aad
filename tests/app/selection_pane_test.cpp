// The selection pane's entries, scrolling, highlighting, letter jumps and cells.
#include <gtest/gtest.h>

#include "app/selection_pane.h"
#include "support/collection_builder.h"
#include "support/recording_surface.h"

namespace korvel {
namespace {

using test::AddLoadedRadio;

class Pane : public ::testing::Test {
 protected:
  // n radios, brands taken in turn from the list.
  void Fill(int n, std::vector<std::string> brands = {"Philco"}) {
    const int first = collection_.radios.Count();
    for (int i = first; i < first + n; ++i) {
      RadioRecord* r =
          AddLoadedRadio(collection_, {.id = i + 1,
                                       .brand = brands[static_cast<std::size_t>(i) % brands.size()],
                                       .model = std::string("M").append(std::to_string(i + 1))});
      InsertRadio(collection_.tables, r, selection_.current);
    }
  }
  Collection collection_ = test::MakeCollection();
  SelectionState selection_;
  SelectionPane pane_;
};

TEST(PaneWidth, AnEighthOfTheHeightAtFourToThreeCappedAndRoundedToSixteen) {
  EXPECT_EQ(PaneWidth(1000, 480, 16), 96);    // 60 * 1.333 = 79 + 16 = 95 -> 96
  EXPECT_EQ(PaneWidth(200, 480, 16), 80);     // a quarter of the width: 50 + 16 = 66 -> 80
  EXPECT_EQ(PaneWidth(2000, 2000, 16), 112);  // capped at 100, then rounded up
}

TEST_F(Pane, RebuildKeepsTheFirstThousandAndBringsTheCurrentRadioFourDown) {
  Fill(1500);
  selection_.currentRadio = selection_.current.Records()[2];
  pane_.Rebuild(selection_);
  EXPECT_EQ(pane_.Count(), 1000);
  EXPECT_EQ(pane_.First(), 0);
  EXPECT_EQ(pane_.RadioAt(999), selection_.current.Records()[999]);
  EXPECT_EQ(pane_.RadioAt(1000), nullptr);

  selection_.currentRadio = selection_.current.Records()[30];
  pane_.Rebuild(selection_);
  EXPECT_EQ(pane_.First(), 26);
}

TEST_F(Pane, ScrollingStaysWithinTheEntries) {
  Fill(5);
  pane_.Rebuild(selection_);
  EXPECT_FALSE(pane_.ScrollBy(7));
  EXPECT_EQ(pane_.First(), 0);
  EXPECT_EQ(pane_.ScrollValue(), 100);

  Fill(15);  // 20 in all
  pane_.Rebuild(selection_);
  EXPECT_TRUE(pane_.ScrollBy(7));
  EXPECT_EQ(pane_.First(), 7);
  EXPECT_TRUE(pane_.ScrollBy(7));
  EXPECT_EQ(pane_.First(), 12);  // 20 - 8
  EXPECT_EQ(pane_.ScrollValue(), 40);
  EXPECT_TRUE(pane_.ScrollBy(-100));
  EXPECT_EQ(pane_.First(), 0);
  EXPECT_EQ(pane_.FirstForThumb(50), 10);

  SelectionPane empty;
  EXPECT_EQ(empty.ScrollValue(), 0);
}

TEST_F(Pane, HighlightBringsTheLastEntryOfTheRadioIntoView) {
  Fill(20);
  pane_.Rebuild(selection_);
  RadioRecord* radio = selection_.current.Records()[15];
  pane_.Highlight(radio);
  EXPECT_TRUE(pane_.HighlightedAt(15));
  EXPECT_FALSE(pane_.HighlightedAt(14));
  EXPECT_EQ(pane_.First(), 8);
  pane_.Highlight(selection_.current.Records()[3]);
  EXPECT_FALSE(pane_.HighlightedAt(15));
  EXPECT_EQ(pane_.First(), 3);
}

TEST_F(Pane, LetterJumpsFindTheFirstBrandAtOrAfterTheLetter) {
  // Radio order is brand order: Crosley, Philco, Zenith.
  Fill(6, {"Crosley", "Philco", "Zenith"});
  pane_.Rebuild(selection_);
  const TableSet& tables = collection_.tables;
  EXPECT_EQ(tables[kTableBrandName].Text(pane_.RadioAt(pane_.LetterIndex(tables, 'm'))->brand), "Philco");
  EXPECT_EQ(pane_.LetterIndex(tables, 'A'), 0);
  // Nothing at or after the letter: the last entry.
  SelectionPane few;
  selection_.current.KeepOnly([&](const RadioRecord* r) {
    return r->brand != test::Position(collection_, kTableBrandName, "Zenith");
  });
  few.Rebuild(selection_);
  EXPECT_EQ(few.LetterIndex(tables, 'Z'), few.Count() - 1);
  EXPECT_EQ(SelectionPane().LetterIndex(tables, 'A'), -1);
}

TEST_F(Pane, CellsAreDrawnOnceUntilTheirRadioOrHighlightChanges) {
  Fill(3);
  pane_.Rebuild(selection_);
  test::RecordingSurface recording(100, 800);
  draw::Surface& surface = recording.surface();
  PictureRegistry registry;
  pane_.Draw(surface, registry, collection_.tables, true);
  EXPECT_FALSE(recording.ops().empty());
  recording.ForgetOps();
  pane_.Draw(surface, registry, collection_.tables, false);
  EXPECT_TRUE(recording.ops().empty());

  // Text cells: brand and model, centred.
  pane_.Draw(surface, registry, collection_.tables, true);
  const auto texts = recording.OpsOf<test::TextOp>();
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "Philco");
  EXPECT_EQ(texts[0].baselineStart.x, (100 - 6 * 8) / 2);
  EXPECT_EQ(texts[1].text, "M1");

  // A brand in UTF-8 is centred by its characters; a radio whose snapshot cannot be drawn shows as
  // text, without the frame that only picture cells carry.
  collection_.tables[kTableBrandName].entries[1] = "K\xc3\xb6rting";  // in Emerson's place
  Fill(1, {"K\xc3\xb6rting"});
  pane_.Rebuild(selection_);
  RadioRecord* koerting = pane_.RadioAt(0);
  ASSERT_EQ(koerting->model, "M4");
  koerting->thumbnailIndex = registry.Register("snapshots/missing.jpg");
  pane_.Highlight(koerting);
  recording.ForgetOps();
  pane_.Draw(surface, registry, collection_.tables, true);
  const auto shown = recording.OpsOf<test::TextOp>();
  ASSERT_GE(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "K\xc3\xb6rting");
  EXPECT_EQ(shown[0].baselineStart.x, (100 - 7 * 8) / 2);
  EXPECT_TRUE(recording.OpsOf<test::LineOp>().empty());

  pane_.filling = true;
  recording.ForgetOps();
  pane_.Draw(surface, registry, collection_.tables, true);
  EXPECT_TRUE(recording.ops().empty());
}

}  // namespace
}  // namespace korvel

#include "reports/inventory_drawing.h"

#include <gtest/gtest.h>

#include "collection/tubes.h"
#include "support/recording_surface.h"

namespace korvel {
namespace {

using test::RecordingSurface;
using test::TextOp;

// Types with their pieces used and in stock, as the window shows them.
InventoryUsage Usage(std::initializer_list<std::tuple<const char*, int, int>> types) {
  InventoryUsage usage;
  usage.kind = kTechTube;
  usage.title = "Tube";
  for (const auto& [type, used, stock] : types) {
    InventoryItem& item = usage.items[PadTubeName(type)];
    item.name = PadTubeName(type);
    item.count = used;
    item.secondCount = stock;
  }
  return usage;
}

const draw::Rgb kBlackRgb{0, 0, 0};
const draw::Rgb kRedRgb = *draw::PaletteColour(draw::kRed);

// Items fill as many columns as the width allows, evenly and in tube order: name, pieces used and in
// stock, in red where the stock runs short; a click near a name finds that item, far off none.
TEST(InventoryDrawing, ColumnsInTubeOrderShortagesInRedAndAClickFindsTheName) {
  const InventoryUsage usage =
      Usage({{"6V6", 11, 2}, {"12SK7", 10, 2}, {"35Z5", 100, 3}, {"80", 1, 0}, {"OZ4", 0, 5}});
  const struct {
    const char *name, *used, *stock;
    bool shortOfStock;
  } rows[] = {{"   6V6", "11", "2", true},
              {"  12SK7", "10", "2", false},
              {"  35Z5", "100", "3", false},
              {"  80", "1", "0", true},
              {" OZ4", "0", "5", false}};
  // The recording font is 8 pixels wide: 360 pixels hold two columns, 100 one.
  for (const auto& [width, columns] : {std::pair{360, 2}, std::pair{100, 1}}) {
    SCOPED_TRACE(std::to_string(width) + " pixels wide");
    RecordingSurface recording(width, 480);
    DrawInventory(recording.surface(), usage);
    const std::vector<TextOp> texts = recording.OpsOf<TextOp>();
    ASSERT_EQ(texts.size(), 1u + 3u * columns + 3u * 5u);
    EXPECT_EQ(texts[0].text, "Tube");
    EXPECT_EQ(2 * texts[0].baselineStart.x + 4 * 8, width) << "the title is not centred";
    for (int c = 0; c < columns; ++c)
      EXPECT_EQ(texts[1 + 3 * c].text + texts[2 + 3 * c].text + texts[3 + 3 * c].text, "TypeUsedStock");
    const int perColumn = (5 + columns - 1) / columns;
    for (int i = 0; i < 5; ++i) {
      const TextOp* line = &texts[1 + 3 * columns + 3 * i];
      EXPECT_EQ(line[0].text + "|" + line[1].text + "|" + line[2].text,
                std::string(rows[i].name) + "|" + rows[i].used + "|" + rows[i].stock);
      for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(line[k].colour, rows[i].shortOfStock ? kRedRgb : kBlackRgb) << rows[i].name;
        EXPECT_EQ(line[k].baselineStart.y, line[0].baselineStart.y) << rows[i].name << " is not one line";
      }
      if (i % perColumn != 0) {
        EXPECT_EQ(line[0].baselineStart,
                  (draw::DevicePoint{line[-3].baselineStart.x, line[-3].baselineStart.y + 16}))
            << rows[i].name << " is not under " << rows[i - 1].name;
      } else if (i > 0) {
        EXPECT_GT(line[0].baselineStart.x, line[-1].baselineStart.x) << rows[i].name << " opens no column";
      }
      // In the middle of the name, a little above its baseline, in view terms.
      const int x = line[0].baselineStart.x + 8 * static_cast<int>(line[0].text.size()) / 2;
      const InventoryItem* hit =
          InventoryAt(recording.surface(), usage, x, 480 - line[0].baselineStart.y + 5);
      EXPECT_EQ(hit != nullptr ? hit->name : "nothing", rows[i].name) << "a click on " << rows[i].name;
    }
    EXPECT_EQ(InventoryAt(recording.surface(), usage, width - 1, 100), nullptr);
  }
  RecordingSurface empty(360, 480);
  EXPECT_EQ(InventoryAt(empty.surface(), InventoryUsage{}, 32, 453), nullptr);
}

}  // namespace
}  // namespace korvel

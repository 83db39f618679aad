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

// The recording font is 8 pixels wide and 16 high: a column is 176 pixels, so 360 take two.
TEST(InventoryDrawing, ColumnsOfNameUsedAndStockWithShortagesInRed) {
  RecordingSurface recording(360, 480);
  const InventoryUsage usage =
      Usage({{"6V6", 11, 2}, {"12SK7", 10, 2}, {"35Z5", 100, 3}, {"80", 1, 0}, {"OZ4", 0, 5}});
  DrawInventory(recording.surface(), usage);

  const std::vector<TextOp> texts = recording.OpsOf<TextOp>();
  ASSERT_EQ(texts.size(), 1u + 3u * 2u + 3u * 5u);
  EXPECT_EQ(texts[0].text, "Tube");
  EXPECT_EQ(texts[0].baselineStart, (draw::DevicePoint{164, 16}));  // centred on the top line
  // Each column's headings on the line below the title, then three items to a column.
  for (int column = 0; column < 2; ++column) {
    const TextOp* heading = &texts[1 + 3 * column];
    EXPECT_EQ(heading[0].text + heading[1].text + heading[2].text, "TypeUsedStock");
    EXPECT_EQ(heading[1].baselineStart, (draw::DevicePoint{8 + 176 * column + 80, 32}));
    EXPECT_EQ(heading[2].baselineStart, (draw::DevicePoint{8 + 176 * column + 120, 32}));
  }
  const auto expect = [&](std::size_t item, const char* name, const char* used, const char* stock, int x,
                          int row, draw::Rgb colour) {
    const TextOp* line = &texts[7 + 3 * item];
    EXPECT_EQ(line[0].text, name);
    EXPECT_EQ(line[0].baselineStart, (draw::DevicePoint{x, row}));
    EXPECT_EQ(line[1].text, used);
    EXPECT_EQ(line[1].baselineStart, (draw::DevicePoint{x + 80, row}));
    EXPECT_EQ(line[2].text, stock);
    EXPECT_EQ(line[2].baselineStart, (draw::DevicePoint{x + 120, row}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(line[i].colour, colour) << name;
  };
  expect(0, "   6V6", "11", "2", 8, 48, kRedRgb);
  expect(1, "  12SK7", "10", "2", 8, 64, kBlackRgb);
  expect(2, "  35Z5", "100", "3", 8, 80, kBlackRgb);
  expect(3, "  80", "1", "0", 184, 48, kRedRgb);
  expect(4, " OZ4", "0", "5", 184, 64, kBlackRgb);

  // A window narrower than one column still has one.
  RecordingSurface narrow(100, 480);
  DrawInventory(narrow.surface(), usage);
  EXPECT_EQ(narrow.OpsOf<TextOp>()[16].baselineStart, (draw::DevicePoint{8, 112}));
}

TEST(InventoryDrawing, AClickFindsTheNearestNameWithinReach) {
  RecordingSurface recording(360, 480);
  const InventoryUsage usage = Usage({{"6V6", 11, 2}, {"12SK7", 10, 2}, {"35Z5", 100, 3}, {"80", 1, 0}});
  draw::Surface& surface = recording.surface();
  const auto at = [&](int x, int y) -> std::string {
    const InventoryItem* item = InventoryAt(surface, usage, x, y);
    return item != nullptr ? std::string(UnpaddedName(item->name)) : "none";
  };
  // The middle of "   6V6": 8 + 48 / 2 across, 3 below its baseline 432 and half a line up.
  EXPECT_EQ(at(32, 437), "6V6");
  EXPECT_EQ(at(20, 424), "12SK7");
  // Four items make two columns of two.
  EXPECT_EQ(at(204, 439), "35Z5");
  EXPECT_EQ(at(200, 421), "80");
  // Reach: 3 x (8² + 16²) = 960 squared pixels.
  EXPECT_EQ(at(62, 437), "6V6");
  EXPECT_EQ(at(64, 437), "none");
  EXPECT_EQ(at(300, 100), "none");
  EXPECT_EQ(InventoryAt(surface, InventoryUsage{}, 32, 453), nullptr);
}

}  // namespace
}  // namespace korvel

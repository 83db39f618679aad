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

// The recording font is 8 pixels wide and 16 high: a column is 152 pixels, so 320 take two.
TEST(InventoryDrawing, ColumnsOfNameUsedAndStockWithShortagesInRed) {
  RecordingSurface recording(320, 480);
  const InventoryUsage usage =
      Usage({{"6V6", 11, 2}, {"12SK7", 10, 2}, {"35Z5", 100, 3}, {"80", 1, 0}, {"OZ4", 0, 5}});
  DrawInventory(recording.surface(), usage);

  const std::vector<TextOp> texts = recording.OpsOf<TextOp>();
  ASSERT_EQ(texts.size(), 1u + 3u * 5u);
  EXPECT_EQ(texts[0].text, "Tube");
  EXPECT_EQ(texts[0].baselineStart, (draw::DevicePoint{144, 16}));  // centred on the top line
  // Three items to a column, from the line below the title, one character in.
  const auto expect = [&](std::size_t item, const char* name, const char* used, const char* stock, int x,
                          int row, draw::Rgb colour) {
    const TextOp* line = &texts[1 + 3 * item];
    EXPECT_EQ(line[0].text, name);
    EXPECT_EQ(line[0].baselineStart, (draw::DevicePoint{x, row}));
    EXPECT_EQ(line[1].text, used);
    EXPECT_EQ(line[1].baselineStart, (draw::DevicePoint{x + 80, row}));
    EXPECT_EQ(line[2].text, stock);
    EXPECT_EQ(line[2].baselineStart, (draw::DevicePoint{x + 104, row}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(line[i].colour, colour) << name;
  };
  expect(0, "   6V6", "11", "2", 8, 32, kRedRgb);
  expect(1, "  12SK7", "10", "2", 8, 48, kBlackRgb);
  expect(2, "  35Z5", "100", "3", 8, 64, kBlackRgb);
  expect(3, "  80", "1", "0", 160, 32, kRedRgb);
  expect(4, " OZ4", "0", "5", 160, 48, kBlackRgb);

  // A window narrower than one column still has one.
  RecordingSurface narrow(100, 480);
  DrawInventory(narrow.surface(), usage);
  EXPECT_EQ(narrow.OpsOf<TextOp>()[13].baselineStart, (draw::DevicePoint{8, 96}));
}

TEST(InventoryDrawing, AClickFindsTheNearestNameWithinReach) {
  RecordingSurface recording(320, 480);
  const InventoryUsage usage = Usage({{"6V6", 11, 2}, {"12SK7", 10, 2}, {"35Z5", 100, 3}, {"80", 1, 0}});
  draw::Surface& surface = recording.surface();
  const auto at = [&](int x, int y) -> std::string {
    const InventoryItem* item = InventoryAt(surface, usage, x, y);
    return item != nullptr ? std::string(UnpaddedName(item->name)) : "none";
  };
  // The middle of "   6V6": 8 + 48 / 2 across, 3 below its baseline 448 and half a line up.
  EXPECT_EQ(at(32, 453), "6V6");
  EXPECT_EQ(at(20, 440), "12SK7");
  // Four items make two columns of two.
  EXPECT_EQ(at(180, 455), "35Z5");
  EXPECT_EQ(at(176, 437), "80");
  // Reach: 3 x (8² + 16²) = 960 squared pixels.
  EXPECT_EQ(at(62, 453), "6V6");
  EXPECT_EQ(at(64, 453), "none");
  EXPECT_EQ(at(300, 100), "none");
  EXPECT_EQ(InventoryAt(surface, InventoryUsage{}, 32, 453), nullptr);
}

}  // namespace
}  // namespace korvel

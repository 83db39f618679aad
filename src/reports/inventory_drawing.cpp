#include "reports/inventory_drawing.h"

#include <algorithm>
#include <limits>
#include <string>

#include "draw/font.h"

namespace korvel {

std::vector<InventoryLine> LayOutInventory(const draw::Surface& surface, const InventoryUsage& usage) {
  std::vector<InventoryLine> lines;
  const int c = surface.CharWidth();
  const int l = surface.LineHeight();
  if (c <= 0 || l <= 0) return lines;  // no font: nothing to place
  const draw::Rect& area = surface.bounds();
  const int columnWidth = kInventoryColumnChars * c;
  const int columns = std::max(1, (area.right - area.left) / columnWidth);
  const int n = static_cast<int>(usage.items.size());
  const int perColumn = std::max(1, (n + columns - 1) / columns);
  const int firstLine = area.top - 3 * l;  // the title and the headings take the top lines
  lines.reserve(usage.items.size());
  int index = 0;
  for (const auto& [name, item] : usage.items) {
    const int column = index / perColumn;
    const int row = index % perColumn;
    lines.push_back({&item, {area.left + c + column * columnWidth, firstLine - row * l}});
    ++index;
  }
  return lines;
}

void DrawInventory(draw::Surface& surface, const InventoryUsage& usage) {
  surface.Clear();
  const int c = surface.CharWidth();
  const int l = surface.LineHeight();
  if (c <= 0 || l <= 0) return;
  const draw::Rect& area = surface.bounds();
  surface.SetTextBackground(draw::kNoBackground);
  surface.SetColour(surface.textColour());
  const int titleWidth = draw::TextWidth(usage.title, c);
  surface.DrawText({area.left + (area.right - area.left - titleWidth) / 2, area.top - l}, usage.title);
  const int columnWidth = kInventoryColumnChars * c;
  // Headings over each column that holds types (over the first when there are none).
  const int n = static_cast<int>(usage.items.size());
  const int fit = std::max(1, (area.right - area.left) / columnWidth);
  const int perColumn = std::max(1, (n + fit - 1) / fit);
  const int columns = std::max(1, (n + perColumn - 1) / perColumn);
  for (int column = 0; column < columns; ++column) {
    draw::Point at{area.left + c + column * columnWidth, area.top - 2 * l};
    surface.DrawText(at, "Type");
    at.x += kInventoryNameChars * c;
    surface.DrawText(at, "Used");
    at.x += kInventoryCountChars * c;
    surface.DrawText(at, "Stock");
  }
  for (const InventoryLine& line : LayOutInventory(surface, usage)) {
    const InventoryItem& item = *line.item;
    surface.SetColour(IsShortOfStock(item) ? draw::kRed : surface.textColour());
    draw::Point at = line.baseline;
    surface.DrawText(at, item.name);
    at.x += kInventoryNameChars * c;
    surface.DrawText(at, std::to_string(item.count));
    at.x += kInventoryCountChars * c;
    surface.DrawText(at, std::to_string(item.secondCount));
  }
  surface.SetColour(surface.textColour());
}

const InventoryItem* InventoryAt(const draw::Surface& surface, const InventoryUsage& usage, int x, int y) {
  const int c = surface.CharWidth();
  const int l = surface.LineHeight();
  const draw::Font* font = surface.CurrentFont();
  const int descent = font != nullptr ? font->descent : 0;
  const InventoryItem* nearest = nullptr;
  long long best = std::numeric_limits<long long>::max();
  for (const InventoryLine& line : LayOutInventory(surface, usage)) {
    // The middle of the name as drawn: half its width along, half a line up from the line's bottom.
    const long long dx = x - (line.baseline.x + draw::TextWidth(line.item->name, c) / 2);
    const long long dy = y - (line.baseline.y - descent + l / 2);
    const long long distance = dx * dx + dy * dy;
    if (distance < best) {
      best = distance;
      nearest = line.item;
    }
  }
  const long long reach = 3LL * (static_cast<long long>(c) * c + static_cast<long long>(l) * l);
  return best <= reach ? nearest : nullptr;
}

}  // namespace korvel

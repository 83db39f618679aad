#include "draw/geometry.h"

#include <algorithm>

namespace korvel::draw {

DeviceRect AreaToDevice(int surfaceTop, const Rect& area) {
  return {area.left, DeviceRow(surfaceTop, area.top), area.right, DeviceRow(surfaceTop, area.bottom)};
}

DeviceRect FilledRectangleToDevice(int surfaceTop, Point corner0, Point corner1) {
  const int left = std::min(corner0.x, corner1.x), right = std::max(corner0.x, corner1.x);
  const int bottom = std::min(corner0.y, corner1.y), top = std::max(corner0.y, corner1.y);
  // The far corners are included, so the excluded device edges lie one beyond them.
  return {left, DeviceRow(surfaceTop, top), right + 1, DeviceRow(surfaceTop, bottom) + 1};
}

}  // namespace korvel::draw

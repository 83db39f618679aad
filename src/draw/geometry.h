// Surface coordinates grow upwards from the bottom of the drawable rectangle; the device counts rows
// downwards from its top. A point (x, y) is at device column x, row top - y.
#pragma once

namespace korvel::draw {

struct Point {
  int x = 0, y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0, height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// An area of the surface between its edges: clear, scroll and bitmaps cover x from left up to right and
// y from bottom up to top, that is device rows top - rect.top to top - rect.bottom - 1.
struct Rect {
  int left = 0, bottom = 0, right = 0, top = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct DevicePoint {
  int x = 0, y = 0;
  friend bool operator==(const DevicePoint&, const DevicePoint&) = default;
};

// Device area: left column and top row included, right column and bottom row excluded.
struct DeviceRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const DeviceRect&, const DeviceRect&) = default;
};

inline constexpr int DeviceRow(int surfaceTop, int y) {
  return surfaceTop - y;
}
inline constexpr DevicePoint ToDevice(int surfaceTop, Point p) {
  return {p.x, DeviceRow(surfaceTop, p.y)};
}

// The device area of a surface area (clear, scroll, bitmaps).
DeviceRect AreaToDevice(int surfaceTop, const Rect& area);

// The device area of a filled rectangle: both corners are included, given in either order.
DeviceRect FilledRectangleToDevice(int surfaceTop, Point corner0, Point corner1);

}  // namespace korvel::draw

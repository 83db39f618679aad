#include "pictures/picture_cells.h"

#include <algorithm>
#include <string>
#include <vector>

#include "util/message.h"

namespace korvel {
namespace {

// Fills the area between the edges as a bitmap covers it (x from left up to right, y above bottom
// up to top); nothing for an empty one.
void Fill(draw::Surface& surface, int left, int bottom, int right, int top, int colour) {
  if (right > left && top > bottom) surface.FillRectangle(left, bottom + 1, right - 1, top, colour);
}

draw::Rect PlaceIn(const draw::Rect& cell, int width, int height, int flags) {
  const int cw = cell.right - cell.left;
  const int ch = cell.top - cell.bottom;
  width = std::min(width, cw);
  height = std::min(height, ch);
  int dx = 0, dy = 0;
  if ((flags & kCellCentre) != 0) {
    dx = (cw - width) / 2;
    dy = (ch - height) / 2;
  } else if ((flags & kCellTopLeft) != 0) {
    dy = ch - height;
  } else if ((flags & kCellTopRight) != 0) {
    dx = cw - width;
    dy = ch - height;
  } else if ((flags & kCellBottomRight) != 0) {
    dx = cw - width;
  }
  return {cell.left + dx, cell.bottom + dy, cell.left + dx + width, cell.bottom + dy + height};
}

// A card of about a third of the cell: large enough to read, small enough to leave the text room.
draw::Rect PlaceholderRect(const draw::Surface& surface, const draw::Rect& cell, int flags) {
  const int line = std::max(surface.LineHeight(), 12);
  const int width = std::max((cell.right - cell.left) / 2, 40 * std::max(surface.CharWidth(), 1));
  return PlaceIn(cell, width, 6 * line, flags);
}

// The text cut to what fits in `room` characters, an ellipsis marking the cut.
std::string Fitted(std::string text, int room) {
  if (room < 4) return {};
  if (static_cast<int>(text.size()) > room) text = text.substr(0, static_cast<std::size_t>(room - 3)) + "...";
  return text;
}

// The text in lines of at most `room` characters, broken between words where it can be.
std::vector<std::string> Wrapped(const std::string& text, int room) {
  std::vector<std::string> lines;
  if (room < 4) return lines;
  const std::size_t width = static_cast<std::size_t>(room);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = std::min(start + width, text.size());
    if (end < text.size()) {
      const std::size_t blank = text.rfind(' ', end);
      if (blank != std::string::npos && blank > start) end = blank;
    }
    lines.push_back(text.substr(start, end - start));
    start = end;
    while (start < text.size() && text[start] == ' ') ++start;
  }
  return lines;
}

void DrawPlaceholder(draw::Surface& surface, PictureRegistry& registry, int index, const draw::Rect& cell,
                     int flags) {
  const std::string path = registry.ReportedPath(index);
  const std::string problem = registry.Problem(index);
  registry.NoteUnshown(index);
  const draw::Rect r = PlaceholderRect(surface, cell, flags);
  Fill(surface, r.left, r.bottom, r.right, r.top, draw::kLightGrey);
  const int line = surface.LineHeight();
  const int charWidth = surface.CharWidth();
  if (line <= 0 || charWidth <= 0) return;
  const int room = (r.right - r.left - 2 * charWidth) / charWidth;
  const std::size_t cut = path.find_last_of("\\/");
  const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
  const int colour = surface.colour();
  const int background = surface.textBackground();
  surface.SetTextBackground(draw::kNoBackground);
  surface.SetColour(draw::kBlack);
  std::vector<std::string> lines{Fitted(name, room)};
  for (std::string& text : Wrapped(problem.empty() ? std::string("It cannot be shown.") : problem, room))
    lines.push_back(std::move(text));
  int y = r.top - line - line / 2;
  for (const std::string& text : lines) {
    if (y < r.bottom + line / 2) break;
    surface.DrawText({r.left + charWidth, y}, text);
    y -= line;
  }
  surface.SetColour(colour);
  surface.SetTextBackground(background);
}

}  // namespace

draw::Rect PlaceholderRect(const draw::Surface& surface, int column, int row, int columns, int rows,
                           int flags) {
  return PlaceholderRect(surface, PictureCell(surface, column, row, columns, rows), flags);
}

draw::Rect PictureCell(const draw::Surface& surface, int column, int row, int columns, int rows) {
  const draw::Rect& area = surface.bounds();
  columns = std::max(columns, 1);
  rows = std::max(rows, 1);
  const int cw = (area.right - area.left) / columns;
  const int ch = (area.top - area.bottom) / rows;
  draw::Rect cell;
  cell.left = area.left + column * cw;
  cell.right = cell.left + cw;
  cell.bottom = area.top - ch * (row + 1);
  cell.top = cell.bottom + ch;
  return cell;
}

draw::Rect PictureCellRect(const draw::Surface& surface, PictureRegistry& registry, int index, int column,
                           int row, int columns, int rows, int flags, float factor) {
  const draw::Rect cell = PictureCell(surface, column, row, columns, rows);
  if (index < 0 || (flags & kCellWhole) != 0) return cell;
  int w = 0, h = 0;
  if (!registry.GetSize(index, w, h) || w <= 0 || h <= 0) {
    return {cell.right, cell.top, cell.right, cell.top};
  }
  const int cw = cell.right - cell.left;
  const int ch = cell.top - cell.bottom;
  float s = factor * std::min(static_cast<float>(cw) / static_cast<float>(w),
                              static_cast<float>(ch) / static_cast<float>(h));
  if (s > 1.0f && !surface.onPrinter()) s = 1.0f;
  const float pw = static_cast<float>(w) * s;
  const float ph = static_cast<float>(h) * s;
  int dx = 0, dy = 0;
  if ((flags & kCellCentre) != 0) {
    dx = static_cast<int>((static_cast<float>(cw) - pw) / 2);
    dy = static_cast<int>((static_cast<float>(ch) - ph) / 2);
  } else if ((flags & kCellTopLeft) != 0) {
    dy = static_cast<int>(static_cast<float>(ch) - ph);
  } else if ((flags & kCellTopRight) != 0) {
    dx = static_cast<int>(static_cast<float>(cw) - pw);
    dy = static_cast<int>(static_cast<float>(ch) - ph);
  } else if ((flags & kCellBottomRight) != 0) {
    dx = static_cast<int>(static_cast<float>(cw) - pw);
  }
  draw::Rect r;
  r.left = cell.left + dx;
  r.right = r.left + static_cast<int>(pw);
  r.bottom = cell.bottom + dy;
  r.top = r.bottom + static_cast<int>(ph);
  return r;
}

int DrawPictureInCell(draw::Surface& surface, PictureRegistry& registry, int index, int column, int row,
                      int columns, int rows, int flags, float factor) {
  const draw::Rect cell = PictureCell(surface, column, row, columns, rows);
  if ((flags & kCellClear) != 0)
    ClearPictureCell(surface, column, row, columns, rows, surface.backgroundColour());
  // Read at the size of the cell: the cache holds what is shown, not the camera's full picture.
  const int slot =
      registry.GetBitmap(index, (flags & kCellReload) != 0, cell.right - cell.left, cell.top - cell.bottom);
  if (slot < 0) {
    if ((flags & kCellPlaceholder) != 0 && index >= 0) DrawPlaceholder(surface, registry, index, cell, flags);
    return 0;
  }
  const draw::Rect r = PictureCellRect(surface, registry, index, column, row, columns, rows, flags, factor);
  if ((flags & kCellClearMargins) != 0) {
    const int background = surface.backgroundColour();
    Fill(surface, cell.left, cell.bottom, r.left, cell.top, background);
    Fill(surface, r.left, r.top, r.right, cell.top, background);
    Fill(surface, r.right, cell.bottom, cell.right, cell.top, background);
    Fill(surface, r.left, cell.bottom, r.right, r.bottom, background);
  }
  return GalStretchBitmap(surface, registry.SlotBitmap(slot), r);
}

void ReportUnshownPictures(PictureRegistry& registry) {
  for (const int index : registry.TakeUnshown()) {
    ShowMessage(kWarning, kButtonsOk, "The picture '%s' cannot be shown: %s.",
                registry.ReportedPath(index).c_str(), registry.Problem(index).c_str());
  }
}

void ClearPictureCell(draw::Surface& surface, int column, int row, int columns, int rows, int colour) {
  const draw::Rect cell = PictureCell(surface, column, row, columns, rows);
  Fill(surface, cell.left, cell.bottom, cell.right, cell.top, colour);
}

void FramePictureCell(draw::Surface& surface, PictureRegistry& registry, int index, int column, int row,
                      int columns, int rows, int flags, float factor) {
  const draw::Rect r = PictureCellRect(surface, registry, index, column, row, columns, rows, flags, factor);
  const int colour = surface.colour();
  surface.SetLineWidth(2);
  surface.SetColour((flags & kCellEraseFrame) != 0 ? surface.backgroundColour() : surface.highlightColour());
  surface.MoveTo(r.left + 1, r.bottom + 1);
  surface.LineTo(r.left + 1, r.top - 1);
  surface.LineTo(r.right - 1, r.top - 1);
  surface.LineTo(r.right - 1, r.bottom + 1);
  surface.LineTo(r.left + 1, r.bottom + 1);
  surface.RestoreDefaultLine();
  surface.SetColour(colour);
}

}  // namespace korvel

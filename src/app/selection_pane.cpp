#include "app/selection_pane.h"

#include <algorithm>
#include <string_view>

#include "pictures/picture_cells.h"

namespace korvel {

int PaneWidth(int clientWidth, int clientHeight, int scrollBarWidth) {
  int width = static_cast<int>(clientHeight / 8 * 1.333);
  if (width > clientWidth / 4) width = clientWidth / 4;
  width += scrollBarWidth;
  width = std::min(width, 100);
  return (width + 15) / 16 * 16;
}

void SelectionPane::Rebuild(const SelectionState& selection) {
  std::fill(entries_.begin(), entries_.end(), Entry{});
  count_ = 0;
  first_ = 0;
  const int currentId = selection.currentRadio != nullptr ? selection.currentRadio->id : -1;
  for (RadioRecord* radio : selection.current.Records()) {
    if (count_ == kPaneEntryLimit) break;
    if (currentId >= 0 && radio->id == currentId) first_ = std::max(count_ - 4, 0);
    entries_[count_++].radio = radio;
  }
}

void SelectionPane::Forget(const RadioRecord* radio) {
  auto end = std::remove_if(entries_.begin(), entries_.begin() + count_,
                            [&](const Entry& entry) { return entry.radio == radio; });
  const int removed = static_cast<int>(entries_.begin() + count_ - end);
  std::fill(end, entries_.begin() + count_, Entry{});
  count_ -= removed;
  for (Cell& cell : cells_) {
    if (cell.radio == radio) cell = {};
  }
  ScrollTo(first_);
}

RadioRecord* SelectionPane::RadioAt(int index) const {
  return index >= 0 && index < count_ ? entries_[index].radio : nullptr;
}

bool SelectionPane::HighlightedAt(int index) const {
  return index >= 0 && index < count_ && entries_[index].highlighted;
}

bool SelectionPane::ScrollTo(int first) {
  if (first + kPaneCells > count_) first = count_ - kPaneCells;
  first = std::max(first, 0);
  const bool moved = first != first_;
  first_ = first;
  return moved;
}

bool SelectionPane::ScrollBy(int delta) {
  return ScrollTo(first_ + delta);
}

int SelectionPane::ScrollValue() const {
  return count_ == 0 ? 0 : 100 - 100 * first_ / count_;
}

void SelectionPane::ClearHighlights() {
  for (Entry& entry : entries_) entry.highlighted = false;
}

void SelectionPane::Highlight(const RadioRecord* radio) {
  ClearHighlights();
  if (radio == nullptr) return;
  int last = -1;
  for (int i = 0; i < count_; ++i) {
    if (entries_[i].radio != nullptr && entries_[i].radio->id == radio->id) {
      entries_[i].highlighted = true;
      last = i;
    }
  }
  if (last < 0) return;
  if (last < first_) first_ = last;
  if (last >= first_ + kPaneCells) first_ = last - (kPaneCells - 1);
}

int SelectionPane::LetterIndex(const TableSet& tables, char letter) const {
  if (count_ == 0) return -1;
  const auto wanted =
      static_cast<unsigned char>(letter >= 'a' && letter <= 'z' ? letter - 'a' + 'A' : letter);
  for (int i = 0; i < count_; ++i) {
    const std::string& brand = tables[kTableBrandName].Text(entries_[i].radio->brand);
    const unsigned char first = brand.empty() ? 0 : static_cast<unsigned char>(brand[0]);
    if (first >= wanted) return i;
  }
  return count_ - 1;
}

void SelectionPane::ForgetCells() {
  cells_.fill(Cell{});
}

void SelectionPane::Draw(draw::Surface& surface, PictureRegistry& registry, const TableSet& tables,
                         bool forced) {
  if (filling) return;
  for (int row = 0; row < kPaneCells; ++row) DrawCell(surface, registry, tables, row, forced);
}

draw::Rect PaneCellArea(const draw::Surface& surface, int row) {
  return PictureCell(surface, 0, row, 1, kPaneCells);
}

int PaneRowAt(const draw::Surface& surface, int y) {
  // An area covers y from bottom + 1 up to top; the rows left over below the last cell belong to it.
  for (int row = 0; row < kPaneCells - 1; ++row) {
    if (y > PaneCellArea(surface, row).bottom) return row;
  }
  return kPaneCells - 1;
}

namespace {

void FillCell(draw::Surface& surface, int row) {
  ClearPictureCell(surface, 0, row, 1, kPaneCells, surface.backgroundColour());
}

// Centred by the characters shown, not the bytes (a brand may be UTF-8).
void DrawCentred(draw::Surface& surface, const draw::Rect& cell, int y, std::string_view text) {
  const int width = surface.TextExtent(text).width;
  const int x = cell.left + (cell.right - cell.left - width) / 2;
  surface.DrawText({x, y}, text);
}

// The brand and model in place of a picture.
void DrawTextCell(draw::Surface& surface, int row, const TableSet& tables, const RadioRecord& radio) {
  const draw::Rect cell = PaneCellArea(surface, row);
  FillCell(surface, row);
  surface.SetColour(surface.textColour());
  const std::string& brand = tables[kTableBrandName].Text(radio.brand);
  const int height = cell.top - cell.bottom;
  const auto blank = brand.find(' ');
  if (surface.TextExtent(brand).width > cell.right - cell.left && blank != std::string::npos) {
    DrawCentred(surface, cell, cell.bottom + height * 3 / 4, std::string_view(brand).substr(0, blank));
    DrawCentred(surface, cell, cell.bottom + height / 2, std::string_view(brand).substr(blank + 1));
    DrawCentred(surface, cell, cell.bottom + height / 4, radio.model);
  } else {
    const int middle = cell.bottom + height / 2;
    const int offset = surface.LineHeight() * 3 / 4;
    DrawCentred(surface, cell, middle + offset, brand);
    DrawCentred(surface, cell, middle - offset, radio.model);
  }
}

// A rectangle of width 2 one pixel inside the cell's edge. A line of width 2 covers its own row or
// column and the one before it (up and left on the device), so each edge is placed two in.
void DrawFrame(draw::Surface& surface, int row, int colour) {
  const draw::Rect cell = PaneCellArea(surface, row);
  const int lineWidth = surface.lineWidth();
  const int saved = surface.colour();
  surface.SetColour(colour);
  surface.SetLineWidth(2);
  const int left = cell.left + 2, right = cell.right - 2, bottom = cell.bottom + 2, top = cell.top - 2;
  surface.MoveTo(left, bottom);
  surface.LineTo(left, top);
  surface.LineTo(right, top);
  surface.LineTo(right, bottom);
  surface.LineTo(left, bottom);
  surface.SetLineWidth(lineWidth);
  surface.SetColour(saved);
}

}  // namespace

void SelectionPane::DrawCell(draw::Surface& surface, PictureRegistry& registry, const TableSet& tables,
                             int row, bool forced) {
  const int index = first_ + row;
  const RadioRecord* radio = RadioAt(index);
  const bool highlighted = HighlightedAt(index);
  Cell& cached = cells_[row];
  if (!forced && cached.drawn && cached.radio == radio && cached.highlighted == highlighted) return;

  bool picture = false;
  if (radio == nullptr) {
    FillCell(surface, row);
  } else if (radio->thumbnailIndex >= 0) {
    const bool sameRadio = cached.drawn && cached.radio == radio;
    if (forced || !sameRadio || !highlighted || !cached.picture) {
      picture = DrawPictureInCell(surface, registry, radio->thumbnailIndex, 0, row, 1, kPaneCells,
                                  kCellCentre | kCellClear, 1.0f) != 0;
      if (!picture) DrawTextCell(surface, row, tables, *radio);
    } else {
      picture = true;  // only the highlight came on: the picture stands
    }
    // Only picture cells carry the frame; a radio whose snapshot cannot be drawn shows as text.
    if (picture && highlighted) DrawFrame(surface, row, surface.highlightColour());
  } else {
    DrawTextCell(surface, row, tables, *radio);
  }
  cached = {radio, highlighted, true, picture};
}

}  // namespace korvel

// The selection pane down the left of the main window: up to 1000 members of the current selection
// in a column of eight cells, each showing a radio's snapshot picture (or its brand and model), the
// radios on view framed in the highlight colour.
#pragma once

#include <array>
#include <vector>

#include "collection/collection.h"
#include "draw/surface.h"
#include "pictures/picture_registry.h"
#include "selection/selection.h"

namespace korvel {

constexpr int kPaneEntryLimit = 1000;
constexpr int kPaneCells = 8;

// Width of the pane for the main window's client size: an eighth of the height at 4:3, at most a
// quarter of the width, plus the scroll bar; capped at 100 and rounded up to a multiple of 16.
int PaneWidth(int clientWidth, int clientHeight, int scrollBarWidth);

// Cell r (0 the top one) of the pane's surface: the one rectangle that fills, frames and clicks
// go by. A click at y (y up, as the frame gives it) lands in the cell whose area holds it.
draw::Rect PaneCellArea(const draw::Surface& surface, int row);
int PaneRowAt(const draw::Surface& surface, int y);

class SelectionPane {
 public:
  struct Entry {
    RadioRecord* radio = nullptr;
    bool highlighted = false;
  };

  // RebuildPane: the current selection's first 1000 members; the current radio is brought into view
  // four cells down from the top.
  void Rebuild(const SelectionState& selection);
  // Removes every entry of a radio that leaves the collection.
  void Forget(const RadioRecord* radio);

  int Count() const { return count_; }
  int First() const { return first_; }
  // The radio of the entry, or none (an empty or out of range entry).
  RadioRecord* RadioAt(int index) const;
  bool HighlightedAt(int index) const;
  // The entry under the point of the row (0 top to 7 bottom).
  int IndexOfRow(int row) const { return first_ + row; }

  // Moves the first visible entry by delta, kept within the entries. True when it moved.
  bool ScrollBy(int delta);
  bool ScrollTo(int first);
  // The scroll bar position: 100 at the top, 0 for an empty pane.
  int ScrollValue() const;
  // The first visible entry for a thumb dragged to position p (0-100).
  int FirstForThumb(int thumb) const { return count_ * thumb / 100; }

  void ClearHighlights();
  // HighlightInPane: highlights every entry of the radio and brings the last of them into view.
  void Highlight(const RadioRecord* radio);
  // JumpToLetter: the first entry whose brand begins with the letter or a later character, or the last
  // entry; -1 for an empty pane.
  int LetterIndex(const TableSet& tables, char letter) const;

  // DrawPane: cells whose radio and highlight did not change since they were drawn are skipped
  // unless forced. Nothing is drawn while `filling` is set.
  void Draw(draw::Surface& surface, PictureRegistry& registry, const TableSet& tables, bool forced);
  // The cells must all be drawn again (new font, new size).
  void ForgetCells();

  bool hidden = false;   // a tour fills the main window
  bool filling = false;  // the selection dialog is refilling its lists

 private:
  struct Cell {
    const RadioRecord* radio = nullptr;
    bool highlighted = false;
    bool drawn = false;
    bool picture = false;  // the snapshot was drawn, not the text form
  };
  void DrawCell(draw::Surface& surface, PictureRegistry& registry, const TableSet& tables, int row,
                bool forced);

  std::vector<Entry> entries_ = std::vector<Entry>(kPaneEntryLimit);
  int count_ = 0;
  int first_ = 0;
  std::array<Cell, kPaneCells> cells_{};
};

}  // namespace korvel

// Items of combo and list boxes, and list boxes whose items are pictures.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "dal/dal_types.h"

namespace korvel {

// Adds an item to a combo box or list box field and gives its position, or -1 (another kind, or
// the control refused). A plain list shows the file name with the item data. A DAL_PICTURES list
// keeps a DalListItem for the file: with `useDisplayText` its text is the display text (the file
// name when no display text is given), otherwise it has none.
int DalAddListItem(DalFieldInfo& field, std::string_view displayText, std::string_view fileName,
                   std::int64_t itemData, bool useDisplayText);

// Releases the field's picture items and empties the control.
void DalClearListItems(DalFieldInfo& field);

struct DalListItemState {
  bool selected = false;
  std::int64_t data = 0;  // the caller's item data, for picture items too
};
// Nothing when the position is not an item of the control.
std::optional<DalListItemState> DalGetListItem(const DalFieldInfo& field, int index);

// Highlights or clears one item; false (and nothing changes) for a position outside the items.
bool DalSelectListItem(DalFieldInfo& field, int index, bool select);

// The picture item shown at a position of a DAL_PICTURES list, or nullptr.
// The same for the items first to last, both included, in one step.
bool DalSelectListItemRange(DalFieldInfo& field, int first, int last, bool select);

DalListItem* DalPictureItem(DalFieldInfo& field, int index);

// The height of a picture list's items; 0 for other fields.
int DalMeasureListItem(const DalFieldInfo& field);

// Drawing a picture item is left to a hook (the picture library installs it): it loads the
// picture into item.picture when that is empty (a picture that does not load leaves the item
// blank), fills the cell with the window background, draws the picture into it and, when the item
// is selected, a focus rectangle around it.
struct DalPictureCell {
  int left = 0;
  int top = 0;  // y grows downwards from the top of the list's client area
  int right = 0;
  int bottom = 0;
  int clientHeight = 0;
  int topUp = 0;  // the same edges with y growing upwards from the bottom, as pictures are drawn
  int bottomUp = 0;
  bool selected = false;
  // The host's drawing target, passed through. The Qt program passes a `korvel::draw::Surface*`
  // (cast to void*) whose y-up coordinates are those of topUp/bottomUp: the area Rect{left,
  // bottomUp, right, topUp} is the cell, a point's y is clientHeight less its row (the cell's top
  // row is y = topUp). It draws into a backing image of the cell's rows, already filled
  // with the list's background, which is copied to the list when the hook returns; drawing
  // outside the cell is lost. The surface has no fonts, only the drawing calls.
  void* surface = nullptr;
};
using DalPictureDrawer = std::function<void(DalListItem& item, const DalPictureCell& cell)>;
void DalSetPictureDrawer(DalPictureDrawer drawer);

enum class DalDrawAction { kDrawEntire, kSelectionChanged, kFocusOnly };

// The host asks for an item to be drawn. Only picture lists are drawn, and a change of focus
// alone does not redraw. Gives whether the hook was called.
bool DalDrawListItem(DalDialog& dialog, int controlId, int index, DalDrawAction action, DalPictureCell cell);

}  // namespace korvel

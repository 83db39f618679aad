#include "dal/dal_lists.h"

#include <new>
#include <string>

#include "dal/dal_fields.h"
#include "dal/dal_host.h"
#include "util/message.h"

namespace korvel {
namespace {

DalPictureDrawer& Drawer() {
  static DalPictureDrawer drawer;
  return drawer;
}

bool HoldsPictures(const DalFieldInfo& field) {
  return field.kind == kDalList && (field.flags & DAL_PICTURES) != 0;
}

// Where the picture item shown at a position is kept among the field's items.
std::optional<std::size_t> PicturePosition(const DalFieldInfo& field, int index) {
  if (!(field.flags & DAL_PICTURES)) return std::nullopt;
  DalControl* control = DalFieldControl(field);
  if (control == nullptr || index < 0 || index >= control->ItemCount()) return std::nullopt;
  const std::int64_t position = control->ItemData(index);
  if (position < 0 || position >= static_cast<std::int64_t>(field.ownedItems.size())) return std::nullopt;
  return static_cast<std::size_t>(position);
}

}  // namespace

int DalAddListItem(DalFieldInfo& field, std::string_view displayText, std::string_view fileName,
                   std::int64_t itemData, bool useDisplayText) {
  if (field.kind != kDalCombo && field.kind != kDalList) return -1;
  DalControl* control = DalFieldControl(field);
  if (control == nullptr) return -1;
  if (!(field.flags & DAL_PICTURES)) return control->AddItem(std::string(fileName), itemData);
  try {
    DalListItem item;
    item.fileName = fileName;
    if (useDisplayText) item.text = displayText.empty() ? fileName : displayText;
    item.data = itemData;
    field.ownedItems.push_back(std::move(item));
  } catch (const std::bad_alloc&) {
    ShowMessage(kError, kButtonsOk, "'AluMalloc' failure in 'DalAddListItem'.");
    return -1;
  }
  const auto position = static_cast<std::int64_t>(field.ownedItems.size() - 1);
  const int index = control->AddItem(field.ownedItems.back().text, position);
  if (index < 0) field.ownedItems.pop_back();
  return index;
}

void DalClearListItems(DalFieldInfo& field) {
  field.ownedItems.clear();
  if (DalControl* control = DalFieldControl(field)) control->ClearItems();
}

std::optional<DalListItemState> DalGetListItem(const DalFieldInfo& field, int index) {
  DalControl* control = DalFieldControl(field);
  if (control == nullptr || index < 0 || index >= control->ItemCount()) return std::nullopt;
  DalListItemState state;
  state.selected = control->IsItemSelected(index);
  if (field.flags & DAL_PICTURES) {
    const auto position = PicturePosition(field, index);
    state.data = position ? field.ownedItems[*position].data : 0;
  } else {
    state.data = control->ItemData(index);
  }
  return state;
}

bool DalSelectListItem(DalFieldInfo& field, int index, bool select) {
  DalControl* control = DalFieldControl(field);
  // A negative position would mean every item to some list controls: refuse it like any other.
  if (control == nullptr || index < 0 || index >= control->ItemCount()) return false;
  return control->SelectItem(index, select);
}

bool DalSelectListItemRange(DalFieldInfo& field, int first, int last, bool select) {
  DalControl* control = DalFieldControl(field);
  return control != nullptr && control->SelectItemRange(first, last, select);
}

DalListItem* DalPictureItem(DalFieldInfo& field, int index) {
  const auto position = PicturePosition(field, index);
  return position ? &field.ownedItems[*position] : nullptr;
}

int DalMeasureListItem(const DalFieldInfo& field) {
  return HoldsPictures(field) ? field.itemHeight : 0;
}

void DalSetPictureDrawer(DalPictureDrawer drawer) {
  Drawer() = std::move(drawer);
}

bool DalDrawListItem(DalDialog& dialog, int controlId, int index, DalDrawAction action, DalPictureCell cell) {
  if (action == DalDrawAction::kFocusOnly) return false;
  DalFieldInfo* field = DalFindField(controlId, dialog);
  if (field == nullptr || !HoldsPictures(*field) || !Drawer()) return false;
  DalListItem* item = DalPictureItem(*field, index);
  if (item == nullptr) return false;
  cell.topUp = cell.clientHeight - cell.top;
  cell.bottomUp = cell.clientHeight - cell.bottom;
  Drawer()(*item, cell);
  return true;
}

}  // namespace korvel

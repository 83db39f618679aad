#include "app/inventory_window.h"

#include <optional>
#include <string>

#include "collection/tubes.h"
#include "dal/dal.h"
#include "reports/inventory_drawing.h"
#include "ui/dialogs/dialog_ids.h"
#include "util/message.h"

namespace korvel {
namespace {

// The typed values of "Modify Inventory" or "Add to Inventory", checked before the dialog may close.
struct StockDialog {
  bool adding = false;
  std::string name;       // as typed; for "Add to Inventory" normalized once accepted
  std::string countText;  // as typed
  std::int32_t count = 0;

  bool Refuse(DalDialog& dialog, int controlId, const std::string& why) {
    ShowMessage(kError, kButtonsOk, "%s", why.c_str());
    if (DalControl* control = DalFindControl(dialog, controlId)) control->SetFocus();
    return false;
  }

  bool Accept(DalDialog& dialog) {
    const std::optional<std::int32_t> typed = ParseStockCount(countText);
    if (!typed) return Refuse(dialog, kIdInventoryCount, "The count must be a whole number, 0 or more.");
    if (adding) {
      const std::string normalized = NormalizeStockName(name);
      const std::string problem = StockNameProblem(normalized, *typed);
      if (!problem.empty()) return Refuse(dialog, kIdInventoryTube, problem);
      name = normalized;
    } else if (*typed > 0) {
      // A type a radio uses may be longer than a stock line holds with its count (an empty stock
      // is not written).
      const std::string problem = StockNameProblem(name, *typed);
      if (!problem.empty()) return Refuse(dialog, kIdInventoryCount, problem);
    }
    count = *typed;
    return true;
  }

  // 1 on OK, 0 on Cancel, -1 when the dialog could not be shown.
  int Run(void* parent) {
    DalDialog dialog{.templateId = adding ? kDialogAddToInventory : kDialogModifyInventory,
                     .mode = kDalModal};
    // The name of a type being modified is only shown; its count is read as text so that what is
    // not a whole number can be refused instead of ignored.
    dialog.fields = {
        {.kind = kDalEdit,
         .controlId = kIdInventoryTube,
         .value = &name,
         .flags = DAL_STRING | (adding ? 0u : DAL_NO_READ)},
        {.kind = kDalEdit, .controlId = kIdInventoryCount, .value = &countText, .flags = DAL_STRING},
    };
    dialog.accept = [this](DalDialog& d) { return Accept(d); };
    return DalRunDialog(dialog, parent);
  }
};

}  // namespace

void InventoryWindow::ShowInventory(Collection& collection, int kind, draw::Surface& surface) {
  usage_ = BuildInventoryUsage(collection, kind);
  DrawInventory(surface);
}

void InventoryWindow::DrawInventory(draw::Surface& surface) const {
  korvel::DrawInventory(surface, usage_);
}

const InventoryItem* InventoryWindow::InventoryAt(const draw::Surface& surface, int x, int y) const {
  return korvel::InventoryAt(surface, usage_, x, y);
}

void InventoryWindow::EditInventoryAt(Collection& collection, draw::Surface& surface, int x, int y,
                                      void* parent) {
  const InventoryItem* item = InventoryAt(surface, x, y);
  StockDialog dialog;
  dialog.adding = item == nullptr;
  std::string padded;  // kept by value: the list may be rebuilt while the dialog is open
  if (item != nullptr) {
    padded = item->name;
    dialog.name = std::string(UnpaddedName(padded));
    dialog.countText = std::to_string(item->secondCount);
  } else {
    dialog.countText = "0";
  }
  if (dialog.Run(parent) != 1) return;
  if (dialog.adding) padded = PadTubeName(dialog.name);
  SetStockCount(collection, usage_, padded, dialog.count, dialog.adding);
  DrawInventory(surface);
}

}  // namespace korvel

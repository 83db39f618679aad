// The program's dialog templates. Controls are listed top to bottom, which is also the tab order;
// OK and Cancel (ids 1 and 2) are added by every dialog.
#include <algorithm>
#include <array>

#include "ui/dialogs/dialog_ids.h"
#include "ui/dialogs/dialog_template.h"

namespace korvel {
namespace {

using enum TemplateControl;

constexpr ControlTemplate kModifyInventory[] = {
    {kIdInventoryTube, kReadOnlyEdit, "Tube", 12},
    {kIdInventoryCount, kEdit, "Count", 6},
};

constexpr ControlTemplate kAddToInventory[] = {
    {kIdInventoryTube, kEdit, "Tube", 12},
    {kIdInventoryCount, kEdit, "Count", 6},
};

constexpr ControlTemplate kUpdateRadio[] = {
    {0, kGroup, "Current"},
    {kIdUpdateBrand, kCombo, "Brand", 32},
    {kIdUpdateModel, kEdit, "Model", 32},
    {kIdUpdateValue, kEdit, "Value", 8},
    {kIdUpdateSource, kEdit, "Source", 32},
    {kIdUpdateReferences, kMultiLineEdit, "References", 48, 4},
    {0, kGroup, "Updated"},
    {kIdUpdatedValue, kEdit, "Value", 8},
    {kIdUpdatedSource, kEdit, "Source", 32},
    {kIdUpdatedPage, kEdit, "Page", 6},
};

constexpr ControlTemplate kInsertTableItem[] = {
    {kIdTableName, kCombo, "Table Name", 24},
    {kIdNewEntry, kEdit, "New Entry", 32},
    {kIdExtraInformation, kEdit, "Extra Information", 32},
};

constexpr ControlTemplate kDistribution[] = {
    {kIdDistributionField, kList, "Field", 22, 11},
    {kIdDistributionSelected, kCheck, "Selected"},
};

constexpr ControlTemplate kPublishWeb[] = {
    {kIdWebRoot, kEdit, "Web Image Root Directory", 32},
    {kIdWebHtml, kEdit, "HTML Subdirectory", 32},
    {kIdWebPictures, kEdit, "Picture File Subdirectory", 32},
    {kIdWebSnapshots, kEdit, "Snapshot File Subdirectory", 32},
    {kIdWebListFile, kEdit, "List File Name", 32},
    {kIdWebDescriptions, kCheck, "Include Descriptions"},
};

constexpr std::array kTemplates = {
    DialogTemplate{kDialogModifyInventory, "Modify Inventory", kModifyInventory},
    DialogTemplate{kDialogAddToInventory, "Add to Inventory", kAddToInventory},
    DialogTemplate{kDialogUpdateRadio, "Update Radio Value and References", kUpdateRadio},
    DialogTemplate{kDialogInsertTableItem, "Insert Table Item", kInsertTableItem},
    DialogTemplate{kDialogDistribution, "Distribution of Radios", kDistribution, "Ok"},
    DialogTemplate{kDialogPublishWeb, "Publish Radio Description to Web Page Image", kPublishWeb, "Ok"},
};

}  // namespace

const DialogTemplate* FindDialogTemplate(int templateId) {
  const auto found = std::find_if(kTemplates.begin(), kTemplates.end(),
                                  [&](const DialogTemplate& t) { return t.id == templateId; });
  return found != kTemplates.end() ? &*found : nullptr;
}

std::span<const DialogTemplate> DialogTemplates() {
  return kTemplates;
}

}  // namespace korvel

// The program's dialog templates. Controls are listed top to bottom (in a grid, row by row),
// which is also the tab order; OK and Cancel (ids 1 and 2) are added by every dialog, and by the
// notebook rather than its pages.
#include <algorithm>
#include <array>
#include <cstddef>

#include "ui/dialogs/dialog_ids.h"
#include "ui/dialogs/dialog_template.h"

namespace korvel {
namespace {

using enum TemplateControl;

constexpr ControlTemplate Grid(int columns) {
  return {.kind = kGrid, .columns = columns};
}
constexpr ControlTemplate kEndHere{.kind = kEnd};
constexpr ControlTemplate kRoom{.kind = kSpace};
constexpr ControlTemplate Text(const char* text) {
  return {.kind = kLabel, .label = text};
}

// A template built by a function fills its array exactly; otherwise the build fails here.
template <std::size_t size>
constexpr void Filled(const std::array<ControlTemplate, size>&, std::size_t count) {
  if (count != size) throw "a built template does not fill its array";
}

// Add/Modify Radio: one template per notebook page. Dates and numbers keep short boxes; lookup
// lists are drop-down lists; long texts wrap.

constexpr ControlTemplate kDescription[] = {
    {kIdRadioIdentifier, kReadOnlyEdit, "ID", 8},
    {kIdBrand, kCombo, "Brand", 28},
    {kIdModel, kEdit, "Model", 28},
    {kIdSerialNumber, kEdit, "Serial Number", 20},
    {kIdYear, kEdit, "Year", 6},
    {kIdManufacturer, kCombo, "Manufacturer", 36},
};

constexpr ControlTemplate kCabinet[] = {
    {kIdCabinetStyle, kCombo, "Cabinet Style", 24},
    {kIdCabinetComposition, kCombo, "Cabinet Composition", 24},
    {kIdCabinetColor, kEdit, "Cabinet Color", 24},
    {kIdTrim, kCombo, "Trim", 24},
    {kIdTrimColor, kEdit, "Trim Color", 24},
};

constexpr ControlTemplate kGrillDial[] = {
    {kIdGrillStyle, kCombo, "Grill Style", 24},
    {kIdGrillPosition, kCombo, "Grill Position", 24},
    {kIdTuningDialStyle, kCombo, "Tuning Dial Style", 24},
    {kIdTuningDialPosition, kCombo, "Tuning Dial Position", 24},
    {kIdPushButtons, kCheck, "Push Buttons"},
    {kIdTelephoneDial, kCheck, "Telephone Dial"},
};

constexpr ControlTemplate kPictures[] = {
    {kIdPictureFile, kEdit, "Picture File", 40},
    {kIdSnapshotFile, kEdit, "Snapshot File", 40},
    // Up to ten names separated by commas, on one line: a line break would join two names.
    {kIdExtraPictureFiles, kEdit, "Extra Picture Files", 48},
    {kIdAddPictures, kButton, "Add Pictures..."},
    {kIdReferences, kMultiLineEdit, "References", 48, 8},
};

// The page's one text takes the whole page.
constexpr ControlTemplate kExtras[] = {
    {kIdExtras, kMultiLineEdit, "", 64, 18},
};

constexpr ControlTemplate kCircuit[] = {
    {kIdCircuitType, kCombo, "Circuit Type", 24},
    {kIdTechnology, kCombo, "Technology", 24},
    {kIdBands, kCombo, "Bands", 24},
    {kIdPower, kCombo, "Power", 24},
    {kIdSchematic, kEdit, "Schematic", 32},
};

// A tube page: a grid of eight numbered rows of function and tube, and under it the button that
// completes the line-up.
constexpr const char* kRowNumbers[kTubeRows] = {"1", "2",  "3",  "4",  "5",  "6",  "7",  "8",
                                                "9", "10", "11", "12", "13", "14", "15", "16"};
// The last column takes the width the page has to spare, so that functions and tubes keep their
// widths side by side.
constexpr std::size_t kTubePageSize = 1 + 4 + 4 * kTubeRowsPerPage + 3;

constexpr std::array<ControlTemplate, kTubePageSize> TubePage(int firstRow) {
  std::array<ControlTemplate, kTubePageSize> page{};
  std::size_t at = 0;
  page[at++] = Grid(4);
  page[at++] = Text("");
  page[at++] = Text("Function");
  page[at++] = Text("Tube");
  page[at++] = kRoom;
  for (int row = firstRow; row < firstRow + kTubeRowsPerPage; ++row) {
    page[at++] = Text(kRowNumbers[row]);
    page[at++] = {TubeFunctionId(row), kCombo, "Function", 26};
    page[at++] = {TubeTextId(row), kEdit, "Tube", 10};
    page[at++] = kRoom;
  }
  page[at++] = Text("");
  page[at++] = {kIdSearchFill, kButton, "Search/Fill"};
  page[at++] = kEndHere;
  Filled(page, at);
  return page;
}

constexpr auto kTubes1 = TubePage(0);
constexpr auto kTubes2 = TubePage(kTubeRowsPerPage);

constexpr ControlTemplate kAcquisition[] = {
    {kIdDateAcquired, kEdit, "Date Acquired", 10},
    {kIdAcquisitionCost, kEdit, "Cost", 8},
    {kIdWhereAcquired, kEdit, "Where Acquired", 36},
};

constexpr ControlTemplate kStatus[] = {
    {kIdStatus, kCombo, "Status", 24},
    {kIdCondition, kCombo, "Condition", 24},
    {kIdChassisCondition, kCombo, "Chassis Condition", 24},
    {kIdDamage, kMultiLineEdit, "Damage", 48, 4},
    {kIdValue, kEdit, "Value", 8},
    {kIdSourceOfValue, kEdit, "Source Of Value", 36},
};

constexpr ControlTemplate kRepairs[] = {
    {kIdDateRepaired, kEdit, "Date Repaired", 10},
    {kIdRepairCost, kEdit, "Cost", 8},
    {kIdRepairs, kMultiLineEdit, "Repairs", 48, 10},
};

constexpr ControlTemplate kDisposition[] = {
    {kIdDateDisposed, kEdit, "Date Disposed", 10},
    {kIdDisposalPrice, kEdit, "Price", 8},
    {kIdWhereDisposed, kEdit, "Where Disposed", 36},
};

constexpr ControlTemplate kNotes[] = {
    {kIdNotes, kMultiLineEdit, "", 64, 18},
};

// Select Radio(s): the criteria as a table of four rows, the filter and the select buttons; then
// the selected radios as pictures beside their descriptions, kept in step.
constexpr ControlTemplate CriterionCell(int row, int column) {
  switch (column) {
    case 0:
      return {SelectActionId(row), kCombo, "Action", 9};
    case 1:
      return {SelectFieldId(row), kCombo, "Field", 20};
    case 2:
      return {SelectRelationId(row), kCombo, "Relation", 3};
    default:
      return {SelectValueId(row), kEditableCombo, "Value", 24};
  }
}

constexpr std::size_t kSelectRadiosSize = 2 + 4 + 4 * kSelectRows + 1 + 6 + 1 + 1 + 4 + 7 + 4 + 1 + 5;

constexpr std::array<ControlTemplate, kSelectRadiosSize> SelectRadios() {
  std::array<ControlTemplate, kSelectRadiosSize> page{};
  std::size_t at = 0;
  page[at++] = {0, kGroup, "Criteria"};
  page[at++] = Grid(4);
  for (const char* heading : {"Action", "Field", "Relation", "Value"}) page[at++] = Text(heading);
  for (int row = 0; row < kSelectRows; ++row) {
    for (int column = 0; column < 4; ++column) page[at++] = CriterionCell(row, column);
  }
  page[at++] = kEndHere;
  // The buttons stand after the filter, which they apply too.
  page[at++] = Grid(4);
  page[at++] = Text("Filter");
  page[at++] = {kIdSelectFilter, kCombo, "Filter", 24};
  page[at++] = {kIdSelectKeep, kButton, "Keep/Select"};
  page[at++] = {kIdSelectClear, kButton, "Clear/Select"};
  page[at++] = kEndHere;
  page[at++] = kEndHere;

  page[at++] = {0, kGroup, "Radios Selected"};
  page[at++] = Grid(2);
  page[at++] = {.id = kIdSelectPictures,
                .kind = kPictureList,
                .label = "Pictures",
                .lines = 5,
                .itemWidth = kSelectPictureWidth,
                .itemHeight = kSelectPictureHeight};
  page[at++] = {kIdSelectRadios, kMultiList, "Radios Selected", 84};
  page[at++] = kEndHere;
  page[at++] = Grid(5);
  page[at++] = {kIdSelectDiscardAll, kButton, "Discard All"};
  page[at++] = {kIdSelectKeepAll, kButton, "Keep All"};
  page[at++] = kRoom;
  page[at++] = Text("Count");
  page[at++] = {kIdSelectCount, kReadOnlyEdit, "Count", 6};
  page[at++] = kEndHere;
  page[at++] = Grid(2);
  page[at++] = Text("Totals");
  page[at++] = {kIdSelectTotals, kReadOnlyEdit, "Totals", 72};
  page[at++] = kEndHere;
  page[at++] = kEndHere;

  page[at++] = Grid(3);
  page[at++] = Text("Selection Name");
  page[at++] = {kIdSelectName, kEdit, "Selection Name", 24};
  page[at++] = {kIdSelectSave, kButton, "Save Selection"};
  page[at++] = kEndHere;
  Filled(page, at);
  return page;
}

constexpr auto kSelectRadios = SelectRadios();

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
    DialogTemplate{kDialogDescription, "Description", kDescription},
    DialogTemplate{kDialogCabinet, "Cabinet", kCabinet},
    DialogTemplate{kDialogGrillDial, "Grill/Dial", kGrillDial},
    DialogTemplate{kDialogPictures, "Pictures", kPictures},
    DialogTemplate{kDialogExtras, "Extras", kExtras},
    DialogTemplate{kDialogCircuit, "Circuit", kCircuit},
    DialogTemplate{kDialogTubes1, "Tubes 1", kTubes1},
    DialogTemplate{kDialogTubes2, "Tubes 2", kTubes2},
    DialogTemplate{kDialogAcquisition, "Acquisition", kAcquisition},
    DialogTemplate{kDialogStatus, "Status", kStatus},
    DialogTemplate{kDialogRepairs, "Repairs", kRepairs},
    DialogTemplate{kDialogDisposition, "Disposition", kDisposition},
    DialogTemplate{kDialogNotes, "Notes", kNotes},
    DialogTemplate{kDialogSelectRadios, "Select Radio(s)", kSelectRadios},
    DialogTemplate{kDialogModifyInventory, "Modify Inventory", kModifyInventory},
    DialogTemplate{kDialogAddToInventory, "Add to Inventory", kAddToInventory},
    DialogTemplate{kDialogUpdateRadio, "Update Radio Value and References", kUpdateRadio},
    DialogTemplate{kDialogInsertTableItem, "Insert Table Item", kInsertTableItem},
    DialogTemplate{kDialogDistribution, "Distribution of Radios", kDistribution},
    DialogTemplate{kDialogPublishWeb, "Publish Radio Description to Web Page Image", kPublishWeb},
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

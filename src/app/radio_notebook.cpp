#include "app/radio_notebook.h"

#include <algorithm>
#include <utility>

#include "app/collection_commands.h"
#include "app/field_checks.h"
#include "collection/radio_ops.h"
#include "dal/dal.h"
#include "pictures/picture_add.h"
#include "pictures/picture_files.h"
#include "ui/dialogs/dialog_ids.h"
#include "util/alu_path.h"

namespace korvel {
namespace {

enum Page : int {
  kPageDescription,
  kPageCabinet,
  kPageGrillDial,
  kPagePictures,
  kPageExtras,
  kPageCircuit,
  kPageTubes1,
  kPageTubes2,
  kPageAcquisition,
  kPageStatus,
  kPageRepairs,
  kPageDisposition,
  kPageNotes,
  kPageCount,
};

struct PageInfo {
  const char* title;
  int templateId;
};
constexpr PageInfo kPages[kPageCount] = {
    {"Description", kDialogDescription},
    {"Cabinet", kDialogCabinet},
    {"Grill/Dial", kDialogGrillDial},
    {"Pictures", kDialogPictures},
    {"Extras", kDialogExtras},
    {"Circuit", kDialogCircuit},
    {"Tubes 1", kDialogTubes1},
    {"Tubes 2", kDialogTubes2},
    {"Acquisition", kDialogAcquisition},
    {"Status", kDialogStatus},
    {"Repairs", kDialogRepairs},
    {"Disposition", kDialogDisposition},
    {"Notes", kDialogNotes},
};

// Where each table is shown: page and control.
struct TableControl {
  int kind;
  int page;
  int controlId;
};
constexpr TableControl kTableControls[] = {
    {kTableBands, kPageCircuit, kIdBands},
    {kTableBrandName, kPageDescription, kIdBrand},
    {kTableCabinetComposition, kPageCabinet, kIdCabinetComposition},
    {kTableCabinetStyle, kPageCabinet, kIdCabinetStyle},
    {kTableCabinetTrim, kPageCabinet, kIdTrim},
    {kTableChassisCondition, kPageStatus, kIdChassisCondition},
    {kTableCircuitType, kPageCircuit, kIdCircuitType},
    {kTableCondition, kPageStatus, kIdCondition},
    {kTableGrillStyle, kPageGrillDial, kIdGrillStyle},
    {kTableManufacturer, kPageDescription, kIdManufacturer},
    {kTablePosition, kPageGrillDial, kIdGrillPosition},
    {kTablePosition, kPageGrillDial, kIdTuningDialPosition},
    {kTablePowerSource, kPageCircuit, kIdPower},
    {kTableTuningDial, kPageGrillDial, kIdTuningDialStyle},
};

constexpr std::uint32_t kText = DAL_STRING;
constexpr std::uint32_t kCapitalised = DAL_STRING | DAL_CAPITALIZE;
constexpr std::uint32_t kDate = DAL_STRING | DAL_DATE;

bool InList(int status, std::initializer_list<int> statuses) {
  for (int s : statuses) {
    if (status == s) return true;
  }
  return false;
}

}  // namespace

RadioNotebook::RadioNotebook(ProgramState& state) : state_(state) {
  repairRule_ = {&work_.status, {kStatusRestored, kStatusRestoredForSale, kStatusRestoredAndSold}};
  disposedRule_ = {&work_.status,
                   {kStatusReturned, kStatusRestoredAndSold, kStatusScrapped, kStatusSold, kStatusDonated}};
  priceRule_ = {&work_.status, {kStatusRestoredAndSold, kStatusSold}};
  whereDisposedRule_ = {&work_.status, {kStatusRestoredAndSold, kStatusSold, kStatusDonated}};
}

bool RadioNotebook::Prepare(void* parent) {
  if (!prepared_) {
    BuildPages();
    prepared_ = true;
  }
  return DalCreateNotebook(parent, notebook_);
}

void RadioNotebook::BuildPages() {
  notebook_.caption = "Add/Modify Radio";
  notebook_.pages.resize(kPageCount);
  for (int i = 0; i < kPageCount; ++i) {
    notebook_.pages[i].title = kPages[i].title;
    notebook_.pages[i].dialog.templateId = kPages[i].templateId;
  }
  notebook_.validate = [](DalNotebook& notebook) { return CheckNotebookFields(notebook); };
  const TableSet& tables = state_.collection.tables;
  const auto list = [&](int id, int kind, std::int32_t* value) {
    return DalFieldInfo{.kind = kDalCombo, .controlId = id, .value = value, .items = &tables[kind].entries};
  };
  const auto edit = [](int id, DalVariable value, std::uint32_t flags, const DalEnableRule* rule = nullptr) {
    return DalFieldInfo{
        .kind = kDalEdit, .controlId = id, .value = value, .flags = flags, .enableRule = rule};
  };
  RadioRecord& w = work_;

  std::vector<DalFieldInfo>& description = notebook_.pages[kPageDescription].dialog.fields;
  description.push_back(edit(kIdRadioIdentifier, &w.id, DAL_INT | DAL_NO_READ));
  description.push_back(list(kIdBrand, kTableBrandName, &w.brand));
  description.back().change = [this](DalFieldInfo& f) { BrandChanged(f); };
  description.push_back(edit(kIdModel, &w.model, kCapitalised));
  description.back().change = [this](DalFieldInfo& f) { ModelChanged(f); };
  description.push_back(edit(kIdSerialNumber, &w.serialNumber, kCapitalised));
  description.push_back(edit(kIdYear, &w.year, DAL_INT));
  description.push_back(list(kIdManufacturer, kTableManufacturer, &w.manufacturer));

  std::vector<DalFieldInfo>& cabinet = notebook_.pages[kPageCabinet].dialog.fields;
  cabinet.push_back(list(kIdCabinetStyle, kTableCabinetStyle, &w.cabinetStyle));
  cabinet.push_back(list(kIdCabinetComposition, kTableCabinetComposition, &w.cabinetComposition));
  cabinet.push_back(edit(kIdCabinetColor, &w.cabinetColour, kCapitalised));
  cabinet.push_back(list(kIdTrim, kTableCabinetTrim, &w.cabinetTrim));
  cabinet.push_back(edit(kIdTrimColor, &w.trimColour, kCapitalised));

  std::vector<DalFieldInfo>& grill = notebook_.pages[kPageGrillDial].dialog.fields;
  grill.push_back(list(kIdGrillStyle, kTableGrillStyle, &w.grillStyle));
  grill.push_back(list(kIdGrillPosition, kTablePosition, &w.grillPosition));
  grill.push_back(list(kIdTuningDialStyle, kTableTuningDial, &w.tuningDial));
  grill.push_back(list(kIdTuningDialPosition, kTablePosition, &w.dialPosition));
  grill.push_back({.kind = kDalCheck, .controlId = kIdPushButtons, .value = &w.pushButtons});
  grill.push_back({.kind = kDalCheck, .controlId = kIdTelephoneDial, .value = &w.telephoneDial});

  std::vector<DalFieldInfo>& pictures = notebook_.pages[kPagePictures].dialog.fields;
  pictures.push_back(edit(kIdPictureFile, &w.pictureFile, kText));
  pictures.push_back(edit(kIdSnapshotFile, &w.thumbnailFile, kText));
  pictures.push_back({.kind = kDalMultiPart,
                      .controlId = kIdExtraPictureFiles,
                      .value = std::span<std::string>(extras_),
                      .flags = DAL_COMMAS,
                      .partCount = kExtraPictureLimit,
                      .partWidth = 1024,
                      .fill = [this](DalFieldInfo& f) { return FillExtraPictures(f); },
                      .read = [this](DalFieldInfo& f) { ReadExtraPictures(f); }});
  pictures.push_back(
      {.kind = kDalButton, .controlId = kIdAddPictures, .change = [this](DalFieldInfo&) { AddPictures(); }});
  pictures.push_back(edit(kIdReferences, &w.references, kText));

  notebook_.pages[kPageExtras].dialog.fields.push_back(edit(kIdExtras, &w.extras, kText));

  std::vector<DalFieldInfo>& circuit = notebook_.pages[kPageCircuit].dialog.fields;
  circuit.push_back(list(kIdCircuitType, kTableCircuitType, &w.circuitType));
  circuit.push_back(list(kIdTechnology, kTableTechnology, &w.technology));
  circuit.push_back(list(kIdBands, kTableBands, &w.bands));
  circuit.push_back(list(kIdPower, kTablePowerSource, &w.powerSource));
  circuit.push_back(edit(kIdSchematic, &w.schematic, kText));

  for (int page : {kPageTubes1, kPageTubes2}) {
    std::vector<DalFieldInfo>& tubes = notebook_.pages[page].dialog.fields;
    // Before the rows are shown: the work record's tubes, grouped, once for both pages.
    tubes.push_back({.kind = kDalNoControl, .flags = DAL_NO_READ, .fill = [this](DalFieldInfo&) {
                       return FillTubeRowsOnce();
                     }});
    const int first = page == kPageTubes1 ? 0 : kTubeRowsPerPage;
    for (int row = first; row < first + kTubeRowsPerPage; ++row) {
      tubes.push_back(list(TubeFunctionId(row), kTableTubeFunction, &rows_[row].function));
      tubes.push_back(edit(TubeTextId(row), &rows_[row].type, kText));
    }
    tubes.push_back(
        {.kind = kDalButton, .controlId = kIdSearchFill, .change = [this](DalFieldInfo&) { SearchFill(); }});
  }

  std::vector<DalFieldInfo>& acquisition = notebook_.pages[kPageAcquisition].dialog.fields;
  acquisition.push_back(edit(kIdDateAcquired, &w.dateAcquired, kDate));
  acquisition.push_back(edit(kIdAcquisitionCost, &w.purchasePrice, DAL_INT));
  acquisition.push_back(edit(kIdWhereAcquired, &w.whereAcquired, kText));

  std::vector<DalFieldInfo>& status = notebook_.pages[kPageStatus].dialog.fields;
  status.push_back(list(kIdStatus, kTableStatus, &w.status));
  status.back().change = [this](DalFieldInfo& f) { StatusChanged(f); };
  status.push_back(list(kIdCondition, kTableCondition, &w.condition));
  status.push_back(list(kIdChassisCondition, kTableChassisCondition, &w.chassisCondition));
  status.push_back(edit(kIdDamage, &w.damage, kText));
  status.push_back(edit(kIdValue, &w.value, DAL_INT));
  status.push_back(edit(kIdSourceOfValue, &w.sourceOfValue, kText));

  std::vector<DalFieldInfo>& repairs = notebook_.pages[kPageRepairs].dialog.fields;
  repairs.push_back(edit(kIdDateRepaired, &w.dateRestored, kDate, &repairRule_));
  repairs.push_back(edit(kIdRepairCost, &w.restorationCost, DAL_INT, &repairRule_));
  repairs.push_back(edit(kIdRepairs, &w.repairsNeeded, kText));

  std::vector<DalFieldInfo>& disposition = notebook_.pages[kPageDisposition].dialog.fields;
  disposition.push_back(edit(kIdDateDisposed, &w.dateDisposed, kDate, &disposedRule_));
  disposition.push_back(edit(kIdDisposalPrice, &w.sellingPrice, DAL_INT, &priceRule_));
  disposition.push_back(edit(kIdWhereDisposed, &w.whereDisposed, kText, &whereDisposedRule_));

  notebook_.pages[kPageNotes].dialog.fields.push_back(edit(kIdNotes, &w.comments, kText));
}

DalFieldInfo* RadioNotebook::PageField(int page, int controlId) {
  if (page < 0 || page >= static_cast<int>(notebook_.opened.size()) || !notebook_.opened[page])
    return nullptr;
  return DalFindField(controlId, notebook_.pages[page].dialog);
}

bool RadioNotebook::Run(void* parent) {
  if (!Prepare(parent)) return false;
  rowsFilled_ = false;
  shownDependents_.clear();
  const bool ok = DalRunNotebook(notebook_, parent) == 1;
  if (ok && rowsFilled_) ReadTubeRows(rows_, work_, nullptr);
  ClearDisallowedFields();
  return ok;
}

void RadioNotebook::ClearDisallowedFields() {
  RadioRecord& w = work_;
  if (!InList(w.status,
              {kStatusPartiallyRestored, kStatusRestored, kStatusRestoredAndSold, kStatusRestoredForSale})) {
    // The repairs notes stay: their field is open for every status, and a radio waiting for its
    // restoration is where they matter most.
    w.restorationCost = 0;
    w.dateRestored.clear();
  }
  if (!InList(w.status,
              {kStatusDonated, kStatusRestoredAndSold, kStatusReturned, kStatusScrapped, kStatusSold})) {
    w.dateDisposed.clear();
    w.whereDisposed.clear();
  }
  if (!InList(w.status, {kStatusRestoredAndSold, kStatusRestoredForSale, kStatusForSale, kStatusSold})) {
    w.sellingPrice = 0;
  }
}

void RadioNotebook::BrandChanged(DalFieldInfo& field) {
  if (!DalReadField(field)) return;
  const std::vector<std::int32_t>& map = state_.collection.brandManufacturer;
  if (work_.brand >= 0 && work_.brand < static_cast<int>(map.size())) work_.manufacturer = map[work_.brand];
  if (DalFieldInfo* manufacturer = PageField(kPageDescription, kIdManufacturer)) DalSetField(*manufacturer);
  if (adding) RenamePictures();
}

void RadioNotebook::ModelChanged(DalFieldInfo&) {
  if (adding) RenamePictures();
}

// The names follow the brand and model shown on the Description page.
void RadioNotebook::RenamePictures() {
  DalFieldInfo* brand = PageField(kPageDescription, kIdBrand);
  DalFieldInfo* model = PageField(kPageDescription, kIdModel);
  if (brand == nullptr || model == nullptr) return;
  RadioRecord named;
  CopyRadio(work_, named);
  DalReadField(*brand, &named.brand);
  DalReadField(*model, &named.model);
  if (named.model.empty()) return;
  NamePicturesWhileAdding(state_.collection, state_.registry, named);
  work_.pictureFile = named.pictureFile;
  work_.thumbnailFile = named.thumbnailFile;
  for (int id : {kIdPictureFile, kIdSnapshotFile}) {
    if (DalFieldInfo* shown = PageField(kPagePictures, id)) DalSetField(*shown);
  }
}

// Only a field that opens now and has never shown its value in this run is filled from the work
// record: whatever the user typed stays, even through a status that closed the field for a while.
void RadioNotebook::StatusChanged(DalFieldInfo& field) {
  if (!DalReadField(field)) return;
  for (int page : {kPageRepairs, kPageDisposition}) {
    if (page >= static_cast<int>(notebook_.opened.size()) || !notebook_.opened[page]) continue;
    for (DalFieldInfo& dependent : notebook_.pages[page].dialog.fields) {
      if (dependent.enableRule == nullptr) continue;
      const DalControl* control = DalFieldControl(dependent);
      const bool was = control != nullptr && control->IsEnabled();
      const bool shown = std::find(shownDependents_.begin(), shownDependents_.end(), dependent.controlId) !=
                         shownDependents_.end();
      if (was && !shown) shownDependents_.push_back(dependent.controlId);
      if (DalApplyEnableRule(dependent) && !was && !shown) {
        DalSetField(dependent);
        shownDependents_.push_back(dependent.controlId);
      }
    }
  }
}

bool RadioNotebook::FillTubeRowsOnce() {
  if (!rowsFilled_) {
    rows_ = FillTubeRows(work_);
    rowsFilled_ = true;
  }
  return true;
}

void RadioNotebook::SearchFill() {
  // The line-up depends on the power source: the one chosen on the Circuit page counts, OK or not.
  if (DalFieldInfo* power = PageField(kPageCircuit, kIdPower)) DalReadField(*power);
  for (int page : {kPageTubes1, kPageTubes2}) {
    if (!notebook_.opened[page]) continue;
    for (DalFieldInfo& field : notebook_.pages[page].dialog.fields) {
      if (field.kind == kDalCombo || field.kind == kDalEdit) DalReadField(field);
    }
  }
  rows_ = SearchFillTubeRows(rows_, work_, state_.collection);
  ShowTubeRows();
}

void RadioNotebook::ShowTubeRows() {
  for (int page : {kPageTubes1, kPageTubes2}) {
    if (!notebook_.opened[page]) continue;
    for (DalFieldInfo& field : notebook_.pages[page].dialog.fields) {
      if (field.kind != kDalCombo && field.kind != kDalEdit) continue;
      const bool was = DalSetFieldNotify(field, false);
      DalSetField(field);
      DalSetFieldNotify(field, was);
    }
  }
}

// Pictures chosen from files are copied into the data directory under the names on the page; the
// page then shows the names they got.
void RadioNotebook::AddPictures() {
  for (int id : {kIdPictureFile, kIdSnapshotFile, kIdExtraPictureFiles}) {
    if (DalFieldInfo* field = PageField(kPagePictures, id)) DalReadField(*field);
  }
  const std::vector<std::string> files =
      ChooseOpenFiles(nullptr, "Add Pictures", AluNativePath(state_.registry.DataDirectory()),
                      "Pictures (*.jpg *.jpeg *.bmp *.JPG *.JPEG *.BMP)");
  if (files.empty() || CopyPicturesIn(state_.registry, work_, files).count == 0) return;
  for (int id : {kIdPictureFile, kIdSnapshotFile}) {
    if (DalFieldInfo* field = PageField(kPagePictures, id)) DalSetField(*field);
  }
  if (DalFieldInfo* field = PageField(kPagePictures, kIdExtraPictureFiles)) FillExtraPictures(*field);
}

bool RadioNotebook::FillExtraPictures(DalFieldInfo& field) {
  for (int i = 0; i < kExtraPictureLimit; ++i) {
    extras_[i] = i < UsedExtraPictures(work_) ? work_.extraPictureFiles[i] : std::string();
  }
  return DalSetField(field);
}

void RadioNotebook::ReadExtraPictures(DalFieldInfo& field) {
  if (!DalReadField(field)) return;
  int count = 0;
  for (int i = 0; i < kExtraPictureLimit; ++i) {
    if (!extras_[i].empty()) work_.extraPictureFiles[count++] = extras_[i];
  }
  for (int i = count; i < work_.extraPictureFiles.HeldCount(); ++i) work_.extraPictureFiles[i].clear();
  work_.extraPictureCount = count;
}

void RadioNotebook::TableEntryInserted(int kind, int position) {
  if (!IsOpen()) return;
  RenumberRecordReferences(work_, kind, position, 1);
  const std::vector<std::string>& entries = state_.collection.tables[kind].entries;
  for (const TableControl& shown : kTableControls) {
    if (shown.kind != kind) continue;
    DalFieldInfo* field = PageField(shown.page, shown.controlId);
    DalControl* control = field != nullptr ? DalFieldControl(*field) : nullptr;
    if (control == nullptr) continue;
    const int current = control->CurrentItem();
    const bool was = DalSetFieldNotify(*field, false);
    control->ClearItems();
    for (std::size_t i = 0; i < entries.size(); ++i)
      control->AddItem(entries[i], static_cast<std::int64_t>(i));
    control->SetCurrentItem(current >= position ? current + 1 : current);
    DalSetFieldNotify(*field, was);
  }
}

}  // namespace korvel

// The fields a spreadsheet column can fill, and the matching of a header row to them.
#pragma once

#include <string>
#include <vector>

namespace korvel {

// In the order of the export's columns.
enum ImportField : int {
  kImportId,
  kImportBrand,
  kImportModel,
  kImportSerialNumber,
  kImportYear,
  kImportManufacturer,
  kImportCabinetStyle,
  kImportCabinetComposition,
  kImportCabinetColour,
  kImportCabinetTrim,
  kImportTrimColour,
  kImportPushButtons,
  kImportTelephoneDial,
  kImportTuningDial,
  kImportDialPosition,
  kImportGrillStyle,
  kImportGrillPosition,
  kImportPowerSource,
  kImportBands,
  kImportTechnology,
  kImportCircuitType,
  kImportTubes,
  kImportDateAcquired,
  kImportPurchasePrice,
  kImportWhereAcquired,
  kImportStatus,
  kImportCondition,
  kImportChassisCondition,
  kImportDamage,
  kImportValue,
  kImportSourceOfValue,
  kImportDateRestored,
  kImportRestorationCost,
  kImportRepairsNeeded,
  kImportDateDisposed,
  kImportSellingPrice,
  kImportWhereDisposed,
  kImportSchematic,
  kImportReferences,
  kImportComments,
  kImportExtras,
  kImportPictureFile,
  kImportThumbnailFile,
  kImportExtraPictureFiles,
  kImportFieldCount,
};
inline constexpr int kNotImported = -1;

// The field's name in messages and in the preview: the export's column header.
const char* ImportFieldName(int field);

// For each header, the field it fills or kNotImported: the export's own headers exactly, otherwise
// the headers and the field labels of the description and the notebook, letter case and blanks
// around aside. A field is filled by its first column only.
std::vector<int> MatchColumns(const std::vector<std::string>& headers);

}  // namespace korvel

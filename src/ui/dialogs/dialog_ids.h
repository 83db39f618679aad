// Template and control ids of the program's dialogs; field tables name the same ids.
#pragma once

namespace korvel {

// The pages of the "Add/Modify Radio" notebook.
inline constexpr int kDialogDescription = 10;
inline constexpr int kDialogCabinet = 11;
inline constexpr int kDialogGrillDial = 12;
inline constexpr int kDialogPictures = 13;
inline constexpr int kDialogExtras = 14;
inline constexpr int kDialogCircuit = 20;
inline constexpr int kDialogTubes1 = 21;
inline constexpr int kDialogTubes2 = 22;
inline constexpr int kDialogAcquisition = 30;
inline constexpr int kDialogStatus = 31;
inline constexpr int kDialogRepairs = 32;
inline constexpr int kDialogDisposition = 33;
inline constexpr int kDialogNotes = 40;

inline constexpr int kDialogSelectRadios = 50;
inline constexpr int kDialogModifyInventory = 60;
inline constexpr int kDialogAddToInventory = 65;
inline constexpr int kDialogUpdateRadio = 70;
inline constexpr int kDialogInsertTableItem = 80;
inline constexpr int kDialogDistribution = 90;
inline constexpr int kDialogPublishWeb = 95;

// Add/Modify Radio. Ids are per page: Manufacturer (Description) and Cabinet Style (Cabinet)
// share 1005 on different pages.
inline constexpr int kIdRadioIdentifier = 1000;
inline constexpr int kIdBrand = 1001;
inline constexpr int kIdModel = 1002;
inline constexpr int kIdSerialNumber = 1003;
inline constexpr int kIdYear = 1004;
inline constexpr int kIdManufacturer = 1005;

inline constexpr int kIdCabinetStyle = 1005;
inline constexpr int kIdCabinetComposition = 1006;
inline constexpr int kIdCabinetColor = 1007;
inline constexpr int kIdTrim = 1008;
inline constexpr int kIdTrimColor = 1009;

inline constexpr int kIdTuningDialStyle = 1010;
inline constexpr int kIdTuningDialPosition = 1011;
inline constexpr int kIdGrillStyle = 1012;
inline constexpr int kIdGrillPosition = 1013;
inline constexpr int kIdPushButtons = 1014;
inline constexpr int kIdTelephoneDial = 1015;

inline constexpr int kIdPictureFile = 1016;
inline constexpr int kIdSnapshotFile = 1017;
inline constexpr int kIdExtraPictureFiles = 1018;
inline constexpr int kIdReferences = 1102;

inline constexpr int kIdExtras = 1019;
inline constexpr int kIdAddPictures = 1097;

inline constexpr int kIdPower = 1021;
inline constexpr int kIdBands = 1022;
inline constexpr int kIdCircuitType = 1023;
inline constexpr int kIdTechnology = 1024;
inline constexpr int kIdSchematic = 1101;

// Tube rows 0-7 are on "Tubes 1", rows 8-15 on "Tubes 2"; both pages have the button.
inline constexpr int kIdSearchFill = 1070;
inline constexpr int kTubeRowsPerPage = 8;
inline constexpr int kTubeRows = 2 * kTubeRowsPerPage;
inline constexpr int TubeFunctionId(int row) {
  return 1025 + 2 * row;
}
inline constexpr int TubeTextId(int row) {
  return 1026 + 2 * row;
}

inline constexpr int kIdDateAcquired = 1081;
inline constexpr int kIdAcquisitionCost = 1082;
inline constexpr int kIdWhereAcquired = 1083;

inline constexpr int kIdStatus = 1084;
inline constexpr int kIdCondition = 1085;
inline constexpr int kIdChassisCondition = 1086;
inline constexpr int kIdDamage = 1087;
inline constexpr int kIdValue = 1089;
inline constexpr int kIdSourceOfValue = 1090;

inline constexpr int kIdDateRepaired = 1091;
inline constexpr int kIdRepairCost = 1092;
inline constexpr int kIdRepairs = 1093;

inline constexpr int kIdDateDisposed = 1094;
inline constexpr int kIdDisposalPrice = 1095;
inline constexpr int kIdWhereDisposed = 1096;

inline constexpr int kIdNotes = 1103;

// Select Radio(s): four criterion rows of Action, Field, Relation and Value.
inline constexpr int kSelectRows = 4;
inline constexpr int SelectActionId(int row) {
  return 105 + row;
}
inline constexpr int SelectFieldId(int row) {
  return 205 + row;
}
inline constexpr int SelectRelationId(int row) {
  return 305 + row;
}
inline constexpr int SelectValueId(int row) {
  return 405 + row;
}
inline constexpr int kIdSelectFilter = 104;
inline constexpr int kIdSelectKeep = 110;
inline constexpr int kIdSelectClear = 111;
inline constexpr int kIdSelectPictures = 112;
inline constexpr int kIdSelectRadios = 113;
inline constexpr int kIdSelectCount = 114;
inline constexpr int kIdSelectDiscardAll = 115;
inline constexpr int kIdSelectKeepAll = 116;
inline constexpr int kIdSelectTotals = 117;  // the money the listed radios add up to
inline constexpr int kIdSelectSave = 118;
inline constexpr int kIdSelectName = 119;
inline constexpr int kSelectPictureWidth = 80;
inline constexpr int kSelectPictureHeight = 60;

// Insert Table Item
inline constexpr int kIdTableName = 103;
inline constexpr int kIdNewEntry = 105;
inline constexpr int kIdExtraInformation = 106;

// Modify Inventory, Add to Inventory
inline constexpr int kIdInventoryTube = 110;
inline constexpr int kIdInventoryCount = 112;

// Update Radio Value and References
inline constexpr int kIdUpdateBrand = 103;
inline constexpr int kIdUpdateModel = 105;
inline constexpr int kIdUpdateValue = 106;
inline constexpr int kIdUpdateSource = 107;
inline constexpr int kIdUpdateReferences = 108;
inline constexpr int kIdUpdatedValue = 109;
inline constexpr int kIdUpdatedSource = 110;
inline constexpr int kIdUpdatedPage = 111;

// Distribution of Radios
inline constexpr int kIdDistributionField = 103;
inline constexpr int kIdDistributionSelected = 104;

// Publish Radio Description to Web Page Image
inline constexpr int kIdWebRoot = 103;
inline constexpr int kIdWebHtml = 104;
inline constexpr int kIdWebPictures = 105;
inline constexpr int kIdWebSnapshots = 106;
inline constexpr int kIdWebListFile = 107;
inline constexpr int kIdWebDescriptions = 108;

}  // namespace korvel

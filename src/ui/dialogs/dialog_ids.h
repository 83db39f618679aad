// Template and control ids of the program's dialogs; field tables name the same ids.
#pragma once

namespace korvel {

inline constexpr int kDialogModifyInventory = 60;
inline constexpr int kDialogAddToInventory = 65;
inline constexpr int kDialogUpdateRadio = 70;
inline constexpr int kDialogInsertTableItem = 80;
inline constexpr int kDialogDistribution = 90;
inline constexpr int kDialogPublishWeb = 95;

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

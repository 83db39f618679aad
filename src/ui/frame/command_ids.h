// Command ids of the menu items and accelerators; the main window dispatches them.
#pragma once

namespace korvel {

constexpr int kCommandOpenCollection = 101;
constexpr int kCommandSave = 102;
constexpr int kCommandNewCollection = 103;
constexpr int kCommandPrint = 104;
constexpr int kCommandPublishWeb = 105;
constexpr int kCommandExportCsv = 106;
constexpr int kCommandRestoreBackup = 110;  // no accelerator
constexpr int kCommandExit = 107;
constexpr int kCommandList = 108;
constexpr int kCommandImportCsv = 114;
constexpr int kCommandPrintCatalogue = 115;
constexpr int kCommandAdd = 201;
constexpr int kCommandModify = 202;
constexpr int kCommandCopy = 203;
constexpr int kCommandDelete = 204;
constexpr int kCommandUndo = 205;
constexpr int kCommandRedo = 206;
constexpr int kCommandUpdate = 207;
constexpr int kCommandTableInsert = 208;
constexpr int kCommandViewNew = 302;
constexpr int kCommandViewChanges = 303;
// View > Saved items are 310 + k (kCommandSavedFirst, selection/selection.h), up to this one.
constexpr int kCommandSavedLast = 339;
constexpr int kCommandFind = 341;       // puts the cursor in the search field above the pane
constexpr int kCommandViewTable = 342;  // the selection as a table, and back
constexpr int kCommandInventoryTube = 355;
constexpr int kCommandInventoryTransistor = 356;
constexpr int kCommandGraphCostValue = 401;
constexpr int kCommandGraphDistribution = 402;
constexpr int kCommandGraphHistory = 403;
constexpr int kCommandGraphSalesProfit = 404;
constexpr int kCommandTourRandom = 502;
constexpr int kCommandTourSelected = 503;
// Tour > Size > n x n is 504 + n, n = 1..8.
constexpr int kCommandTourSizeBase = 504;
constexpr int kCommandChangeFont = 601;
constexpr int kCommandLineUp = 4001;
constexpr int kCommandLineDown = 4002;
constexpr int kCommandPageUp = 4003;
constexpr int kCommandPageDown = 4004;
// Ctrl+Shift+A..Z is 4101 + letter.
constexpr int kCommandJumpToLetterFirst = 4101;
constexpr int kCommandHelpContents = 30101;
constexpr int kCommandAbout = 30102;

}  // namespace korvel

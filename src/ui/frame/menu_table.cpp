#include "ui/frame/menu_table.h"

#include "selection/selection.h"
#include "ui/frame/command_ids.h"

namespace korvel {

namespace {

MenuItem Item(const char* text, int id) {
  return MenuItem{text, id, {}, true};
}
MenuItem Submenu(const char* text, std::vector<MenuItem> items) {
  return MenuItem{text, 0, std::move(items), true};
}
MenuItem Separator() {
  return MenuItem{nullptr, 0, {}, true};
}

}  // namespace

const std::vector<MenuItem>& ProgramMenu() {
  static const std::vector<MenuItem> menu{
      Submenu("&File",
              {Item("&New Collection", kCommandNewCollection),
               Item("&Open Collection", kCommandOpenCollection), Item("&Save", kCommandSave),
               Item("&Restore Backup", kCommandRestoreBackup), Separator(), Item("&Print", kCommandPrint),
               Item("Print C&atalogue", kCommandPrintCatalogue), Item("&List", kCommandList),
               Item("Publish for &Web", kCommandPublishWeb), Item("&Export CSV", kCommandExportCsv),
               Item("&Import CSV", kCommandImportCsv), Separator(), Item("E&xit", kCommandExit)}),
      // Undo and Redo name the step they take: the program renames them after every command.
      Submenu("&Edit", {Item("&Undo", kCommandUndo), Item("&Redo", kCommandRedo), Separator(),
                        Item("&Add", kCommandAdd), Item("&Modify", kCommandModify),
                        Item("&Copy", kCommandCopy), Item("&Delete", kCommandDelete), Separator(),
                        Item("&Update", kCommandUpdate), Item("&Table Insert", kCommandTableInsert)}),
      // "<empty>" stands for the first saved selection until there is one; it recalls nothing,
      // so it cannot be chosen.
      Submenu("&View", {Item("&New", kCommandViewNew), Item("&Changes", kCommandViewChanges),
                        Submenu("&Saved", {MenuItem{"<empty>", kCommandSavedFirst, {}, false}}), Separator(),
                        Item("&Find", kCommandFind), Item("&Table", kCommandViewTable)}),
      Submenu("&Inventory",
              {Item("&Tube", kCommandInventoryTube), Item("T&ransistor", kCommandInventoryTransistor)}),
      Submenu("&Graphs",
              {Item("&Cost/Value", kCommandGraphCostValue), Item("&Distribution", kCommandGraphDistribution),
               Item("&History", kCommandGraphHistory), Item("&Sales/Profit", kCommandGraphSalesProfit)}),
      Submenu("&Tour",
              {Item("&Random", kCommandTourRandom), Item("&Selected", kCommandTourSelected),
               Submenu("Si&ze",
                       {Item("&1x1", kCommandTourSizeBase + 1), Item("&2x2", kCommandTourSizeBase + 2),
                        Item("&3x3", kCommandTourSizeBase + 3), Item("&4x4", kCommandTourSizeBase + 4),
                        Item("&5x5", kCommandTourSizeBase + 5), Item("&6x6", kCommandTourSizeBase + 6),
                        Item("&7x7", kCommandTourSizeBase + 7), Item("&8x8", kCommandTourSizeBase + 8)})}),
      Submenu("&Options", {Item("Change &Font", kCommandChangeFont)}),
      Submenu("&Help", {Item("&Contents and Index", kCommandHelpContents)}),
  };
  return menu;
}

const std::vector<Accelerator>& ProgramAccelerators() {
  static const std::vector<Accelerator> table = [] {
    std::vector<Accelerator> keys{
        {"Ctrl+O", kCommandOpenCollection},
        {"Ctrl+S", kCommandSave},
        {"Ctrl+N", kCommandNewCollection},
        {"Ctrl+P", kCommandPrint},
        {"Ctrl+W", kCommandPublishWeb},
        {"Ctrl+Q", kCommandExit},
        {"Ctrl+A", kCommandAdd},
        {"Ctrl+M", kCommandModify},
        {"Ctrl+C", kCommandCopy},
        {"Ctrl+U", kCommandUpdate},
        {"Ctrl+I", kCommandTableInsert},
        {"Ctrl+Z", kCommandUndo},
        {"Ctrl+Y", kCommandRedo},
        {"Ctrl+V", kCommandGraphCostValue},
        {"Ctrl+D", kCommandGraphDistribution},
        {"Ctrl+H", kCommandGraphHistory},
        {"Ctrl+T", kCommandTourRandom},
        {"Ctrl+F", kCommandChangeFont},
        {"Ctrl+K", kCommandFind},
        {"Ctrl+B", kCommandViewTable},
        {"Up", kCommandLineUp},
        {"Down", kCommandLineDown},
        {"Ctrl+Up", kCommandPageUp},
        {"Ctrl+Down", kCommandPageDown},
    };
    static const char* const kLetters[] = {
        "Ctrl+Shift+A", "Ctrl+Shift+B", "Ctrl+Shift+C", "Ctrl+Shift+D", "Ctrl+Shift+E", "Ctrl+Shift+F",
        "Ctrl+Shift+G", "Ctrl+Shift+H", "Ctrl+Shift+I", "Ctrl+Shift+J", "Ctrl+Shift+K", "Ctrl+Shift+L",
        "Ctrl+Shift+M", "Ctrl+Shift+N", "Ctrl+Shift+O", "Ctrl+Shift+P", "Ctrl+Shift+Q", "Ctrl+Shift+R",
        "Ctrl+Shift+S", "Ctrl+Shift+T", "Ctrl+Shift+U", "Ctrl+Shift+V", "Ctrl+Shift+W", "Ctrl+Shift+X",
        "Ctrl+Shift+Y", "Ctrl+Shift+Z"};
    int id = kCommandJumpToLetterFirst;
    for (const char* letter : kLetters) keys.push_back({letter, id++});
    return keys;
  }();
  return table;
}

const char* AcceleratorKeys(int id) {
  // The first binding is the one the menu shows.
  for (const Accelerator& accelerator : ProgramAccelerators()) {
    if (accelerator.id == id) return accelerator.keys;
  }
  return nullptr;
}

}  // namespace korvel

// The main window's menu bar, built from the menu table, with the menu operations the rest of the
// program uses: path lookup, appending, renaming and checking items.
#pragma once

#include <QMenuBar>
#include <functional>
#include <string>
#include <vector>

#include "selection/saved_selections.h"

class QAction;
class QMenu;

namespace korvel {

using CommandHandler = std::function<void(int id)>;

// What the frame itself does with Help > Contents and Index and Help > About.
struct FrameHelp {
  std::string helpFile;   // HTML page opened by Help > Contents and Index
  std::string aboutText;  // shown by Help > About
  std::string caption;    // the window caption, named by the About item
};

class ProgramMenuBar : public QMenuBar {
 public:
  // Each item runs its command id through onCommand, except help and About, which the frame
  // handles. Item texts show the accelerator after a tab.
  ProgramMenuBar(FrameHelp help, CommandHandler onCommand, QWidget* parent = nullptr);

  // Path lookup: at each level the item whose text, in small letters, without "&" and cut at the
  // first tab, equals the path element. Gives the submenu, or none.
  QMenu* FindMenu(const std::vector<std::string>& path) const;

  // The last path element is the item text ("&" marks a mnemonic); the others find the submenu.
  // A submenu holding one item without text has that item replaced; otherwise the item is appended.
  bool AppendMenuItem(const std::vector<std::string>& path, int id);

  // The item at the position (separators count) in the submenu of the path takes the id and the
  // text of the last path element.
  bool ModifyMenuItem(const std::vector<std::string>& path, int id, int position);

  // In the submenu at the two positions (a negative second position: the first level), checks or
  // unchecks the item with the id, or, if no item has it, the item at the position.
  bool CheckMenuPair(int submenu, int secondSubmenu, int id, int position, bool check);

  // The item carrying the command id, anywhere in the menu, or none.
  QAction* FindCommand(int id) const;

  // Runs a command as if its item was chosen.
  void RunCommand(int id);

 private:
  QAction* AddCommand(QMenu* menu, const QString& text, int id);

  FrameHelp help_;
  CommandHandler onCommand_;
};

// View > Saved for RebuildSavedMenu. Names are shown as stored ("&" is not a mnemonic); items
// beyond command 339 are not added, as no command would recall them.
class SavedMenuItems : public SavedMenu {
 public:
  explicit SavedMenuItems(ProgramMenuBar& bar) : bar_(bar) {}
  int ItemCount() const override;
  void RenameItem(int id, const std::string& name) override;
  void AppendItem(int id, const std::string& name) override;

 private:
  ProgramMenuBar& bar_;
};

// Menu text for a stored name: "&" doubled so it shows, a tab (which would start the accelerator
// column) turned into a blank.
std::string MenuTextOf(const std::string& name);

}  // namespace korvel

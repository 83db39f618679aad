// The program's menu and accelerator table, as data. The menu bar is built from it.
#pragma once

#include <vector>

namespace korvel {

struct MenuItem {
  const char* text = nullptr;  // "&" marks the mnemonic; none for a separator
  int id = 0;                  // command id; 0 for a submenu or a separator
  std::vector<MenuItem> submenu;
  bool enabled = true;
};

// The top-level menus, File to Help. The About item is not here: the frame appends it with the
// window's caption.
const std::vector<MenuItem>& ProgramMenu();

// Positions (separators count) used with CheckMenuPair.
constexpr int kTourMenuPosition = 5;
constexpr int kTourSizeMenuPosition = 2;

struct Accelerator {
  const char* keys;  // QKeySequence portable form, also what the menu shows after a tab
  int id;
};

const std::vector<Accelerator>& ProgramAccelerators();

// The keys of the command's accelerator, or none.
const char* AcceleratorKeys(int id);

}  // namespace korvel

// The settings file korvel.ini: what the user set up, kept between runs.
#pragma once

#include <string>
#include <vector>

#include "selection/selection.h"
#include "ui/windows/window_parameters.h"

namespace korvel {

constexpr int kSettingsVersion = 13;
inline constexpr const char* kSettingsFileName = "korvel.ini";

struct Settings {
  std::string dataDirectory;
  std::vector<SelectionParameters> saved;  // in the order of their names
  SelectionParameters current;             // the dialog's parameters; filterName until resolved
  std::vector<int> selection;              // identifiers of the current selection's members
  int currentRadio = -1;                   // identifier of the radio on view, -1 for none
  int tourSize = 2;                        // 1 to 8
  WindowParameters mainWindow;
  WindowParameters pane;
  WindowParameters view;
  int graphField = 0;  // the Distribution graph's field
  bool graphSelected = false;
  std::string webRoot = "web";
  std::string webHtml = "html";
  std::string webPictures = "pictures";
  std::string webSnapshots = "snapshots";
  std::string webListName = "radios";
  bool webDescriptions = false;
  // The table view's columns, left to right (numbers of the radio table's columns).
  std::vector<int> tableColumns;

  Settings();
};

// Reads the file into the settings (defaults first). Reports a missing file (Warning) or a newer
// layout (Error) and keeps the defaults then. Lines missing from a short file read as empty.
// Gives the version read, or -1 when the file could not be used.
int ReadSettings(const std::string& path, Settings& settings);

// Writes the current layout; the file is replaced only once the new one is complete. A failure
// is reported (Note, OK/Cancel) and gives false.
bool WriteSettings(const std::string& path, const Settings& settings);

// The file's text in the current layout.
std::string SettingsText(const Settings& settings);

// Fonts each window's table holds.
constexpr int kWindowFontLimit = 4;

}  // namespace korvel

// Everything one run of the program works on, handed to the commands explicitly.
#pragma once

#include <string>

#include "app/settings.h"
#include "collection/collection.h"
#include "collection/collection_lock.h"
#include "collection/data_file.h"
#include "collection/history.h"
#include "pictures/picture_registry.h"
#include "selection/selection.h"

namespace korvel {

// What the view window shows.
enum ViewMode : int {
  kViewGraph = 0,
  kViewInventory = 1,
  kViewDescription = 2,
  kViewTour = 3,
  kViewList = 4,
  kViewTable = 5,  // the selection as a table, over the view window
};

struct ProgramState {
  Collection collection;
  SelectionState selection;
  Settings settings;
  PictureRegistry registry;
  DataFilePaths paths;    // where the data file was found, and where it is saved
  CollectionLock lock;    // held while this program may write the collection
  bool readOnly = false;  // another program has the collection open: nothing is written
  FileStamp diskStamp;    // radata.dat as loaded or last saved, to notice other programs' changes
  std::string settingsPath = std::string(".") + "/" + kSettingsFileName;
  int viewMode = kViewDescription;
  bool ready = true;  // false while a command runs (its dialogs keep dispatching messages)
  UndoHistory history;  // Edit > Undo and Redo, back to the load
};

}  // namespace korvel

// A radio's picture files on disk: unique names, the bookkeeping after an edit, replacing the main
// picture by a dropped file, and the thumbnail made from it. Names are relative to the registry's
// data directory; every report and question goes through ShowMessage.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "collection/collection.h"
#include "pictures/picture_registry.h"

namespace korvel {

// ".jpg", ".jpeg" or ".bmp", letter case aside.
bool IsAcceptedPictureType(std::string_view name);

// The name with `suffix` put before its extension (or at its end when it has none).
std::string InsertBeforeExtension(std::string_view name, std::string_view suffix);

// Changes the name to the first variant that no radio uses and no file has: the file name's last character (a
// new one after file names shorter than eight characters) stepped from "a" to "z". 1 when one was found, 0
// (name unchanged) when all 26 are taken.
int NewPictureName(const PictureRegistry& registry, std::string& name);

// Gives the main picture, the thumbnail and each extra picture a free name when another radio
// uses theirs; with `ask` the user is asked first and told the outcome. A renamed picture's index
// becomes -1: the record holds no registration for its new name until the caller registers it.
void CheckPictureNames(const PictureRegistry& registry, RadioRecord& radio, bool ask);

// While a radio is being added: its picture and thumbnail names follow brand and model (made
// unique without asking; a name whose file is on disk counts as taken). Nothing is registered, so a cancelled
// Add leaves no trace.
void NamePicturesWhileAdding(const Collection& collection, const PictureRegistry& registry,
                             RadioRecord& work);

// The radio's picture names before an edit (main, thumbnail, extras; at most 12).
struct RememberedPictures {
  std::vector<std::string> names;
};
RememberedPictures RememberRadioPictures(const RadioRecord& radio);

// After a radio was modified or copied: releases its registrations, makes its names unique (asking),
// registers them again, recounts the extra pictures up to the first empty name, and offers to delete
// the files of remembered names that no radio uses any more.
void ReregisterPictures(PictureRegistry& registry, RadioRecord& radio, const RememberedPictures& before);
// The picture files the user had deleted (above) since the last call, named as shown.
std::vector<std::string> TakeDeletedPictureFiles();

// Makes the dropped picture file the radio's main picture, asking what becomes of the old file.
// 1 when the main picture now is the dropped picture (or there was nothing to do), 0 when the
// replacement was refused or failed; then the radio, its registrations and the files are as before.
int ReplacePictureFromFile(Collection& collection, PictureRegistry& registry, const std::string& dropped,
                           RadioRecord& radio);

// Regenerates the thumbnail from the main picture, its larger side at most 100 pixels. With
// `askIfShared` a thumbnail that another radio uses too is only replaced after a Yes.
void MakeThumbnail(PictureRegistry& registry, RadioRecord& radio, bool askIfShared = true);

// Files dropped onto the view while it shows `shown` (none: nothing happens): several are added
// as its pictures (AddPicturesToRadio); one alone replaces the main picture; when it did, the thumbnail is
// made again and `showNextPicture` is called with the radio (the view steps on and redraws). True when the
// picture was replaced.
bool DropPictureOnView(Collection& collection, PictureRegistry& registry, RadioRecord* shown,
                       std::span<const std::string> files,
                       const std::function<void(RadioRecord&)>& showNextPicture);

}  // namespace korvel

// Adding a radio's pictures from files chosen or dropped by the user: each is copied (never moved)
// into the data directory under a name the program makes for the radio, upright.
#pragma once

#include <span>
#include <string>

#include "collection/collection.h"
#include "pictures/picture_registry.h"

namespace korvel {

struct AddedPictures {
  int count = 0;             // files copied in
  bool mainPicture = false;  // the first became the main picture
};

// Copies the files in as the radio's pictures: the first as its main picture when the radio has no
// main picture file yet, the others (or all) as extra pictures up to ten, named after the main
// picture with "_1", "_2"... (a name another radio uses, or whose file exists, is passed over). A
// photo the camera stored turned is written upright; others are copied byte for byte, a BMP becomes
// a JPEG under a ".jpg" name. Only the record's names change: the caller registers them and makes
// the snapshot. Files that cannot be added are reported.
AddedPictures CopyPicturesIn(const PictureRegistry& registry, RadioRecord& radio,
                             std::span<const std::string> files);

// Several files dropped on the view, or chosen for a radio of the collection: CopyPicturesIn, then
// the radio's names registered again and, for a new main picture, its snapshot made. True when any
// was added (the collection is then changed).
bool AddPicturesToRadio(Collection& collection, PictureRegistry& registry, RadioRecord& radio,
                        std::span<const std::string> files);

}  // namespace korvel

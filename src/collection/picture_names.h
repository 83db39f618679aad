// The names the program gives a radio's picture files when it has none: one directory per brand
// and an eight-character short name made from the model.
#pragma once

#include <string>
#include <string_view>

#include "collection/collection.h"

namespace korvel {

// Stands for a missing picture.
inline constexpr const char* kPicturePlaceholder = "pictures\\nopictur.bmp";

// Whether the record has a main picture of its own (not empty, not the placeholder).
bool HasOwnPicture(const RadioRecord& record);

// A file name of at most eight characters made from the text: lower case, without blanks, dots,
// question marks and apostrophes, then without dashes, vowels and finally letters of the leading
// run of letters, so that a model number survives longest.
std::string ShortName(std::string_view text);

// "pictures\<brand dir>\<short model>.jpg", or with "\smallpix" before the file name for the
// thumbnail. The brand directory is the brand's picture directory, else the short brand name.
std::string PicturePath(const Collection& collection, int brand, std::string_view model, bool thumbnail);

// Gives the record the two picture paths for its brand and model.
void SetPictureNames(const Collection& collection, RadioRecord& record);

// After loading: works out each brand's picture directory from the pictures its radios have, and
// names the pictures of radios that have none.
void FixupPictureFileNames(Collection& collection);

}  // namespace korvel

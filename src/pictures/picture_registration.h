// The registry handles kept in each radio record beside its picture names.
#pragma once

#include "collection/collection.h"
#include "pictures/picture_registry.h"

namespace korvel {

// Registers the radio's main picture, thumbnail and used extra pictures and keeps the indices in
// the record (-1 for an empty name).
void RegisterRadioPictures(PictureRegistry& registry, RadioRecord& radio);

// Gives up the registrations the record holds (before it is deleted or re-registered); its
// indices become -1.
void ReleaseRadioPictures(PictureRegistry& registry, RadioRecord& radio);

// After loading: every radio of the collection registers its pictures.
void RegisterCollectionPictures(Collection& collection, PictureRegistry& registry);

// The picture a click on the view steps to from the radio's current one: the next extra picture
// that can be read, or the main picture (-1) after the last. One that cannot be read is passed over
// (and reported once a run).
int NextReadablePicture(PictureRegistry& registry, const RadioRecord& radio);

// Sets every index of the record to -1 without releasing anything: for a copy of a record, which
// does not own the registrations of the record it was copied from.
void ForgetPictureHandles(RadioRecord& radio);

}  // namespace korvel

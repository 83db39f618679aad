#include "pictures/picture_registration.h"

namespace korvel {

void RegisterRadioPictures(PictureRegistry& registry, RadioRecord& radio) {
  radio.pictureIndex = registry.Register(radio.pictureFile);
  radio.thumbnailIndex = registry.Register(radio.thumbnailFile);
  const int extras = UsedExtraPictures(radio);
  for (int i = 0; i < kExtraPictureLimit; ++i) {
    radio.extraPictureIndex[i] = i < extras ? registry.Register(radio.extraPictureFiles[i]) : -1;
  }
}

void ReleaseRadioPictures(PictureRegistry& registry, RadioRecord& radio) {
  registry.Release(radio.pictureIndex);
  registry.Release(radio.thumbnailIndex);
  for (int& index : radio.extraPictureIndex) registry.Release(index);
  ForgetPictureHandles(radio);
}

void RegisterCollectionPictures(Collection& collection, PictureRegistry& registry) {
  for (RadioRecord* radio : collection.radios) RegisterRadioPictures(registry, *radio);
}

void ForgetPictureHandles(RadioRecord& radio) {
  radio.pictureIndex = -1;
  radio.thumbnailIndex = -1;
  radio.extraPictureIndex.fill(-1);
}

}  // namespace korvel

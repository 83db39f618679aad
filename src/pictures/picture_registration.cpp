#include "pictures/picture_registration.h"

#include <algorithm>

#include "collection/tables.h"
#include "util/message.h"

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
  // Names leading outside the data directory are kept (nothing the user saved is lost) but never
  // opened; one Warning lists the first few.
  constexpr int kListed = 5;
  std::string listed;
  int outside = 0;
  for (RadioRecord* radio : collection.radios) {
    RegisterRadioPictures(registry, *radio);
    const auto check = [&](const std::string& name) {
      if (PictureNameStaysInside(name) || ++outside > kListed) return;
      listed += "\n" + collection.tables[kTableBrandName].Text(radio->brand) + " " + radio->model + ": '" +
                name + "'";
    };
    check(radio->pictureFile);
    check(radio->thumbnailFile);
    for (int i = 0; i < UsedExtraPictures(*radio); ++i) check(radio->extraPictureFiles[i]);
  }
  if (outside == 0) return;
  if (outside > kListed) listed += "\n(and " + std::to_string(outside - kListed) + " more)";
  ShowMessage(kWarning, kButtonsOk,
              "These picture names lead outside the data directory. They are kept, but their files are not "
              "opened:%s",
              listed.c_str());
}

int NextReadablePicture(PictureRegistry& registry, const RadioRecord& radio) {
  const int extras = UsedExtraPictures(radio);
  for (int i = std::max(radio.currentPicture + 1, 0); i < extras; ++i) {
    const int index = radio.extraPictureIndex[static_cast<std::size_t>(i)];
    int width = 0, height = 0;
    if (registry.GetSize(index, width, height)) return i;
    if (registry.FirstReport(index)) {
      ShowMessage(kWarning, kButtonsOk, "The picture '%s' cannot be shown: %s.",
                  registry.ReportedPath(index).c_str(), registry.Problem(index).c_str());
    }
  }
  return -1;
}

void ForgetPictureHandles(RadioRecord& radio) {
  radio.pictureIndex = -1;
  radio.thumbnailIndex = -1;
  radio.extraPictureIndex.fill(-1);
}

}  // namespace korvel

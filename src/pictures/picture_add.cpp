#include "pictures/picture_add.h"

#include "pictures/gal_bitmap.h"
#include "pictures/picture_files.h"
#include "pictures/picture_registration.h"
#include "util/alu_file.h"
#include "util/alu_path.h"
#include "util/message.h"

namespace korvel {
namespace {

constexpr int kLastExtraNumber = 99;
constexpr int kSnapshotSize = 100;  // the larger side of a snapshot, as MakeThumbnail makes it

bool Taken(const PictureRegistry& registry, const RadioRecord& radio, const std::string& name) {
  if (name == radio.pictureFile || name == radio.thumbnailFile) return true;
  for (int i = 0; i < UsedExtraPictures(radio); ++i) {
    if (name == radio.extraPictureFiles[i]) return true;
  }
  return registry.IsUsed(name) || AluFileExists(registry.DisplayPath(name));
}

// The first free "_n" variant of the main picture's name, as a JPEG; empty when none is free.
std::string ExtraName(const PictureRegistry& registry, const RadioRecord& radio) {
  const std::string base =
      AluReplaceExtension("x.jpg", radio.pictureFile).value_or(radio.pictureFile + ".jpg");
  for (int n = 1; n <= kLastExtraNumber; ++n) {
    std::string suffix(1, '_');
    suffix += std::to_string(n);
    std::string candidate = InsertBeforeExtension(base, suffix);
    if (!Taken(registry, radio, candidate)) return candidate;
  }
  return {};
}

// The file written under the target name, upright: byte for byte when it already is (same type, no
// turn recorded), else decoded upright and written in the type the target's name says.
bool CopyUpright(const std::string& source, const std::string& target) {
  AluCreateDirectoriesFor(target);
  const FileType type = AluFileType(source);
  const bool sameType = type == AluFileType(target);
  if (sameType && type == kFileBitmap) return AluCopyFile(source, target) == 1;
  if (sameType && GalReadPictureFacts(source).orientation == 1) return AluCopyFile(source, target) == 1;
  GalBitmap picture;
  return GalLoadBitmap(source, picture) == 1 && GalWriteBitmap(target, picture) == 1;
}

}  // namespace

AddedPictures CopyPicturesIn(const PictureRegistry& registry, RadioRecord& radio,
                             std::span<const std::string> files) {
  AddedPictures added;
  if (files.empty()) return added;
  if (radio.pictureFile.empty() || registry.DisplayPath(radio.pictureFile).empty()) {
    ShowMessage(kWarning, kButtonsOk,
                "Pictures are named after the radio's picture file name: give the radio a brand and model, "
                "or a picture file name under the data directory, first.");
    return added;
  }
  for (const std::string& file : files) {
    if (!IsAcceptedPictureType(file)) {
      ShowMessage(kError, kButtonsOk,
                  "Picture files must have a type of: '.jpg', '.jpeg', or '.bmp'; '%s' does not.",
                  file.c_str());
      continue;
    }
    const GalPictureFacts facts = GalReadPictureFacts(file);
    if (!facts.problem.empty()) {
      ShowMessage(kError, kButtonsOk, "The picture '%s' is not added: %s.", file.c_str(),
                  facts.problem.c_str());
      continue;
    }
    const bool main = !AluFileExists(registry.DisplayPath(radio.pictureFile));
    const int extras = UsedExtraPictures(radio);
    if (!main && extras >= kExtraPictureLimit) {
      ShowMessage(kWarning, kButtonsOk,
                  "The radio already has %d extra pictures: '%s' and the files after it are not added.",
                  extras, file.c_str());
      break;
    }
    const std::string name = main ? radio.pictureFile : ExtraName(registry, radio);
    const std::string target = registry.DisplayPath(name);
    if (name.empty() || !CopyUpright(file, target)) {
      ShowMessage(kError, kButtonsOk, "Could not copy '%s' to '%s'.", file.c_str(),
                  target.empty() ? "the data directory" : target.c_str());
      continue;
    }
    ++added.count;
    if (main) {
      added.mainPicture = true;
      // The pane shows the snapshot: one is made when there is none yet (an existing one is the
      // caller's to replace, with its questions).
      const std::string snapshot = registry.DisplayPath(radio.thumbnailFile);
      if (!snapshot.empty() && !AluFileExists(snapshot)) {
        AluCreateDirectoriesFor(snapshot);
        GalCopyPictureFile(target, snapshot, 0, kSnapshotSize);
      }
    } else {
      radio.extraPictureFiles[extras] = name;
      radio.extraPictureCount = extras + 1;
    }
  }
  return added;
}

bool AddPicturesToRadio(Collection& collection, PictureRegistry& registry, RadioRecord& radio,
                        std::span<const std::string> files) {
  if (files.empty() || !PrepareRadioChange(collection, radio)) return false;
  const AddedPictures added = CopyPicturesIn(registry, radio, files);
  if (added.count == 0) return false;
  ReleaseRadioPictures(registry, radio);
  RegisterRadioPictures(registry, radio);
  if (added.mainPicture) {
    registry.ForgetBitmap(radio.pictureIndex);
    MakeThumbnail(registry, radio, true);  // also over a snapshot left from an earlier picture
  }
  collection.changed = true;
  return true;
}

}  // namespace korvel

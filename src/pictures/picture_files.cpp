#include "pictures/picture_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "collection/picture_names.h"
#include "pictures/picture_disk.h"
#include "pictures/picture_registration.h"
#include "util/alu_file.h"
#include "util/alu_path.h"
#include "util/message.h"

namespace korvel {
namespace {

std::vector<std::string>& DeletedPictureFiles() {
  static std::vector<std::string> deleted;
  return deleted;
}

constexpr std::size_t kShortBase = 8;
constexpr int kThumbnailSize = 100;

// The questions and notes of one kind of picture name.
struct NameTexts {
  const char* question;
  const char* changed;
};
constexpr NameTexts kPictureTexts{
    "Picture file name '%s' is already used, do you want me to generate a new file name?",
    "Duplicate picture file name changed to '%s'."};
constexpr NameTexts kThumbnailTexts{
    "Thumbnail picture file name '%s' is already used, do you want me to generate a new file name?",
    "Duplicate thumbnail picture file name changed to '%s'."};

bool Taken(const PictureRegistry& registry, const std::string& name,
           const std::vector<std::string>& reserved) {
  return registry.IsUsed(name) || std::find(reserved.begin(), reserved.end(), name) != reserved.end();
}

// A file left by a deleted radio still holds its photograph: a new name must not pick it up.
bool HasFile(const PictureRegistry& registry, const std::string& name) {
  std::error_code error;
  return std::filesystem::exists(AluResolvePath(registry.DisplayPath(name)), error);
}

// How a clash is decided: by the registry alone (a name the user chose for a file that is there),
// or by the files on disk as well (a name the program makes up).
enum class Clash { kUsed, kUsedOrOnDisk };

// NewPictureName that also passes over the names already handed out in the same check, which are
// not registered yet.
int NewNameExcept(const PictureRegistry& registry, std::string& name,
                  const std::vector<std::string>& reserved) {
  const PathParts parts = AluSplitPath(name);
  const std::size_t end = parts.extension >= 0 ? static_cast<std::size_t>(parts.extension) : name.size();
  const std::size_t start = static_cast<std::size_t>(parts.fileName);
  std::string candidate = name.substr(0, end);
  if (end - start < kShortBase) candidate += 'a';
  const std::size_t varying = candidate.size() - 1;
  candidate += name.substr(end);
  for (char c = 'a'; c <= 'z'; ++c) {
    candidate[varying] = c;
    if (!Taken(registry, candidate, reserved) && !HasFile(registry, candidate)) {
      name = std::move(candidate);
      return 1;
    }
  }
  return 0;
}

// One name of the radio: a free variant when it is used, with the user's consent when asking.
void CheckName(const PictureRegistry& registry, std::string& name, std::int32_t& index,
               const NameTexts& texts, bool ask, std::vector<std::string>& reserved,
               Clash clash = Clash::kUsed) {
  if (name.empty()) return;
  if (Taken(registry, name, reserved) || (clash == Clash::kUsedOrOnDisk && HasFile(registry, name))) {
    const std::string path = registry.DisplayPath(name);
    if (!ask || ShowMessage(kWarning, kButtonsYesNo, texts.question, path.c_str()) == kAnswerYes) {
      if (NewNameExcept(registry, name, reserved)) {
        if (ask) ShowMessage(kNote, kButtonsOk, texts.changed, registry.DisplayPath(name).c_str());
        index = -1;
        reserved.push_back(name);
      } else if (ask) {
        ShowMessage(kWarning, kButtonsOk, "Couldn't find a new name for '%s'.", path.c_str());
      }
    }
  }
}

}  // namespace

bool IsAcceptedPictureType(std::string_view name) {
  const FileType type = AluFileType(name);
  return type == kFileJpeg || type == kFileBitmap;
}

std::string InsertBeforeExtension(std::string_view name, std::string_view suffix) {
  const PathParts parts = AluSplitPath(name);
  const std::size_t end = parts.extension >= 0 ? static_cast<std::size_t>(parts.extension) : name.size();
  std::string result(name.substr(0, end));
  result += suffix;
  result += name.substr(end);
  return result;
}

int NewPictureName(const PictureRegistry& registry, std::string& name) {
  return NewNameExcept(registry, name, {});
}

void CheckPictureNames(const PictureRegistry& registry, RadioRecord& radio, bool ask) {
  // Variants given out earlier in this check count as used: two pictures of the radio that clash
  // with the same name must not both get the same new name.
  std::vector<std::string> reserved;
  CheckName(registry, radio.pictureFile, radio.pictureIndex, kPictureTexts, ask, reserved);
  CheckName(registry, radio.thumbnailFile, radio.thumbnailIndex, kThumbnailTexts, ask, reserved);
  const int extras = UsedExtraPictures(radio);
  for (int i = 0; i < extras; ++i) {
    if (radio.extraPictureFiles[i].empty()) continue;
    CheckName(registry, radio.extraPictureFiles[i], radio.extraPictureIndex[i], kPictureTexts, ask, reserved);
  }
}

void NamePicturesWhileAdding(const Collection& collection, const PictureRegistry& registry,
                             RadioRecord& work) {
  if (work.model.empty()) return;
  SetPictureNames(collection, work);
  std::vector<std::string> reserved;
  CheckName(registry, work.pictureFile, work.pictureIndex, kPictureTexts, false, reserved,
            Clash::kUsedOrOnDisk);
  CheckName(registry, work.thumbnailFile, work.thumbnailIndex, kThumbnailTexts, false, reserved,
            Clash::kUsedOrOnDisk);
  for (int i = 0; i < UsedExtraPictures(work); ++i)
    CheckName(registry, work.extraPictureFiles[i], work.extraPictureIndex[i], kPictureTexts, false, reserved);
}

RememberedPictures RememberRadioPictures(const RadioRecord& radio) {
  RememberedPictures remembered;
  auto keep = [&](const std::string& name) {
    if (!name.empty()) remembered.names.push_back(name);
  };
  keep(radio.pictureFile);
  keep(radio.thumbnailFile);
  for (int i = 0; i < UsedExtraPictures(radio); ++i) keep(radio.extraPictureFiles[i]);
  return remembered;
}

void ReregisterPictures(PictureRegistry& registry, RadioRecord& radio, const RememberedPictures& before) {
  ReleaseRadioPictures(registry, radio);
  CheckPictureNames(registry, radio, true);

  radio.pictureIndex = registry.Register(radio.pictureFile);
  radio.thumbnailIndex = registry.Register(radio.thumbnailFile);
  int count = 0;
  while (count < kExtraPictureLimit && !radio.extraPictureFiles[count].empty()) {
    radio.extraPictureIndex[count] = registry.Register(radio.extraPictureFiles[count]);
    ++count;
  }
  radio.extraPictureCount = count;

  std::vector<std::string> offered;
  for (const std::string& name : before.names) {
    if (registry.IsUsed(name) || std::find(offered.begin(), offered.end(), name) != offered.end()) continue;
    offered.push_back(name);
    const std::string path = registry.DisplayPath(name);
    // A file that is not there is not worth a question.
    if (!AluFileExists(path)) continue;
    if (ShowMessage(kWarning, kButtonsYesNo, "Are you sure you want to delete '%s'?", path.c_str()) !=
        kAnswerYes)
      continue;
    if (!RemovePictureFile(path)) {
      ShowMessage(kError, kButtonsOk, "Couldn't delete '%s'.", path.c_str());
    } else {
      DeletedPictureFiles().push_back(path);
    }
  }
}

std::vector<std::string> TakeDeletedPictureFiles() {
  return std::exchange(DeletedPictureFiles(), {});
}

void MakeThumbnail(PictureRegistry& registry, RadioRecord& radio, bool askIfShared) {
  if (radio.thumbnailFile.empty()) return;
  const std::string thumbnail = registry.DisplayPath(radio.thumbnailFile);
  if (askIfShared && registry.UseCount(radio.thumbnailIndex) > 1 && AluFileExists(thumbnail) &&
      ShowMessage(
          kWarning, kButtonsYesNo,
          "Thumbnail picture file '%s' is also used by another radio, do you still want to replace it?",
          thumbnail.c_str()) != kAnswerYes) {
    return;
  }
  // The new thumbnail is written beside the old one and renamed over it, so a failure keeps the
  // old one rather than leaving none. A thumbnail that is the main picture itself is never shrunk.
  const std::string picture = registry.DisplayPath(radio.pictureFile);
  AluCreateDirectoriesFor(thumbnail);
  if (radio.thumbnailFile == radio.pictureFile || SamePictureFile(picture, thumbnail) ||
      !GalCopyPictureFile(picture, thumbnail, 0, kThumbnailSize)) {
    ShowMessage(kWarning, kButtonsOk, "Unable to create new thumbnail picture file '%s'.", thumbnail.c_str());
  }
  registry.ForgetBitmap(radio.thumbnailIndex);
}

}  // namespace korvel

// Replacing a radio's main picture by a file dropped onto the view.
#include <optional>

#include "pictures/picture_add.h"
#include "pictures/picture_disk.h"
#include "pictures/picture_files.h"
#include "util/alu_file.h"
#include "util/alu_path.h"
#include "util/message.h"

namespace korvel {
namespace {

constexpr int kLastExtraSuffix = 20;

struct Outcome {
  int result = 0;
  bool replaced = false;  // false also when there was nothing to do
};

// Registrations and files made on the way, undone unless the replacement goes through.
class Provisional {
 public:
  explicit Provisional(PictureRegistry& registry) : registry_(registry) {}
  ~Provisional() {
    if (kept_) return;
    if (!extraPath_.empty()) RemovePictureFile(extraPath_);
    registry_.Release(extraIndex_);
    registry_.Release(targetIndex_);
  }
  Provisional(const Provisional&) = delete;
  Provisional& operator=(const Provisional&) = delete;

  void SetTarget(int index) { targetIndex_ = index; }
  void SetExtra(int index) { extraIndex_ = index; }
  void SetExtraFile(std::string path) { extraPath_ = std::move(path); }
  void Keep() { kept_ = true; }

 private:
  PictureRegistry& registry_;
  int targetIndex_ = -1;
  int extraIndex_ = -1;
  std::string extraPath_;
  bool kept_ = false;
};

bool Confirm(const char* format, const std::string& path) {
  return ShowMessage(kWarning, kButtonsYesNo, format, path.c_str()) == kAnswerYes;
}

void ReportTypes(const std::string& name) {
  ShowMessage(kError, kButtonsOk,
              "Picture files must have a type of: '.jpg', '.jpeg', or '.bmp'; '%s' does not.", name.c_str());
}

// The first "_n" variant of the name, from the radio's extra count on, that no radio uses and
// whose file does not exist; registered. -1 when there is none up to 20.
int FindExtraName(PictureRegistry& registry, const std::string& name, int from, std::string& extra) {
  for (int n = from; n <= kLastExtraSuffix; ++n) {
    // Appended rather than "_" + to_string(n): GCC 12 at -O3 misreads that as overlapping copies.
    std::string suffix(1, '_');
    suffix += std::to_string(n);
    std::string candidate = InsertBeforeExtension(name, suffix);
    if (registry.IsUsed(candidate) || AluFileExists(registry.DisplayPath(candidate))) continue;
    const int index = registry.Register(candidate);
    if (index < 0) continue;
    extra = std::move(candidate);
    return index;
  }
  return -1;
}

Outcome Replace(Collection& collection, PictureRegistry& registry, const std::string& dropped,
                RadioRecord& radio) {
  if (!AluFileExists(dropped)) return {1, false};
  if (!IsAcceptedPictureType(radio.pictureFile)) {
    ReportTypes(registry.DisplayPath(radio.pictureFile));
    return {};
  }
  if (!IsAcceptedPictureType(dropped)) {
    ReportTypes(dropped);
    return {};
  }
  // Before any file is touched: the radio's names may change below.
  if (!PrepareRadioChange(collection, radio)) return {};

  Provisional provisional(registry);
  const bool sameType = AluFileType(dropped) == AluFileType(radio.pictureFile);
  std::string targetName = radio.pictureFile;
  int targetIndex = radio.pictureIndex;
  if (!sameType) {
    const std::optional<std::string> renamed = AluReplaceExtension(dropped, radio.pictureFile);
    if (!renamed) return {};
    targetName = *renamed;
    targetIndex = registry.Register(targetName);
    if (targetIndex < 0) return {};
    provisional.SetTarget(targetIndex);
  }
  const std::string target = registry.DisplayPath(targetName);
  // Copying a file onto itself would move it to its backup and then find nothing to copy.
  if (SamePictureFile(dropped, target)) return {1, false};

  const std::string thumbnail = registry.DisplayPath(radio.thumbnailFile);
  if (registry.UseCount(radio.thumbnailIndex) > 1 && AluFileExists(thumbnail) &&
      !Confirm("Thumbnail picture file '%s' is also used by another radio, do you still want to replace it?",
               thumbnail)) {
    return {};
  }

  bool retain = false;
  if (AluFileExists(target)) {
    const int answer =
        ShowMessage(kWarning, kButtonsYesNoCancel,
                    "Do you want to retain the old picture file as one of the extra pictures "
                    "(yes), delete the old picture file (no), or cancel the operation (cancel)?");
    if (answer != kAnswerYes && answer != kAnswerNo) return {};
    retain = answer == kAnswerYes;
  }

  // The other radio shows the new picture whether the old one is retained or deleted.
  if (registry.UseCount(targetIndex) > 1 &&
      !Confirm("Picture file '%s' is also used by another radio, do you still want to replace it?", target)) {
    return {};
  }

  std::string extraName;
  int extraIndex = -1;
  if (retain) {
    const int extras = UsedExtraPictures(radio);
    if (extras >= kExtraPictureLimit) {
      ShowMessage(kError, kButtonsOk, "Already have %d extra picture files.", extras);
      return {};
    }
    // Named after the file it keeps, so its extension says what it holds.
    extraIndex = FindExtraName(registry, targetName, extras, extraName);
    if (extraIndex < 0) {
      ShowMessage(kError, kButtonsOk, "Can't create a name for the file.");
      return {};
    }
    provisional.SetExtra(extraIndex);
    const std::string extraPath = registry.DisplayPath(extraName);
    if (!AluCopyFile(target, extraPath)) {
      ShowMessage(kError, kButtonsOk, "Can't copy %s to %s.", target.c_str(), extraPath.c_str());
      return {};
    }
    provisional.SetExtraFile(extraPath);
  }

  // The old file is kept under its backup name until the new one is in place. When it is retained,
  // its copy is already made and the user has said what to do with it.
  std::optional<PictureBackup> backup;
  if (AluFileExists(target)) {
    if (!retain && !Confirm("Are you sure you want to replace picture file '%s'?", target)) return {};
    backup = BackUpPictureFile(target);
    if (!backup) {
      ShowMessage(kError, kButtonsOk,
                  "Couldn't back up picture file '%s' before copy operation, so we're giving up.",
                  target.c_str());
      return {};
    }
  }

  if (!AluCopyFile(dropped, target)) {
    if (!backup) {
      ShowMessage(kError, kButtonsOk, "Could not copy '%s' to '%s'.", dropped.c_str(), target.c_str());
    } else {
      ShowMessage(kError, kButtonsOk, "Could not copy '%s' to '%s', replacing original version.",
                  dropped.c_str(), target.c_str());
      if (!RestorePictureFile(*backup)) {
        ShowMessage(kError, kButtonsOk, "Couldn't put back picture file '%s'; it is kept as '%s'.",
                    backup->original.c_str(), backup->backup.c_str());
      }
    }
    return {};
  }
  if (backup) DropPictureBackup(*backup);

  provisional.Keep();
  if (retain) {
    const int extras = UsedExtraPictures(radio);
    for (int i = extras; i > 0; --i) {
      // Through a local: making room for [i] may move the names, and [i - 1] with them.
      std::string previous = std::move(radio.extraPictureFiles[i - 1]);
      radio.extraPictureFiles[i] = std::move(previous);
      radio.extraPictureIndex[i] = radio.extraPictureIndex[i - 1];
    }
    radio.extraPictureFiles[0] = extraName;
    radio.extraPictureIndex[0] = extraIndex;
    radio.extraPictureCount = extras + 1;
    collection.changed = true;
  }
  if (!sameType) {
    registry.Release(radio.pictureIndex);
    radio.pictureFile = targetName;
    radio.pictureIndex = targetIndex;
    collection.changed = true;  // the radio now names another file
  }
  registry.ForgetBitmap(targetIndex);
  return {1, true};
}

}  // namespace

int ReplacePictureFromFile(Collection& collection, PictureRegistry& registry, const std::string& dropped,
                           RadioRecord& radio) {
  return Replace(collection, registry, dropped, radio).result;
}

bool DropPictureOnView(Collection& collection, PictureRegistry& registry, RadioRecord* shown,
                       std::span<const std::string> files,
                       const std::function<void(RadioRecord&)>& showNextPicture) {
  if (shown == nullptr || files.empty()) return false;
  // Several files at once are added as pictures; one alone replaces the main picture.
  if (files.size() > 1) {
    const bool added = AddPicturesToRadio(collection, registry, *shown, files);
    if (added && showNextPicture) showNextPicture(*shown);
    return added;
  }
  const Outcome outcome = Replace(collection, registry, files.front(), *shown);
  if (!outcome.replaced) return false;
  // A thumbnail shared with another radio was agreed to before the picture was replaced.
  MakeThumbnail(registry, *shown, false);
  if (showNextPicture) showNextPicture(*shown);
  return true;
}

}  // namespace korvel

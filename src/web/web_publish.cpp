#include "web/web_publish.h"

#include <cstdio>
#include <string>

#include "pictures/gal_bitmap.h"
#include "util/alu_encoding.h"
#include "util/alu_path.h"
#include "util/message.h"
#include "web/web_pages.h"

namespace korvel {
namespace {

constexpr int kShrink = 0;
constexpr int kWebPictureSize = 500;
constexpr int kScale = 1;
constexpr int kFullSize = 1000;

// A page being written; a write that fails on the way shows when it is closed.
class PageFile {
 public:
  explicit PageFile(const std::string& path) : file_(std::fopen(AluResolvePath(path).c_str(), "w")) {}
  ~PageFile() { Close(); }
  PageFile(const PageFile&) = delete;
  PageFile& operator=(const PageFile&) = delete;

  bool opened() const { return file_ != nullptr; }
  void Write(const std::string& text) {
    if (file_ != nullptr && std::fwrite(text.data(), 1, text.size(), file_) != text.size()) failed_ = true;
  }
  // True when every byte reached the file.
  bool Close() {
    if (file_ == nullptr) return !failed_;
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
    return !failed_;
  }

 private:
  std::FILE* file_;
  bool failed_ = false;
};

bool CopyPicture(const PictureRegistry& registry, int index, const std::string& target, int mode, int size) {
  if (GalCopyPictureFile(registry.Path(index), target, mode, size)) return true;
  ShowMessage(kError, kButtonsOk, "Unable to create '%s'.", target.c_str());
  return false;
}

void PublishImages(const PictureRegistry& registry, const RadioRecord& radio, const WebSettings& settings,
                   const std::string& name) {
  if (!CopyPicture(registry, radio.pictureIndex, WebPath(settings, settings.pictures, name + ".jpg"), kShrink,
                   kWebPictureSize)) {
    return;
  }
  if (!CopyPicture(registry, radio.thumbnailIndex, WebPath(settings, settings.snapshots, name + ".jpg"),
                   kScale, kFullSize)) {
    return;
  }
  for (int i = 0; i < UsedExtraPictures(radio); ++i) {
    const std::string extra = name + "_" + std::to_string(i) + ".jpg";
    CopyPicture(registry, radio.extraPictureIndex[static_cast<std::size_t>(i)],
                WebPath(settings, settings.pictures, extra), kShrink, kWebPictureSize);
  }
}

}  // namespace

std::string WebPath(const WebSettings& settings, const std::string& subdirectory, const std::string& name) {
  return settings.root + "\\" + subdirectory + "\\" + name;
}

int PublishWeb(const Collection& collection, const PictureRegistry& registry, const RadioList& selection,
               const WebSettings& settings) {
  const std::string listPath = WebPath(settings, settings.html, settings.listName + ".htm");
  PageFile list(listPath);
  if (!list.opened()) {
    ShowMessage(kError, kButtonsOk, "Unable to open '%s'.", listPath.c_str());
    return 0;
  }
  list.Write(ListPageHead());
  int published = 0;
  for (const RadioRecord* radio : selection) {
    const std::optional<std::string> base = WebBaseName(radio->pictureFile);
    if (!base) {
      ShowMessage(kWarning, kButtonsOk, "Picture file name '%s', in unexpected format.  Skipping this radio.",
                  radio->pictureFile.c_str());
      continue;
    }
    // Files are named as the pages link to them, so a name stored in Windows-1252 still matches.
    const std::string name = AluDisplayUtf8(*base);
    const std::string pagePath = WebPath(settings, settings.html, name + ".htm");
    PageFile page(pagePath);
    if (!page.opened()) {
      ShowMessage(kError, kButtonsOk, "Unable to open '%s'.", pagePath.c_str());
      continue;
    }
    list.Write(ListPageEntry(collection, *radio, *base, published, settings));
    page.Write(RadioPage(collection, *radio, *base, settings));
    if (!page.Close()) ShowMessage(kError, kButtonsOk, "Unable to write '%s'.", pagePath.c_str());
    ++published;
    PublishImages(registry, *radio, settings, name);
  }
  list.Write(ListPageTail());
  if (!list.Close()) {
    ShowMessage(kError, kButtonsOk, "Unable to write '%s'.", listPath.c_str());
    return 0;
  }
  return 1;
}

}  // namespace korvel

#include "web/web_publish.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

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

// Whether each of the site's directories is there to write into.
struct SiteDirectories {
  bool html = false, pictures = false, snapshots = false;
};

// A missing directory of the site is made; one that cannot be is said once, not once per file.
bool MakeDirectory(const WebSettings& settings, const std::string& subdirectory) {
  const std::string stored = settings.root + "\\" + subdirectory;
  std::error_code ec;
  if (std::filesystem::is_directory(AluResolvePath(stored), ec)) return true;
  std::filesystem::create_directories(AluNativePath(stored), ec);
  if (!ec && std::filesystem::is_directory(AluNativePath(stored), ec)) return true;
  ShowMessage(kError, kButtonsOk, "Unable to create the directory '%s': %s.", stored.c_str(),
              ec ? ec.message().c_str() : "a file of that name is in the way");
  return false;
}

bool CanCreate(const std::string& native) {
  std::FILE* probe = std::fopen(native.c_str(), "wb");
  if (probe == nullptr) return false;
  std::fclose(probe);
  std::remove(native.c_str());
  return true;
}

enum class Copied { kWritten, kUnreadable, kNotCreated };

// One image of the site from a picture of the collection. A picture that is missing or cannot be
// decoded is the source's fault, and left to the caller to name; a target that cannot be made is
// said here. Nothing half-written stays behind for a page to link to.
Copied CopyPicture(const PictureRegistry& registry, int index, const std::string& target, int mode,
                   int size) {
  const std::string source = registry.Path(index);
  if (GalCopyPictureFile(source, target, mode, size)) return Copied::kWritten;
  const std::string native = AluResolvePath(target);
  std::error_code ec;
  std::filesystem::remove(native, ec);
  std::FILE* readable = source.empty() ? nullptr : std::fopen(AluResolvePath(source).c_str(), "rb");
  if (readable == nullptr) return Copied::kUnreadable;
  std::fclose(readable);
  if (CanCreate(native)) return Copied::kUnreadable;
  ShowMessage(kError, kButtonsOk, "Unable to create '%s'.", target.c_str());
  return Copied::kNotCreated;
}

WebImages PublishImages(const Collection& collection, const PictureRegistry& registry,
                        const RadioRecord& radio, const WebSettings& settings,
                        const SiteDirectories& directories, const std::string& name) {
  WebImages images;
  std::vector<std::string> unreadable;
  const auto copy = [&](bool directory, const std::string& stored, int index, const std::string& target,
                        int mode, int size) {
    if (!directory || stored.empty()) return false;
    const Copied copied = CopyPicture(registry, index, target, mode, size);
    if (copied == Copied::kUnreadable) unreadable.push_back("'" + stored + "'");
    return copied == Copied::kWritten;
  };
  images.picture = copy(directories.pictures, radio.pictureFile, radio.pictureIndex,
                        WebPath(settings, settings.pictures, name + ".jpg"), kShrink, kWebPictureSize);
  images.snapshot = copy(directories.snapshots, radio.thumbnailFile, radio.thumbnailIndex,
                         WebPath(settings, settings.snapshots, name + ".jpg"), kScale, kFullSize);
  for (int i = 0; i < UsedExtraPictures(radio); ++i) {
    const std::string extra = name + "_" + std::to_string(i) + ".jpg";
    if (copy(directories.pictures, radio.extraPictureFiles[i],
             radio.extraPictureIndex[static_cast<std::size_t>(i)],
             WebPath(settings, settings.pictures, extra), kShrink, kWebPictureSize)) {
      images.extras.push_back(i);
    }
  }
  if (!unreadable.empty()) {
    std::string names = unreadable[0];
    for (std::size_t i = 1; i < unreadable.size(); ++i)
      names += (i + 1 == unreadable.size() ? " and " : ", ") + unreadable[i];
    const std::string radioName = collection.tables[kTableBrandName].Text(radio.brand) + " " + radio.model;
    ShowMessage(kWarning, kButtonsOk,
                unreadable.size() == 1
                    ? "The picture %s of the %s cannot be read; its pages are published without it."
                    : "The pictures %s of the %s cannot be read; its pages are published without them.",
                names.c_str(), radioName.c_str());
  }
  return images;
}

}  // namespace

std::string WebPath(const WebSettings& settings, const std::string& subdirectory, const std::string& name) {
  return settings.root + "\\" + subdirectory + "\\" + name;
}

int PublishWeb(const Collection& collection, const PictureRegistry& registry, const RadioList& selection,
               const WebSettings& settings) {
  SiteDirectories directories;
  directories.html = MakeDirectory(settings, settings.html);
  if (!directories.html) return 0;
  directories.pictures = MakeDirectory(settings, settings.pictures);
  directories.snapshots = settings.snapshots == settings.pictures
                              ? directories.pictures
                              : MakeDirectory(settings, settings.snapshots);
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
    // The images first: the pages link only to those that were written.
    const WebImages images = PublishImages(collection, registry, *radio, settings, directories, name);
    list.Write(ListPageEntry(collection, *radio, *base, published, settings, images));
    page.Write(RadioPage(collection, *radio, *base, settings, images));
    if (!page.Close()) ShowMessage(kError, kButtonsOk, "Unable to write '%s'.", pagePath.c_str());
    ++published;
  }
  list.Write(ListPageTail());
  if (!list.Close()) {
    ShowMessage(kError, kButtonsOk, "Unable to write '%s'.", listPath.c_str());
    return 0;
  }
  return 1;
}

}  // namespace korvel
